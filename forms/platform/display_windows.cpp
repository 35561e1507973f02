#include "forms/platform/display.h"

namespace quantelo::platform {

// The Windows desktop is always there for a program that runs on it.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
}

// The event loop ends with the last window, and the program with it.
void programEnded() { }

} // namespace quantelo::platform
