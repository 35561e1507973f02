#pragma once

#include "calc/colour_value.h"
#include "calc/power.h"
#include "calc/suspendable.h"
#include "calc/window_model.h"

#include <memory>
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

// The commands of one calculator window, with the window's five numbers.
// One instance per window; it lives as long as the window, and no longer
// than Solve waits: destroying it ends a Solve waiting at its box.
//
// While Solve waits at a message box, every command of the window does
// nothing, whatever route pressed it: the box is modal for the keyboard and
// the mouse, but a screen reader can still press the buttons behind it.
class CalculatorCommands {
public:
    CalculatorCommands(CalculatorWindowModel& window, CalculatorKind kind);
    // A waiting Solve holds `this`: the commands stay where they were made.
    CalculatorCommands(const CalculatorCommands&) = delete;
    CalculatorCommands& operator=(const CalculatorCommands&) = delete;
    CalculatorCommands(CalculatorCommands&&) = delete;
    CalculatorCommands& operator=(CalculatorCommands&&) = delete;
    ~CalculatorCommands() = default;

    // Solve: reads the three inputs, computes, writes the results and the
    // power factor with two decimals, moves the focus to Clear, then reports
    // bad input and results over the limit. At a message box it waits for
    // the user, and goes on once the box is dismissed. Where the box waits
    // in an event loop of its own, the window (and these commands) may be
    // destroyed inside that loop: then this returns without touching them.
    void cmdSolve_Click();
    // Clear: empties the boxes and labels and resets the status colours.
    void cmdClear_Click();
    // Back to Main Page: whether the window may bring the main window to the
    // front.
    [[nodiscard]] bool cmdBackMainPage_Click() const;

    [[nodiscard]] const CalculatorNumbers& numbers() const { return m_numbers; }
    // Whether Solve is waiting for the user to dismiss a message box.
    [[nodiscard]] bool waiting() const { return m_inSolve || m_solve.waiting(); }

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
    // The last Solve, while it waits at a message box that returned at once
    // (a web page's).
    SuspendableCommand m_solve;
    // Solve has not returned yet: it waits in a box's own event loop (the
    // desktop's).
    bool m_inSolve = false;
    // Ends with these commands; a Solve that returns from a box's loop
    // looks here first (cmdSolve_Click).
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};

} // namespace quantelo
