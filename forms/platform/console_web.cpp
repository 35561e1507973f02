#include "forms/platform/console.h"

namespace quantelo::platform {

// A page has no terminal: the command line is the page's, and empty.
void attachToParentConsole() { }

std::string helpShortName()
{
    return {};
}

} // namespace quantelo::platform
