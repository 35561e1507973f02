#include "forms/platform/faces.h"

namespace quantelo::platform {

std::string wineTahomaFile()
{
    return "/usr/share/wine/fonts/tahoma.ttf";
}

// Qt's FreeType engine draws the faces on Linux already.
void chooseFontEngine() { }

// The Linux package depends on the faces: nothing comes with the program.
std::vector<std::string> bundledFaceFiles()
{
    return {};
}

bool runningUnderWine()
{
    return false;
}

} // namespace quantelo::platform
