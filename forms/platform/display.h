#pragma once

#include <string>

// The display: whether a window can be opened at all, and what follows the
// last window. One file for each platform (display_unix.cpp,
// display_windows.cpp); the build picks one.
namespace quantelo::platform {

// Whether a window can be opened without asking Qt: false on a Unix desktop
// where no display is named. `platformGiven` is true when the command line
// chooses Qt's platform plugin itself.
bool displayNamed(bool platformGiven);

// What the user is told when displayNamed() is false: which display is
// missing, in the platform's terms.
std::string noDisplayNamed();

// Why no window can be opened when Qt's platform plugin fails to start, in
// the platform's terms: the display on Unix; on Windows, where the desktop
// is always there, the plugin and the DLLs that must be next to the program.
std::string windowFailureCause();

// The user has closed the last window: on the desktop the program then
// ends.
void programEnded();

// Whether a window's frame (title bar and borders) is known as soon as its
// native window is made, before it is shown: where a platform draws the
// frames itself, a window made first can be centred by its frame and is
// drawn once, where it belongs. A desktop window manager reports the frame
// only after mapping the window.
bool frameKnownOnceMade();

} // namespace quantelo::platform
