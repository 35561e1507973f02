#pragma once

#include <QStringList>

#include <optional>
#include <vector>

namespace quantelo {

namespace ExitStatus {
inline constexpr int Success = 0;
inline constexpr int NoDisplay = 1;
inline constexpr int WrongArgument = 2;
inline constexpr int OutputFailed = 3; // --help or --version could not be written
} // namespace ExitStatus

// The command line, read in two steps around the creation of QApplication,
// which takes Qt's own options (-platform, -display, -style, -reverse, ...)
// out of the arguments itself:
//
//   CommandLine commandLine(argc, argv);
//   if (const auto status = commandLine.ownOptionsOutcome()) return *status;
//   QApplication app(commandLine.argc(), commandLine.argv());
//   if (const auto status = commandLine.remainingArgumentsOutcome()) return *status;
//
// Each outcome is the exit status when the program ends there.
class CommandLine {
public:
    CommandLine(int argc, char* argv[]);

    // Before QApplication: --help and --version (with -h, -v), which must work
    // where no window can be opened. A text that cannot be written ends the
    // program with one line on standard error and OutputFailed.
    std::optional<int> ownOptionsOutcome() const;

    // The arguments for QApplication. Where no display is named at all they
    // choose Qt's minimal platform, so that Qt still takes its own options and
    // what is left can be checked before the program reports NoDisplay.
    int& argc() { return m_argc; }
    char** argv() { return m_argv.data(); }

    // After QApplication: what Qt left must be the program's own, else one
    // usage line on standard error and WrongArgument; then NoDisplay (with
    // one line) when no display is named.
    std::optional<int> remainingArgumentsOutcome() const;

private:
    QStringList m_given; // as main received them
    bool m_displayNamed;
    std::vector<char*> m_argv; // ends with a null pointer, as main's does
    int m_argc;
};

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
