#pragma once

#include "calc/commands.h"
#include "layout/calculator_layouts.h"
#include "layout/form_description.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace quantelo {

// The calculators the main window opens, each one row of Calculators below.
enum class Calculator {
    LineToLine,
    LineToNeutral,
    SinglePhase,
};

// Everything that tells a calculator apart, for every front end: what Solve
// computes, how its window looks, and the main window's button that opens
// it.
struct CalculatorRow {
    Calculator which;
    // The phase factor and the colour of an empty-box report
    // (calc/commands.h).
    CalculatorKind kind;
    // Its window's table (calculator_layouts.h), built on first use.
    const FormDescription& (*form)();
    // The main window's button that opens it (main_layout.cpp).
    std::string_view mainButton;
};

// One row per calculator, in the order of the enum. A calculator is added
// here, with its kind (calc/commands.h), its window's table
// (calculator_layouts.cpp) and its button (main_layout.cpp).
inline constexpr std::array Calculators{
    CalculatorRow{Calculator::LineToLine, LineToLineCalculator, lineToLineForm, "Command1"},
    CalculatorRow{Calculator::LineToNeutral, LineToNeutralCalculator, lineToNeutralForm, "Command2"},
    CalculatorRow{Calculator::SinglePhase, SinglePhaseCalculator, singlePhaseForm, "Command3"},
};

// One element for each calculator, in the rows' order.
template <typename T> using PerCalculator = std::array<T, Calculators.size()>;

// The place of a calculator's row, and of its element in a PerCalculator.
constexpr std::size_t index(Calculator which)
{
    const auto at = static_cast<std::size_t>(which);
    if (at >= Calculators.size() || Calculators[at].which != which)
        std::abort(); // a calculator without its row
    return at;
}

constexpr bool rowsInEnumOrder()
{
    for (std::size_t i = 0; i < Calculators.size(); ++i) {
        if (static_cast<std::size_t>(Calculators[i].which) != i)
            return false;
    }
    return true;
}
static_assert(rowsInEnumOrder(), "Calculators must list the calculators once each, in the enum's order");

constexpr const CalculatorRow& row(Calculator which)
{
    return Calculators[index(which)];
}

// Every face a window asks for, each once: the stand-ins are chosen for
// these (forms/windows/fonts.h).
std::vector<std::string_view> askedFaces();

} // namespace quantelo
