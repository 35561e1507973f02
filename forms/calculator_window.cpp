#include "forms/calculator_window.h"

#include "forms/calculator_layouts.h"
#include "forms/caption_label.h"
#include "forms/colour_role.h"
#include "forms/form_builder.h"
#include "forms/limited_line_edit.h"
#include "forms/program_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

#include <stdexcept>

namespace quantelo {
namespace {

constexpr Qt::WindowFlags CalculatorWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

CalculatorWindow::CalculatorWindow(const FormDescription& form, CalculatorKind kind)
    : QWidget(nullptr, CalculatorWindowFlags)
    , m_commands(*this, kind)
{
    buildForm(*this, form);
    applyProgramIcon(*this);

    connect(&control<QPushButton>("cmdSolve"), &QPushButton::clicked, this, &CalculatorWindow::cmdSolve_Click);
    connect(&control<QPushButton>("cmdClear"), &QPushButton::clicked, this, &CalculatorWindow::cmdClear_Click);
    connect(&control<QPushButton>("cmdBackMainPage"), &QPushButton::clicked, this,
            &CalculatorWindow::cmdBackMainPage_Click);

    textBox(TextBox::txtVolts).setFocus(Qt::OtherFocusReason);
    QCoreApplication::instance()->installEventFilter(this);
}

CalculatorWindow::~CalculatorWindow() = default;

template <typename T> T& CalculatorWindow::control(const char* name) const
{
    T* found = findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        throw std::logic_error(std::string("calculator window without ") + name);
    return *found;
}

LimitedLineEdit& CalculatorWindow::textBox(TextBox box) const
{
    return control<LimitedLineEdit>(controlName(box));
}

CaptionLabel& CalculatorWindow::label(Label label) const
{
    return control<CaptionLabel>(controlName(label));
}

std::string CalculatorWindow::text(TextBox box) const
{
    return textBox(box).text().toStdString();
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
    // colour of its own digits; setBackColour keeps them readable.
    setBackColour(textBox(box), colour);
}

void CalculatorWindow::setBackColor(Label label, ColourValue colour)
{
    setBackColour(this->label(label), colour);
}

void CalculatorWindow::focusClearButton()
{
    control<QPushButton>("cmdClear").setFocus(Qt::OtherFocusReason);
}

void CalculatorWindow::msgBox(std::string_view prompt)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(ApplicationTitle), toQString(prompt), QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    if (m_messageBoxRunner)
        m_messageBoxRunner(box);
    else
        box.exec();
}

void CalculatorWindow::setMessageBoxRunner(MessageBoxRunner runner)
{
    m_messageBoxRunner = std::move(runner);
}

void CalculatorWindow::cmdSolve_Click()
{
    m_commands.cmdSolve_Click();
}

void CalculatorWindow::cmdClear_Click()
{
    m_commands.cmdClear_Click();
}

void CalculatorWindow::cmdBackMainPage_Click()
{
    emit backToMainPageRequested();
}

void CalculatorWindow::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        placeCentredOnScreen(*this);
    }
    QWidget::showEvent(event);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // System colours are palette roles: follow a change of the desktop's
    // colour scheme while the window is open. Qt 6.4 tells the application
    // object of it, but not reliably each window.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange)
        refreshColours(*this);
    return QWidget::eventFilter(watched, event);
}

std::unique_ptr<CalculatorWindow> createLineToLineWindow()
{
    return std::make_unique<CalculatorWindow>(lineToLineForm(), LineToLineCalculator);
}

std::unique_ptr<CalculatorWindow> createLineToNeutralWindow()
{
    return std::make_unique<CalculatorWindow>(lineToNeutralForm(), LineToNeutralCalculator);
}

std::unique_ptr<CalculatorWindow> createSinglePhaseWindow()
{
    return std::make_unique<CalculatorWindow>(singlePhaseForm(), SinglePhaseCalculator);
}

} // namespace quantelo
