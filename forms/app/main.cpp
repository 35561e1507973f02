#include "forms/app/command_line.h"
#include "forms/app/navigation.h"
#include "forms/platform/display.h"
#include "forms/platform/faces.h"
#include "forms/windows/fonts.h"
#include "quantelo/version.h"

#include <QApplication>

#include <memory>

// Start-up: the command line, then the main window, centred, and the event
// loop until the user has closed the last window. One user-interface thread;
// the program keeps no settings. Exit status: 0, 1 when no window can be
// opened, 2 on a wrong argument, 3 when --help or --version cannot write
// their text.
int main(int argc, char* argv[])
{
    quantelo::CommandLine commandLine(argc, argv);
    if (const auto status = commandLine.ownOptionsOutcome())
        return *status;

    quantelo::platform::chooseFontEngine();
    auto guard = std::make_unique<quantelo::StartUpGuard>();
    QApplication app(commandLine.argc(), commandLine.argv());
    guard.reset();
    if (const auto status = commandLine.remainingArgumentsOutcome())
        return *status;
    QApplication::setApplicationName(QStringLiteral("Quantelo"));
    QApplication::setApplicationVersion(QStringLiteral(QUANTELO_VERSION_TEXT));
    QApplication::setOrganizationName(QStringLiteral("Kestrova"));
    // Lets a Wayland compositor match the windows with the launcher entry and
    // its icon. (No display name is set: Qt would append it to every title.)
    QGuiApplication::setDesktopFileName(QStringLiteral(QUANTELO_APP_ID));

    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &app, &quantelo::platform::programEnded);

    quantelo::Navigator navigator;
    navigator.showMainWindow();
    // Nothing has been drawn yet: the first paint comes from the event loop,
    // after the stand-in faces are in place. Scanning the font database
    // before showing would only delay the window.
    quantelo::installFontStandIns();
    return QApplication::exec();
}
