#pragma once

#include "calc/commands.h"
#include "calc/window_model.h"
#include "forms/form_description.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QMessageBox;
class QPushButton;

namespace quantelo {

class CaptionLabel;
class LimitedLineEdit;

// One calculator window on screen: the controls of its description, with
// Solve and Clear run by the calculation core's commands on this window.
// An independent top-level window (no owner), fixed size, no maximise button,
// centred on its screen when first shown, the focus in txtVolts.
class CalculatorWindow : public QWidget, public CalculatorWindowModel {
    Q_OBJECT

public:
    CalculatorWindow(const FormDescription& form, CalculatorKind kind);
    ~CalculatorWindow() override;

    // CalculatorWindowModel
    [[nodiscard]] std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view text) override;
    void setCaption(Label label, std::string_view caption) override;
    void setBackColor(TextBox box, ColourValue colour) override;
    void setBackColor(Label label, ColourValue colour) override;
    void focusClearButton() override;
    void msgBox(std::string_view prompt) override;

    void cmdSolve_Click();
    void cmdClear_Click();
    void cmdBackMainPage_Click();

    [[nodiscard]] LimitedLineEdit& textBox(TextBox box) const;
    [[nodiscard]] CaptionLabel& label(Label label) const;
    [[nodiscard]] const CalculatorCommands& commands() const { return m_commands; }

    // Runs the message box that msgBox() has built and returns when it has
    // been dismissed. By default QMessageBox::exec(); tests replace it to
    // answer the box without a user.
    using MessageBoxRunner = std::function<void(QMessageBox& box)>;
    void setMessageBoxRunner(MessageBoxRunner runner);

signals:
    // Back to Main Page was clicked; the navigation shows the main window.
    void backToMainPageRequested();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename T> T& control(const char* name) const;

    CalculatorCommands m_commands;
    MessageBoxRunner m_messageBoxRunner;
    bool m_placed = false;
};

// The three calculators, each built from its own description.
std::unique_ptr<CalculatorWindow> createLineToLineWindow();    // frmPowerRealApparent3PhLL
std::unique_ptr<CalculatorWindow> createLineToNeutralWindow(); // frmPowerRealApparent3PhLN
std::unique_ptr<CalculatorWindow> createSinglePhaseWindow();   // frmPowerRealApparent1Phase

} // namespace quantelo
