#include "forms/platform/faces.h"

namespace quantelo::platform {

std::string wineTahomaFile()
{
    return "/usr/share/wine/fonts/tahoma.ttf";
}

// Qt's FreeType engine draws the faces on Linux already.
void chooseFontEngine() { }

} // namespace quantelo::platform
