#pragma once

#include <string>
#include <vector>

// The faces: where this machine keeps Wine's Tahoma, which faces come with
// the program, and which engine draws the faces. One file for each platform
// (faces_unix.cpp, faces_windows.cpp); the build picks one. The stand-ins themselves are chosen in
// forms/windows/fonts.cpp, the same everywhere.
namespace quantelo::platform {

// The regular Tahoma outline that Wine ships, where this machine has one
// (forms/windows/fonts.h says why it is registered): Debian's fonts-wine on
// Linux, Wine's data folder under Wine; empty on Windows itself.
std::string wineTahomaFile();

// Font files that come with the program, for the font database to take
// before any face is looked up: none where the system has the faces (the
// Linux package depends on them).
std::vector<std::string> bundledFaceFiles();

// Whether the program runs under Wine rather than on Windows itself (never
// elsewhere): Wine names desktop faces it has no files for
// (forms/windows/fonts.cpp).
bool runningUnderWine();

// Chooses the engine that draws the faces, before the QApplication exists.
// Under Wine, whose GDI emboldens a face without a bold outline only faintly
// (Wine's Tahoma: strokes about 1.15 times as heavy), Qt's own FreeType
// engine draws them, as on Linux; the user's -platform option or
// QT_QPA_PLATFORM still decide. Windows itself and Linux keep their own.
void chooseFontEngine();

} // namespace quantelo::platform
