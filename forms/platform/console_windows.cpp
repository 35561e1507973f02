#include "forms/platform/console.h"

#include <windows.h>

#include <cstdio>

namespace quantelo::platform {
namespace {

// A standard handle that leads somewhere: a console, a file or a pipe.
bool leadsSomewhere(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void attachToParentConsole()
{
    const bool outputLeads = leadsSomewhere(STD_OUTPUT_HANDLE);
    const bool errorLeads = leadsSomewhere(STD_ERROR_HANDLE);
    if (outputLeads && errorLeads)
        return;
    // Started from Explorer or a shortcut there is no parent console, and
    // nothing is shown: as for any GUI program.
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0)
        return;
    if (!outputLeads && std::freopen("CONOUT$", "w", stdout) != nullptr)
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (!errorLeads && std::freopen("CONOUT$", "w", stderr) != nullptr)
        std::setvbuf(stderr, nullptr, _IONBF, 0);
}

// As Windows programs do, and Qt's own help option on Windows.
std::string helpShortName()
{
    return "?";
}

} // namespace quantelo::platform
