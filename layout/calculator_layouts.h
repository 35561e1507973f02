#pragma once

#include "layout/form_description.h"

#include <array>
#include <string_view>

namespace quantelo {

// The command buttons a calculator window connects: Solve, Clear and Back to
// Main Page. Every table has them (calculator_layouts.cpp checks it as it
// builds).
inline constexpr std::string_view SolveButton = "cmdSolve";
inline constexpr std::string_view ClearButton = "cmdClear";
inline constexpr std::string_view BackButton = "cmdBackMainPage";
inline constexpr std::array CalculatorButtons{SolveButton, ClearButton, BackButton};

// The three calculator windows. The single-phase window is the base; the
// other two are described by their differences from it. Each description is
// built once and lives as long as the program.
const FormDescription& singlePhaseForm();   // frmPowerRealApparent1Phase
const FormDescription& lineToNeutralForm(); // frmPowerRealApparent3PhLN
const FormDescription& lineToLineForm();    // frmPowerRealApparent3PhLL

} // namespace quantelo
