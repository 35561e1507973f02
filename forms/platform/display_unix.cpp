#include "forms/platform/display.h"

#include <cstdlib>

namespace quantelo::platform {
namespace {

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

} // namespace

bool displayNamed(bool platformGiven)
{
    return platformGiven || isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")
        || isSet("WAYLAND_SOCKET");
}

std::string noDisplayNamed()
{
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
}

// The event loop ends with the last window, and the program with it.
void programEnded() { }

std::string windowFailureCause()
{
    return "cannot open a window on the display (DISPLAY, WAYLAND_DISPLAY)";
}

// The window manager reports the frame after mapping the window.
bool frameKnownOnceMade()
{
    return false;
}

} // namespace quantelo::platform
