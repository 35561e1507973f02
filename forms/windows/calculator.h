#pragma once

namespace quantelo {

// The three calculators the main window opens.
enum class Calculator {
    LineToLine,    // frmPowerRealApparent3PhLL, Command1
    LineToNeutral, // frmPowerRealApparent3PhLN, Command2
    SinglePhase,   // frmPowerRealApparent1Phase, Command3
};

} // namespace quantelo
