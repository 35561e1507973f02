#pragma once

#include <optional>

namespace quantelo {

// The three ways of giving a load differ only in this factor, held and
// applied in double precision.
namespace PhaseFactor {
// The line-to-line calculator's factor: the double nearest the
// eleven-decimal 1.73205080757 (0x3FFBB67AE858606B), deliberately not the
// double nearest the square root of 3, so that results match the formula
// line's 1.732 to the same eleven decimals.
inline constexpr double LineToLine = 1.73205080757;
inline constexpr double LineToNeutral = 3.0;
inline constexpr double SinglePhase = 1.0;
} // namespace PhaseFactor

// A displayed result above this is flagged (kW or kVA).
inline constexpr double PowerLimit = 999990.0;
// Power factors outside [0, 1] are rejected after the results are written.
inline constexpr double PowerFactorMin = 0.0;
inline constexpr double PowerFactorMax = 1.0;

// A calculator window's five numbers. They are single precision on purpose:
// the displayed results are those of the stored singles, so the rounding of
// inputs and results to 32 bits is part of what the user sees.
struct CalculatorNumbers {
    float Volts = 0.0F;     // V
    float Amps = 0.0F;      // A
    float PF = 0.0F;        // power factor, no unit
    float RealPower = 0.0F; // kW
    float ApPower = 0.0F;   // kVA
};

// Rounds a double to single precision (to nearest, ties to even), or gives
// nothing when the value is NaN or rounds beyond the largest finite single.
// Converting such a value with a plain cast would be undefined behaviour.
std::optional<float> toSingle(double value);

// How ComputePowers ended.
enum class ComputeOutcome {
    Ok,
    RealPowerFault,     // real power out of range: neither result stored
    ApparentPowerFault, // apparent power out of range: RealPower holds its new value
};

// Computes RealPower then ApPower from Volts, Amps and PF in `numbers`.
// Every product and the quotient are formed in double precision, in the
// fixed order ((Volts x k) x Amps) x PF / 1000, and rounded to single once,
// when stored. Apparent power is computed again from the stored inputs, not
// from RealPower.
ComputeOutcome ComputePowers(double phaseFactor, CalculatorNumbers& numbers);

// The two rules Solve applies to display texts, on the double Val returns.
// 0 and 1 are in range; exactly PowerLimit is not over it.
bool isBelowPowerFactorRange(double pf);
bool isAbovePowerFactorRange(double pf);
bool isOverPowerLimit(double power);

} // namespace quantelo
