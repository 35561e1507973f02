#pragma once

#include <string>

// What differs between the desktops the program runs on, behind one
// interface: platform_unix.cpp and platform_windows.cpp implement it, and the
// build picks one of the two. (The faces, the other difference, are handled
// where every face is chosen: fonts.cpp.)
namespace quantelo::platform {

// Makes standard output and standard error reach the terminal that started
// the program, for --help, --version and the messages on a wrong argument.
// A Windows GUI program is given no console of its own: it borrows its
// parent's, unless the streams already go to a file or a pipe.
void attachToParentConsole();

// The help option's further short name: "?" on Windows, whose programs
// answer to -? and /?; empty elsewhere.
std::string helpShortName();

// Whether a window can be opened at all without asking Qt: false on a Unix
// desktop where no display is named. `platformGiven` is true when the
// command line chooses Qt's platform plugin itself.
bool displayNamed(bool platformGiven);

// Why no window can be opened when Qt's platform plugin fails to start, in
// the platform's terms: the display on Unix; on Windows, where the desktop
// is always there, the plugin and the DLLs that must be next to the program.
std::string windowFailureCause();

// Whether the program runs under Wine rather than on Windows itself (and
// never on Linux): Wine draws some faces unlike Windows (fonts.cpp).
bool runningUnderWine();

// The regular Tahoma outline that Wine ships, where this machine has one
// (fonts.h says why it is registered): Debian's fonts-wine on Linux, Wine's
// data folder under Wine; empty on Windows itself.
std::string wineTahomaFile();

} // namespace quantelo::platform
