#include "forms/command_line.h"
#include "forms/platform.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quantelo {
namespace {

constexpr const char* programName = "Quantelo-Power";
constexpr const char* usageLine = "Usage: Quantelo-Power [--help] [--version] [Qt options]";

// Options that QApplication takes out of the arguments itself, with one or
// two dashes: the number of values each one takes after it ("-style fusion"),
// and whether Qt also takes the value after "=" ("-style=fusion").
struct QtOption {
    std::string_view name;
    int values;
    bool equalsForm = false;
};
constexpr std::array qtOptions{
    QtOption{.name = "platform", .values = 1},
    QtOption{.name = "platformpluginpath", .values = 1},
    QtOption{.name = "platformtheme", .values = 1},
    QtOption{.name = "plugin", .values = 1},
    QtOption{.name = "display", .values = 1},
    QtOption{.name = "geometry", .values = 1},
    QtOption{.name = "qwindowgeometry", .values = 1},
    QtOption{.name = "title", .values = 1},
    QtOption{.name = "qwindowtitle", .values = 1},
    QtOption{.name = "icon", .values = 1},
    QtOption{.name = "qwindowicon", .values = 1},
    QtOption{.name = "name", .values = 1},
    QtOption{.name = "session", .values = 1},
    QtOption{.name = "style", .values = 1, .equalsForm = true},
    QtOption{.name = "stylesheet", .values = 1, .equalsForm = true},
    QtOption{.name = "qmljsdebugger", .values = 0, .equalsForm = true},
    QtOption{.name = "reverse", .values = 0},
    QtOption{.name = "widgetcount", .values = 0},
    QtOption{.name = "nograb", .values = 0},
    QtOption{.name = "dograb", .values = 0},
    QtOption{.name = "sync", .values = 0},
};

struct Arguments {
    QStringList own; // the program's name and every argument that is not Qt's
    bool platformGiven = false;
};

// Separates the program's own arguments from Qt's, without a QApplication:
// --help and --version must work where no window can be opened.
Arguments splitArguments(int argc, char* argv[])
{
    Arguments result;
    result.own << QString::fromLocal8Bit(argv[0]);
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--") {
            for (; i < argc; ++i)
                result.own << QString::fromLocal8Bit(argv[i]);
            break;
        }
        std::string_view name = arg;
        if (name.starts_with("--"))
            name.remove_prefix(2);
        else if (name.starts_with('-'))
            name.remove_prefix(1);
        else {
            result.own << QString::fromLocal8Bit(argv[i]);
            continue;
        }
        const auto equals = name.find('=');
        const bool inlineValue = equals != std::string_view::npos;
        name = name.substr(0, equals);
        const auto* option
            = std::find_if(qtOptions.begin(), qtOptions.end(), [name](const QtOption& o) { return o.name == name; });
        if (option == qtOptions.end() || (inlineValue && !option->equalsForm)) {
            result.own << QString::fromLocal8Bit(argv[i]);
            continue;
        }
        result.platformGiven = result.platformGiven || name == "platform";
        if (!inlineValue)
            i += option->values;
    }
    return result;
}

QtMessageHandler qtHandler = nullptr;

void startUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (qtHandler != nullptr)
        qtHandler(type, context, message);
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open a window on the display (DISPLAY, WAYLAND_DISPLAY)\n", programName);
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

std::optional<int> commandLineOutcome(int argc, char* argv[])
{
    // Only a command line with arguments can have something to print.
    if (argc > 1)
        platform::attachToParentConsole();
    const Arguments arguments = splitArguments(argc, argv);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help and exit."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Show the version and exit."));
    parser.addOptions({helpOption, versionOption});
    if (!parser.parse(arguments.own)) {
        std::fprintf(stderr, "%s: %s %s\n", programName, qPrintable(parser.errorText()), usageLine);
        return ExitStatus::WrongArgument;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: unexpected argument '%s'. %s\n", programName,
                     qPrintable(parser.positionalArguments().constFirst()), usageLine);
        return ExitStatus::WrongArgument;
    }
    if (parser.isSet(helpOption)) {
        std::printf("%s\n\n%s", usageLine,
                    "Computes the real power (kW) and apparent power (kVA) of single- and\n"
                    "three-phase loads from voltage, current and power factor. Opens the\n"
                    "main window, from which the three calculators are opened.\n\n"
                    "Options:\n"
                    "  -h, --help     Show this help and exit.\n"
                    "  -v, --version  Show the version and exit.\n\n"
                    "Qt's own options, such as -platform NAME, -display NAME, -style NAME\n"
                    "and -reverse, are passed on to Qt.\n");
        return writtenStatus();
    }
    if (parser.isSet(versionOption)) {
        std::printf("Quantelo %s\n", QUANTELO_VERSION_TEXT);
        return writtenStatus();
    }
    if (!platform::displayNamed(arguments.platformGiven)) {
        std::fprintf(stderr, "%s: no display: neither DISPLAY nor WAYLAND_DISPLAY is set\n", programName);
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
