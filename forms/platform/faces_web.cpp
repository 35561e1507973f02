#include "forms/platform/faces.h"

namespace quantelo::platform {

// The faces come with the program, compiled in as resources
// (cmake/web.cmake): a browser offers a page none of its own.
std::string wineTahomaFile()
{
    return ":/fonts/tahoma.ttf";
}

std::vector<std::string> bundledFaceFiles()
{
    return {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"};
}

// Qt's FreeType engine is the page's only one.
void chooseFontEngine() { }

bool runningUnderWine()
{
    return false;
}

} // namespace quantelo::platform
