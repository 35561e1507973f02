#pragma once

#include "calc/colour_value.h"
#include "calc/power.h"
#include "calc/suspendable.h"
#include "calc/window_model.h"

#include <string_view>

namespace quantelo {

// What tells the three calculators apart.
struct CalculatorKind {
    double phaseFactor;
    // lbl8's background when Solve reports an empty box.
    ColourValue emptyBoxColour;
};

inline constexpr CalculatorKind LineToLineCalculator{PhaseFactor::LineToLine, Colour::InactiveBorder};
inline constexpr CalculatorKind LineToNeutralCalculator{PhaseFactor::LineToNeutral, Colour::InactiveBorder};
inline constexpr CalculatorKind SinglePhaseCalculator{PhaseFactor::SinglePhase, Colour::Grey};

namespace Message {
inline constexpr std::string_view InvalidPF = " Invalid PF value";
inline constexpr std::string_view PFBelowRange = "Enter PF value between 0.00 and 1.00 ";
inline constexpr std::string_view PFAboveRange = "PF value should be between 0.00 and 1.00 ";
inline constexpr std::string_view EnterVoltage = " Enter Voltage";
inline constexpr std::string_view EnterCurrent = " Enter Current";
inline constexpr std::string_view EnterPowerFactor = " Enter Power Factor";
inline constexpr std::string_view LimitExceeded = "exceeded allocated value 9.99x10^5";
// Shown when an input or a result does not fit the single-precision numbers
// the calculator keeps; Solve then changes nothing on the window.
inline constexpr std::string_view TooLarge = "The values entered are too large to compute. ";
} // namespace Message

// The Solve and Clear commands of one calculator window, with the window's
// five numbers. One instance per window; it lives as long as the window.
class CalculatorCommands {
public:
    CalculatorCommands(CalculatorWindowModel& window, CalculatorKind kind);

    // Solve: reads the three inputs, computes, writes the results and the
    // power factor with two decimals, moves the focus to Clear, then reports
    // bad input and results over the limit. At a message box it waits for
    // the user, and goes on once the box is dismissed.
    void cmdSolve_Click();
    // Clear: empties the boxes and labels and resets the status colours.
    void cmdClear_Click();

    [[nodiscard]] const CalculatorNumbers& numbers() const { return m_numbers; }
    // Whether Solve is waiting for the user to dismiss a message box.
    [[nodiscard]] bool waiting() const { return m_solve.waiting(); }

private:
    SuspendableCommand solve();
    auto messageBox(std::string_view prompt)
    {
        return untilDismissed([this, prompt](Dismissed dismissed) { m_window.msgBox(prompt, std::move(dismissed)); });
    }
    void rejectPowerFactor();
    void reportEmptyBox(std::string_view message);
    void flagOverLimit(TextBox box);
    void announceOutcome();

    CalculatorWindowModel& m_window;
    CalculatorKind m_kind;
    CalculatorNumbers m_numbers;
    // The statuses the running Solve has set, for its announcement.
    std::string_view m_inputStatus;
    std::string_view m_limitStatus;
    // The last Solve, while it waits at a message box.
    SuspendableCommand m_solve;
};

} // namespace quantelo
