#include "forms/platform/display.h"

#include <emscripten.h>

namespace quantelo::platform {

// The page is the display: there is always one.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
}

// Never said: a display is always there.
std::string noDisplayNamed()
{
    return "no display";
}

// The page (resources/web/index.html.in) listens for this event: the
// program's event loop never returns in a page, so nothing else would end
// it.
void programEnded()
{
    // clang-format off
    EM_ASM({
        if (typeof window !== 'undefined')
            window.dispatchEvent(new CustomEvent('quantelo-ended'));
    });
    // clang-format on
}

// The page's canvas is the display; without WebGL the page cannot draw.
std::string windowFailureCause()
{
    return "cannot draw in this page (the browser gave it no WebGL)";
}

// Qt draws each window's title bar and borders in the page itself.
bool frameKnownOnceMade()
{
    return true;
}

} // namespace quantelo::platform
