#pragma once

#include "forms/platform/foreign_windows.h"
#include "layout/calculators.h"

#include <QObject>
#include <QPointer>

namespace quantelo {

class CalculatorWindow;
class MainWindow;

// Moves between the program's four windows. Each window exists at most once:
// it is created on first use and shown again, with its contents, afterwards.
// A window the user closes is discarded with its contents and comes back
// fresh, and so does one whose native window another program destroyed; one
// that another program unmapped is shown again (platform/foreign_windows.h).
// A window the user minimised is restored when it is shown. While a message
// box is open, the buttons open and bring forward nothing. The navigation
// never hides or disables a window; the program ends when the user has
// closed the last one.
class Navigator : public QObject {
    Q_OBJECT

public:
    explicit Navigator(QObject* parent = nullptr);
    // Discards the windows still open.
    ~Navigator() override;

    // Start-up, and Back to Main Page in every calculator.
    MainWindow& showMainWindow();
    // The main window's buttons, one for each calculator.
    CalculatorWindow& showCalculator(Calculator which);

    // The open windows, or nullptr for one that does not exist now.
    [[nodiscard]] MainWindow* mainWindow() const;
    [[nodiscard]] CalculatorWindow* calculator(Calculator which) const;

private:
    QPointer<MainWindow> m_mainWindow;
    PerCalculator<QPointer<CalculatorWindow>> m_calculators;
    platform::ForeignWindowChanges m_foreignWindowChanges;
};

} // namespace quantelo
