#include "forms/platform/console.h"

namespace quantelo::platform {

// A Unix program writes to the terminal it was started from already.
void attachToParentConsole() { }

std::string helpShortName()
{
    return {};
}

} // namespace quantelo::platform
