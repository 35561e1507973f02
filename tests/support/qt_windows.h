#pragma once

// What the Qt suites of the windows, the navigation and the soak test share:
// the calculators and their buttons, opening a window, and a watchdog that
// never lets a modal window hang a test.

#include "calc/commands.h"
#include "forms/windows/calculator_window.h"
#include "layout/calculators.h"
#include "tests/support/fake_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quantelo::test_support {

// Every calculator, in the order of its row.
inline constexpr PerCalculator<Calculator> AllCalculators = [] {
    PerCalculator<Calculator> all{};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = Calculators[i].which;
    return all;
}();

struct CalculatorFacts {
    const char* key;        // short name in test rows
    const char* formName;   // the window's object name
    const char* openButton; // the main window's button that opens it
    Qt::Key openAccessKey;  // that button's access key, with Alt
    CalculatorKind kind;
};

inline const CalculatorFacts& facts(Calculator which)
{
    static const PerCalculator<CalculatorFacts> all{{
        {"LL", "frmPowerRealApparent3PhLL", "Command1", Qt::Key_E, LineToLineCalculator},
        {"LN", "frmPowerRealApparent3PhLN", "Command2", Qt::Key_A, LineToNeutralCalculator},
        {"1Ph", "frmPowerRealApparent1Phase", "Command3", Qt::Key_R, SinglePhaseCalculator},
    }};
    return all[index(which)];
}

// The calculator a test row names by its key or its window's name.
inline Calculator calculatorNamed(const QString& name)
{
    for (const Calculator which : AllCalculators) {
        if (name == QLatin1String(facts(which).key) || name == QLatin1String(facts(which).formName))
            return which;
    }
    qFatal("no calculator %s", qPrintable(name));
}

inline QPushButton& button(QWidget& window, const char* name)
{
    auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no button %s", name);
    return *found;
}

inline QList<QWidget*> visibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            windows.append(w);
    }
    return windows;
}

// A Qt data table of struct rows in one column, "row": a test reads its
// whole row with QFETCH(Row, row). Each row has a unique `name`, and the row
// type is declared with Q_DECLARE_METATYPE.
template <typename Row, std::size_t N> void addRows(const Row (&rows)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row& row : rows)
        QTest::newRow(row.name) << row;
}

// Shows a window and waits until it is the active one.
[[nodiscard]] inline bool showAndActivate(QWidget& window, int timeoutMs = 5000)
{
    window.show();
    window.raise();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window, timeoutMs);
}

// Answers every message box `window` asks for at once instead of running it
// modal, and records it in `seen` as describeMessageBox() does: the prompt
// and the five boxes behind it.
inline void recordMessageBoxes(CalculatorWindow& window, std::shared_ptr<std::vector<std::string>> seen)
{
    window.setMessageBoxRunner([&window, seen = std::move(seen)](QMessageBox& box) {
        std::array<std::string, TextBoxCount> behind;
        for (const TextBox b : AllTextBoxes)
            behind[index(b)] = window.text(b);
        seen->push_back(describeMessageBox(box.text().toStdString(), behind));
    });
}

// Never lets a modal window hang a test. While it lives it looks for the
// active modal window every 20 ms: a message box goes to `answer`, which must
// dismiss it; any other modal window, or a message box when there is no
// answer, is closed and its title recorded in `unexpected`.
class ModalWatchdog {
public:
    using Answer = std::function<void(QMessageBox&)>;

    explicit ModalWatchdog(Answer answer = {})
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }

    QStringList unexpected;

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box != nullptr && m_answer) {
            m_answer(*box);
            return;
        }
        unexpected << modal->windowTitle();
        modal->close();
    }

    Answer m_answer;
    QTimer m_timer;
};

} // namespace quantelo::test_support
