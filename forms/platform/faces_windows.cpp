#include "forms/platform/faces.h"

#include <QByteArray>
#include <QtGlobal>

#include <windows.h>

#include <cstdlib>

namespace quantelo::platform {

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

void chooseFontEngine()
{
    if (runningUnderWine() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

// Windows has every face the windows ask for.
std::vector<std::string> bundledFaceFiles()
{
    return {};
}

} // namespace quantelo::platform
