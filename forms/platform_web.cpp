#include "forms/platform.h"

#include <emscripten.h>

namespace quantelo::platform {

// A page has no terminal: the command line is the page's, and empty.
void attachToParentConsole() { }

// The page is the display: there is always one.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
}

bool runningUnderWine()
{
    return false;
}

// The faces come with the program, compiled in as resources
// (forms/CMakeLists.txt): a browser offers a page none of its own.
std::string wineTahomaFile()
{
    return ":/fonts/tahoma.ttf";
}

std::vector<std::string> bundledFaceFiles()
{
    return {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"};
}

// The page (resources/web/index.html) listens for this event: the program's
// event loop never returns in a page, so nothing else would end it.
void programEnded()
{
    // clang-format off
    EM_ASM({
        if (typeof window !== 'undefined')
            window.dispatchEvent(new CustomEvent('quantelo-ended'));
    });
    // clang-format on
}

} // namespace quantelo::platform
