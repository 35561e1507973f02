#include "forms/navigation.h"

#include "forms/calculator_window.h"
#include "forms/main_window.h"

#include <QWidget>

namespace quantelo {

namespace {

// Shows a window modeless, brings it to the front and activates it.
void bringToFront(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
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
        connect(m_mainWindow, &MainWindow::calculatorRequested, this,
                [this](Calculator which) { showCalculator(which); });
    }
    bringToFront(*m_mainWindow);
    return *m_mainWindow;
}

CalculatorWindow& Navigator::showCalculator(Calculator which)
{
    auto& slot = m_calculators[static_cast<std::size_t>(which)];
    if (slot.isNull()) {
        slot = createCalculatorWindow(which).release();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        connect(slot, &CalculatorWindow::backToMainPageRequested, this, [this] { showMainWindow(); });
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
    return m_calculators[static_cast<std::size_t>(which)];
}

} // namespace quantelo
