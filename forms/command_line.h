#pragma once

#include <optional>

namespace quantelo {

namespace ExitStatus {
inline constexpr int Success = 0;
inline constexpr int NoDisplay = 1;
inline constexpr int WrongArgument = 2;
inline constexpr int OutputFailed = 3; // --help or --version could not be written
} // namespace ExitStatus

// The program's own arguments, read before any QApplication exists, so that
// --help and --version work where no window can be opened. Qt's options
// (-platform, -display, -style, -reverse, ...) are left to Qt. Returns the
// exit status when the program ends here: after --help or --version (or a
// failure to write them, with one line on standard error), on a
// wrong argument (one usage line on standard error), or when no display is
// named at all; nothing when it goes on to open its windows.
std::optional<int> commandLineOutcome(int argc, char* argv[]);

// While it lives, a failure of Qt's platform plugin (a display that cannot
// be reached), which Qt reports as a fatal message and would abort on with a
// core dump, ends the program with one line and status NoDisplay instead.
// Held while QApplication starts.
class StartUpGuard {
public:
    StartUpGuard();
    ~StartUpGuard();
    StartUpGuard(const StartUpGuard&) = delete;
    StartUpGuard& operator=(const StartUpGuard&) = delete;
};

} // namespace quantelo
