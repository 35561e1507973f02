#include "forms/platform/console.h"

namespace quantelo::platform {

// A Unix program writes to the terminal it was started from already.
void attachToParentConsole() { }

} // namespace quantelo::platform
