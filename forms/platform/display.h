#pragma once

// The display check: whether a window can be opened at all. One file for
// each platform (display_unix.cpp, display_windows.cpp); the build picks one.
namespace quantelo::platform {

// Whether a window can be opened without asking Qt: false on a Unix desktop
// where no display is named. `platformGiven` is true when the command line
// chooses Qt's platform plugin itself.
bool displayNamed(bool platformGiven);

} // namespace quantelo::platform
