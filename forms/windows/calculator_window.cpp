#include "forms/windows/calculator_window.h"

#include "calc/announcement.h"
#include "forms/controls/accessibility.h"
#include "forms/controls/caption_label.h"
#include "forms/controls/colour_role.h"
#include "forms/controls/command_button.h"
#include "forms/controls/limited_line_edit.h"
#include "forms/platform/modal_box.h"
#include "forms/windows/form_builder.h"
#include "forms/windows/text_conversion.h"
#include "layout/calculator_layouts.h"

#include <QMessageBox>

#include <memory>

namespace quantelo {

CalculatorWindow::CalculatorWindow(const FormDescription& form, CalculatorKind kind)
    : ProgramWindow(form)
    , m_commands(*this, kind)
{
    for (const TextBox box : AllTextBoxes)
        m_boxes[index(box)] = &resolveControl<LimitedLineEdit>(*this, controlName(box));
    for (const Label label : AllLabels)
        m_labels[index(label)] = &resolveControl<CaptionLabel>(*this, controlName(label));
    m_clear = &resolveControl<CommandButton>(*this, ClearButton);
    m_announcer = new Announcer(this);
    // The power-factor box is read with the valid range shown beside it.
    textBox(TextBox::txtPF).setAccessibleDescription(resolveControl<CaptionLabel>(*this, "Label7").text().simplified());

    connect(&resolveControl<CommandButton>(*this, SolveButton), &QPushButton::clicked, this,
            &CalculatorWindow::cmdSolve_Click);
    connect(m_clear, &QPushButton::clicked, this, &CalculatorWindow::cmdClear_Click);
    connect(&resolveControl<CommandButton>(*this, BackButton), &QPushButton::clicked, this,
            &CalculatorWindow::cmdBackMainPage_Click);

    textBox(TextBox::txtVolts).setFocus(Qt::OtherFocusReason);
}

CalculatorWindow::~CalculatorWindow() = default;

LimitedLineEdit& CalculatorWindow::textBox(TextBox box) const
{
    return *m_boxes[index(box)];
}

CaptionLabel& CalculatorWindow::label(Label label) const
{
    return *m_labels[index(label)];
}

std::string CalculatorWindow::text(TextBox box) const
{
    return toUtf8(textBox(box).text());
}

void CalculatorWindow::setText(TextBox box, std::string_view text)
{
    textBox(box).setProgramText(toQString(text));
}

void CalculatorWindow::setCaption(Label label, std::string_view caption)
{
    this->label(label).setCaption(toQString(caption));
}

void CalculatorWindow::setBackColor(TextBox box, ColourValue colour)
{
    // A result over the limit is flagged with the window-text colour, the
    // colour of its own digits; quantelo::setBackColor keeps them readable.
    quantelo::setBackColor(textBox(box), colour);
    // A screen reader reads what the colour says with the box.
    textBox(box).setAccessibleDescription(toQString(colourMeaning(box, colour)));
}

void CalculatorWindow::setBackColor(Label label, ColourValue colour)
{
    quantelo::setBackColor(this->label(label), colour);
}

void CalculatorWindow::focusClearButton()
{
    m_clear->setFocus(Qt::OtherFocusReason);
}

void CalculatorWindow::msgBox(std::string_view prompt, Dismissed dismissed)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle),
                                             toQString(prompt), QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    if (m_messageBoxRunner) {
        m_messageBoxRunner(*box);
        box.reset();
        dismissed();
        return;
    }
    runModal(std::move(box), std::move(dismissed));
}

void CalculatorWindow::announce(std::string_view text)
{
    m_announcer->announce(toQString(text));
}

void CalculatorWindow::setMessageBoxRunner(MessageBoxRunner runner)
{
    m_messageBoxRunner = std::move(runner);
}

void CalculatorWindow::cmdSolve_Click()
{
    // On the desktop this window may be gone when Solve returns (see
    // CalculatorCommands::cmdSolve_Click): nothing may follow it here.
    m_commands.cmdSolve_Click();
}

void CalculatorWindow::cmdClear_Click()
{
    m_commands.cmdClear_Click();
}

void CalculatorWindow::cmdBackMainPage_Click()
{
    if (m_commands.cmdBackMainPage_Click())
        emit backToMainPageRequested();
}

std::unique_ptr<CalculatorWindow> createCalculatorWindow(Calculator which)
{
    const CalculatorRow& calculator = row(which);
    return std::make_unique<CalculatorWindow>(calculator.form(), calculator.kind);
}

} // namespace quantelo
