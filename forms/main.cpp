#include "forms/fonts.h"
#include "forms/navigation.h"

#include <QApplication>

// Start-up: the main window, centred, then the event loop until the user has
// closed the last window. One user-interface thread; the program takes no
// arguments and keeps no settings.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quantelo"));
    QApplication::setApplicationVersion(QStringLiteral(QUANTELO_VERSION_TEXT));
    QApplication::setOrganizationName(QStringLiteral("Kestrova"));
    // Lets a Wayland compositor match the windows with the launcher entry and
    // its icon. (No display name is set: Qt would append it to every title.)
    QGuiApplication::setDesktopFileName(QStringLiteral(QUANTELO_APP_ID));

    quantelo::Navigator navigator;
    navigator.showMainWindow();
    // Nothing has been drawn yet: the first paint comes from the event loop,
    // after the stand-in faces are in place. Scanning the font database
    // before showing would only delay the window.
    quantelo::installFontStandIns();
    return QApplication::exec();
}
