#include "forms/platform.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

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

// Wine's ntdll has functions of its own that Windows' lacks.
bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine names its data folder to every program it runs, in NT form
// (\??\Z:\usr\share\wine); Windows itself has no such variable.
std::string wineTahomaFile()
{
    const char* dataFolder = std::getenv("WINEDATADIR");
    if (dataFolder == nullptr || *dataFolder == '\0')
        return {};
    std::string folder = dataFolder;
    if (folder.starts_with("\\??\\"))
        folder.erase(0, 4);
    return folder + "\\fonts\\tahoma.ttf";
}

// The desktop is there; what fails is loading Qt's platform plugin: the one
// that -platform names is not shipped, or platforms\qwindows.dll or a DLL it
// needs is not next to the program.
std::string windowFailureCause()
{
    return "cannot start: no Qt platform plugin could be loaded (the program ships the windows plugin "
           "alone: platforms\\qwindows.dll and the Qt DLLs must be next to Quantelo-Power.exe)";
}

// The Windows desktop is always there for a program that runs on it.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
}

} // namespace quantelo::platform
