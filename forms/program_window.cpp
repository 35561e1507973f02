#include "forms/program_window.h"

#include "resources/program_icon.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace quantelo {

void applyProgramIcon(QWidget& window)
{
    window.setWindowIcon(programIcon());
}

void placeCentredOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    // The client area is centred; the frame, unknown before the window is
    // first mapped, adds a few pixels on each side.
    window.setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
}

} // namespace quantelo
