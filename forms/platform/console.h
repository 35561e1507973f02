#pragma once

#include <string>

// The console: how --help, --version and the messages on a wrong argument
// reach the user. One file for each platform (console_unix.cpp,
// console_windows.cpp); the build picks one.
namespace quantelo::platform {

// Makes standard output and standard error reach the terminal that started
// the program. A Windows GUI program is given no console of its own: it
// borrows its parent's, unless the streams already go to a file or a pipe.
void attachToParentConsole();

// The help option's further short name: "?" on Windows, whose programs
// answer to -? and /?; empty elsewhere.
std::string helpShortName();

} // namespace quantelo::platform
