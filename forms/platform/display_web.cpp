#include "forms/platform/display.h"

#include <emscripten.h>

namespace quantelo::platform {

// The page is the display: there is always one.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
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

} // namespace quantelo::platform
