#include "calc/commands.h"

#include "calc/announcement.h"
#include "calc/number_text.h"

namespace quantelo {

CalculatorCommands::CalculatorCommands(CalculatorWindowModel& window, CalculatorKind kind)
    : m_window(window)
    , m_kind(kind)
{
}

void CalculatorCommands::cmdSolve_Click()
{
    if (waiting()) {
        return;
    }
    const std::weak_ptr<const bool> alive = m_alive;
    m_inSolve = true;
    SuspendableCommand command = solve();
    if (alive.expired()) {
        // The window went while the box's loop ran: these commands are gone,
        // and the stopped Solve ends with `command`.
        return;
    }
    m_inSolve = false;
    m_solve = std::move(command);
}

bool CalculatorCommands::cmdBackMainPage_Click() const
{
    return !waiting();
}

SuspendableCommand CalculatorCommands::solve()
{
    m_inputStatus = {};
    m_limitStatus = {};
    // Inputs are stored as singles. A value that does not fit one (or that
    // read as infinite) cannot be computed with: Solve empties the result
    // boxes, so that no earlier result stays beside the new inputs, says so
    // and stops. The inputs, captions and colours stay as they are.
    const auto readInput = [this](TextBox box, float& into) {
        const auto value = toSingle(Val(m_window.text(box)));
        if (value) {
            into = *value;
        }
        return value.has_value();
    };
    if (!readInput(TextBox::txtVolts, m_numbers.Volts) || !readInput(TextBox::txtAmps, m_numbers.Amps)
        || !readInput(TextBox::txtPF, m_numbers.PF)
        || ComputePowers(m_kind.phaseFactor, m_numbers) != ComputeOutcome::Ok) {
        m_window.setText(TextBox::txtRealPower, {});
        m_window.setText(TextBox::txtApPower, {});
        co_await messageBox(Message::TooLarge);
        announceOutcome();
        co_return;
    }

    m_window.setText(TextBox::txtRealPower, Format(m_numbers.RealPower, PowerFormat));
    m_window.setText(TextBox::txtApPower, Format(m_numbers.ApPower, PowerFormat));
    m_window.setText(TextBox::txtPF, Format(m_numbers.PF, PFFormat));
    m_window.focusClearButton();

    // The checks below are independent and all read the boxes' current
    // texts, so each sees what the earlier ones wrote: a rejected power
    // factor empties every box, and the empty-box checks then fire.
    if (isBelowPowerFactorRange(Val(m_window.text(TextBox::txtPF)))) {
        rejectPowerFactor();
        co_await messageBox(Message::PFBelowRange);
    }
    if (isAbovePowerFactorRange(Val(m_window.text(TextBox::txtPF)))) {
        rejectPowerFactor();
        co_await messageBox(Message::PFAboveRange);
    }
    if (m_window.text(TextBox::txtVolts).empty()) {
        reportEmptyBox(Message::EnterVoltage);
    }
    if (m_window.text(TextBox::txtAmps).empty()) {
        reportEmptyBox(Message::EnterCurrent);
    }
    if (m_window.text(TextBox::txtPF).empty()) {
        reportEmptyBox(Message::EnterPowerFactor);
    }
    if (isOverPowerLimit(Val(m_window.text(TextBox::txtRealPower)))) {
        flagOverLimit(TextBox::txtRealPower);
    }
    if (isOverPowerLimit(Val(m_window.text(TextBox::txtApPower)))) {
        flagOverLimit(TextBox::txtApPower);
    }
    announceOutcome();
    co_return;
}

void CalculatorCommands::cmdClear_Click()
{
    if (waiting()) {
        return;
    }
    for (const auto box :
         {TextBox::txtVolts, TextBox::txtAmps, TextBox::txtRealPower, TextBox::txtApPower, TextBox::txtPF}) {
        m_window.setText(box, {});
    }
    m_window.setCaption(Label::lbl8, {});
    m_window.setCaption(Label::lblMsg, {});
    m_window.setBackColor(TextBox::txtRealPower, Colour::Menu);
    m_window.setBackColor(TextBox::txtApPower, Colour::Menu);
    m_window.setBackColor(Label::lbl8, Colour::Menu);
}

void CalculatorCommands::rejectPowerFactor()
{
    m_window.setCaption(Label::lbl8, Message::InvalidPF);
    m_inputStatus = Message::InvalidPF;
    m_window.setBackColor(Label::lbl8, Colour::Grey);
    for (const auto box :
         {TextBox::txtAmps, TextBox::txtRealPower, TextBox::txtApPower, TextBox::txtPF, TextBox::txtVolts}) {
        m_window.setText(box, {});
    }
}

void CalculatorCommands::reportEmptyBox(std::string_view message)
{
    m_window.setCaption(Label::lbl8, message);
    m_inputStatus = message;
    m_window.setBackColor(Label::lbl8, m_kind.emptyBoxColour);
    m_window.setText(TextBox::txtRealPower, {});
    m_window.setText(TextBox::txtApPower, {});
}

void CalculatorCommands::flagOverLimit(TextBox box)
{
    m_window.setCaption(Label::lblMsg, Message::LimitExceeded);
    m_limitStatus = Message::LimitExceeded;
    m_window.setBackColor(box, Colour::WindowText);
}

void CalculatorCommands::announceOutcome()
{
    const std::string spoken = announcement({.realPower = m_window.text(TextBox::txtRealPower),
                                             .apparentPower = m_window.text(TextBox::txtApPower),
                                             .inputStatus = m_inputStatus,
                                             .limitStatus = m_limitStatus});
    if (!spoken.empty())
        m_window.announce(spoken);
}

} // namespace quantelo
