#include "forms/platform.h"

#include <cstdlib>

namespace quantelo::platform {
namespace {

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

} // namespace

bool runningUnderWine()
{
    return false;
}

std::string wineTahomaFile()
{
    return "/usr/share/wine/fonts/tahoma.ttf";
}

// A Unix program writes to the terminal it was started from already.
void attachToParentConsole() { }

std::string helpShortName()
{
    return {};
}

std::string windowFailureCause()
{
    return "cannot open a window on the display (DISPLAY, WAYLAND_DISPLAY)";
}

bool displayNamed(bool platformGiven)
{
    return platformGiven || isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")
        || isSet("WAYLAND_SOCKET");
}

} // namespace quantelo::platform
