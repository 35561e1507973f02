#pragma once

#include <string>
#include <vector>

// What differs between the platforms the program runs on, behind one
// interface: platform_unix.cpp, platform_windows.cpp and platform_web.cpp
// (the browser) implement it, and the build picks one. (The faces, the other difference, are handled
// where every face is chosen: fonts.cpp.)
namespace quantelo::platform {

// Makes standard output and standard error reach the terminal that started
// the program, for --help, --version and the messages on a wrong argument.
// A Windows GUI program is given no console of its own: it borrows its
// parent's, unless the streams already go to a file or a pipe.
void attachToParentConsole();

// Whether a window can be opened at all without asking Qt: false on a Unix
// desktop where no display is named. `platformGiven` is true when the
// command line chooses Qt's platform plugin itself.
bool displayNamed(bool platformGiven);

// Whether the program runs under Wine rather than on Windows itself (and
// never on Linux): Wine draws some faces unlike Windows (fonts.cpp).
bool runningUnderWine();

// The regular Tahoma outline that Wine ships, where this machine has one
// (fonts.h says why it is registered): Debian's fonts-wine on Linux, Wine's
// data folder under Wine; empty on Windows itself.
std::string wineTahomaFile();

// Font files that come with the program, for the font database to take
// before any face is looked up: none where the system has the faces (the
// Linux package depends on them), Liberation Sans in a web page.
std::vector<std::string> bundledFaceFiles();

// The user has closed the last window. On the desktop the program then
// ends; a web page stays, so it is told, and offers to start the program
// again.
void programEnded();

} // namespace quantelo::platform
