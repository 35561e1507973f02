#include "forms/app/navigation.h"

#include "forms/windows/calculator_window.h"
#include "forms/windows/main_window.h"

#include <QApplication>

namespace quantelo {

namespace {

// Shows a window modeless, restores it when the user had minimised it, and
// brings it to the front and activates it: whatever state it was in, it ends
// up on screen and in front. A window shown for the first time is mapped in
// front and given the focus as every new window is (by the window manager on
// X11, by the system on Windows); asking for either again would only make
// the display restack it and move the focus once more before it is first
// drawn.
void bringToFront(ProgramWindow& window)
{
    const bool firstShow = !window.hasBeenShown();
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    // Not show(), which opens a window full screen where the platform says
    // so (a web page's): every window keeps its size and title bar.
    window.setVisible(true);
    if (firstShow)
        return;
    window.raise();
    window.activateWindow();
}

// A message box is modal over every window for the keyboard and the mouse;
// a screen reader can still press the buttons behind it. Meanwhile no
// button opens a window or brings one to the front.
bool messageBoxOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

Navigator::Navigator(QObject* parent)
    : QObject(parent)
{
}

Navigator::~Navigator()
{
    delete m_mainWindow;
    for (auto& calculator : m_calculators)
        delete calculator;
}

MainWindow& Navigator::showMainWindow()
{
    if (m_mainWindow.isNull()) {
        // Top-level without an owner; closing it discards it.
        m_mainWindow = new MainWindow;
        m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_mainWindow, &MainWindow::calculatorRequested, this, [this](Calculator which) {
            if (!messageBoxOpen())
                showCalculator(which);
        });
    }
    bringToFront(*m_mainWindow);
    return *m_mainWindow;
}

CalculatorWindow& Navigator::showCalculator(Calculator which)
{
    auto& slot = m_calculators[index(which)];
    if (slot.isNull()) {
        slot = createCalculatorWindow(which).release();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        connect(slot, &CalculatorWindow::backToMainPageRequested, this, [this] {
            if (!messageBoxOpen())
                showMainWindow();
        });
    }
    bringToFront(*slot);
    return *slot;
}

MainWindow* Navigator::mainWindow() const
{
    return m_mainWindow;
}

CalculatorWindow* Navigator::calculator(Calculator which) const
{
    return m_calculators[index(which)];
}

} // namespace quantelo
