#pragma once

#include "calc/commands.h"
#include "calc/window_model.h"
#include "forms/windows/program_window.h"
#include "layout/calculators.h"

#include <array>
#include <functional>
#include <memory>

class QMessageBox;

namespace quantelo {

class Announcer;
class CaptionLabel;
class CommandButton;
class LimitedLineEdit;
struct FormDescription;

// One calculator window on screen: the controls of its description, with
// Solve and Clear run by the calculation core's commands on this window.
// The focus starts in txtVolts.
class CalculatorWindow : public ProgramWindow, public CalculatorWindowModel {
    Q_OBJECT

public:
    // Ends the program (qFatal) when `form` lacks a control the commands use.
    CalculatorWindow(const FormDescription& form, CalculatorKind kind);
    ~CalculatorWindow() override;

    // CalculatorWindowModel
    [[nodiscard]] std::string text(TextBox box) const override;
    void setText(TextBox box, std::string_view text) override;
    void setCaption(Label label, std::string_view caption) override;
    void setBackColor(TextBox box, ColourValue colour) override;
    void setBackColor(Label label, ColourValue colour) override;
    void focusClearButton() override;
    void msgBox(std::string_view prompt, Dismissed dismissed) override;
    void announce(std::string_view text) override;

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

private:
    CalculatorCommands m_commands;
    // The controls the commands use, indexed by their enums, resolved once
    // when the window is built.
    std::array<LimitedLineEdit*, TextBoxCount> m_boxes{};
    std::array<CaptionLabel*, LabelCount> m_labels{};
    CommandButton* m_clear = nullptr;
    Announcer* m_announcer = nullptr;
    MessageBoxRunner m_messageBoxRunner;
};

// A new window of a calculator, built from its row (layout/calculators.h).
std::unique_ptr<CalculatorWindow> createCalculatorWindow(Calculator which);

} // namespace quantelo
