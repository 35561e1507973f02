#include "forms/platform/display.h"

namespace quantelo::platform {

// The Windows desktop is always there for a program that runs on it.
bool displayNamed(bool /*platformGiven*/)
{
    return true;
}

// Never said: a display is always there.
std::string noDisplayNamed()
{
    return "no display";
}

// The event loop ends with the last window, and the program with it.
void programEnded() { }

// The desktop is there; what fails is loading Qt's platform plugin: the one
// that -platform names is not shipped, or platforms\qwindows.dll or a DLL it
// needs is not next to the program.
std::string windowFailureCause()
{
    return "cannot start: no Qt platform plugin could be loaded (the program ships the windows plugin "
           "alone: platforms\\qwindows.dll and the Qt DLLs must be next to Quantelo-Power.exe)";
}

// Placed as on X11: by its client area, then once more by the frame
// Windows reports when the window is shown.
bool frameKnownOnceMade()
{
    return false;
}

} // namespace quantelo::platform
