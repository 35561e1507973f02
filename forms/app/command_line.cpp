#include "forms/app/command_line.h"
#include "forms/platform/console.h"
#include "forms/platform/display.h"
#include "quantelo/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quantelo {
namespace {

constexpr const char* programName = "Quantelo-Power";

// Qt's minimal platform plugin opens nothing; it only lets QApplication start
// where there is no display, to take its options out of the arguments.
char platformOption[] = "-platform";
char minimalPlatform[] = "minimal";

// -h and --help, and where the platform has one, a further short name first
// (-? on Windows), as Qt's own help option lists them.
QStringList helpNames()
{
    QStringList names{QStringLiteral("h"), QStringLiteral("help")};
    const std::string platformName = platform::helpShortName();
    if (!platformName.empty())
        names.prepend(QString::fromStdString(platformName));
    return names;
}

// The arguments with the help switch's slash form ("/?" on Windows) written
// as the dash form that the parser reads, up to a "--".
QStringList withDashHelp(QStringList arguments)
{
    const QString name = QString::fromStdString(platform::helpShortName());
    if (name.isEmpty())
        return arguments;
    for (qsizetype i = 1; i < arguments.size() && arguments.at(i) != QLatin1String("--"); ++i) {
        if (arguments.at(i) == QLatin1Char('/') + name)
            arguments[i] = QLatin1Char('-') + name;
    }
    return arguments;
}

// The program's only two options. Qt's are taken out by QApplication before
// the parser sees the arguments.
struct Options {
    QCommandLineOption help{helpNames(), QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineParser parser;

    Options()
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(
            QStringLiteral("Computes the real power (kW) and apparent power (kVA) of single- and\n"
                           "three-phase loads from voltage, current and power factor. Opens the\n"
                           "main window, from which the three calculators are opened.\n\n"
                           "Qt's own options, such as -platform NAME, -display NAME, -style NAME\n"
                           "and -reverse, are passed on to Qt."));
        parser.addOptions({help, version});
    }

    // The parser's help, the one help text. Qt names the program by the path
    // it was started with, or by a placeholder before QApplication exists.
    QString helpText() const
    {
        QString text = parser.helpText();
        const qsizetype nameStart = text.indexOf(QLatin1Char(' ')) + 1;
        const qsizetype nameEnd = text.indexOf(QStringLiteral(" [options]"));
        if (nameStart > 0 && nameEnd > nameStart)
            text.replace(nameStart, nameEnd - nameStart, QLatin1String(programName));
        return text;
    }

    QString usageLine() const { return helpText().section(QLatin1Char('\n'), 0, 0); }
};

QStringList toStringList(int argc, char* argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// Whether the arguments choose where the windows go: Qt's -platform (with
// one dash or two, as Qt reads it) or the X11 -display, each with its value.
bool namesPlatform(int argc, char* argv[])
{
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "-platform" || arg == "--platform" || arg == "-display" || arg == "--display")
            return true;
    }
    return false;
}

QtMessageHandler qtHandler = nullptr;
// Set when QApplication starts on the minimal platform only to take Qt's
// options out: what Qt says about that start (a missing XDG_RUNTIME_DIR, say)
// is not for the user, who is told that there is no display.
bool standInPlatform = false;

void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (qtHandler != nullptr && !(standInPlatform && type != QtFatalMsg))
        qtHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", programName, platform::windowFailureCause().c_str());
        std::fflush(stderr);
        std::_Exit(ExitStatus::NoDisplay);
    }
}

// The status after writing --help or --version: a text that did not reach
// its reader (a full disk, a closed pipe) is a failure, not a success.
int writtenStatus()
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return ExitStatus::Success;
    std::fprintf(stderr, "%s: cannot write to standard output\n", programName);
    return ExitStatus::OutputFailed;
}

} // namespace

CommandLine::CommandLine(int argc, char* argv[])
    : m_given(toStringList(argc, argv))
    , m_displayNamed(platform::displayNamed(namesPlatform(argc, argv)))
    , m_argv(argv, argv + argc)
    , m_argc(argc)
{
    // Only a command line with arguments can have something to print.
    if (argc > 1)
        platform::attachToParentConsole();
    if (!m_displayNamed && argc > 0) {
        m_argv.insert(m_argv.begin() + 1, {platformOption, minimalPlatform});
        m_argc += 2;
        standInPlatform = true;
    }
    m_argv.push_back(nullptr);
}

std::optional<int> CommandLine::ownOptionsOutcome() const
{
    // Qt's options are still among the arguments here: the parser's errors
    // wait until QApplication has taken them out.
    Options options;
    options.parser.parse(withDashHelp(m_given));
    if (options.parser.isSet(options.help)) {
        std::fputs(qPrintable(options.helpText()), stdout);
        return writtenStatus();
    }
    if (options.parser.isSet(options.version)) {
        std::printf("Quantelo %s\n", QUANTELO_VERSION_TEXT);
        return writtenStatus();
    }
    return std::nullopt;
}

std::optional<int> CommandLine::remainingArgumentsOutcome() const
{
    Options options;
    if (!options.parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s: %s %s\n", programName, qPrintable(options.parser.errorText()),
                     qPrintable(options.usageLine()));
        return ExitStatus::WrongArgument;
    }
    if (!options.parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: unexpected argument '%s'. %s\n", programName,
                     qPrintable(options.parser.positionalArguments().constFirst()), qPrintable(options.usageLine()));
        return ExitStatus::WrongArgument;
    }
    if (!m_displayNamed) {
        std::fprintf(stderr, "%s: %s\n", programName, platform::noDisplayNamed().c_str());
        return ExitStatus::NoDisplay;
    }
    return std::nullopt;
}

StartUpGuard::StartUpGuard()
{
    qtHandler = qInstallMessageHandler(startUpMessage);
}

StartUpGuard::~StartUpGuard()
{
    qInstallMessageHandler(qtHandler);
}

} // namespace quantelo
