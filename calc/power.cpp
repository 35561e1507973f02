#include "calc/power.h"

#include <cmath>
#include <limits>

namespace quantelo {

namespace {
// Half an ulp of FLT_MAX above FLT_MAX: 2^128 - 2^103, exact in double.
// Rounding to nearest-even takes everything at or above it to infinity
// (FLT_MAX has an odd significand, so the tie goes up).
constexpr double SingleOverflowThreshold = 0x1.ffffffp127;
} // namespace

std::optional<float> toSingle(double value)
{
    if (std::isnan(value) || std::fabs(value) >= SingleOverflowThreshold) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

ComputeOutcome ComputePowers(double phaseFactor, CalculatorNumbers& numbers)
{
    // Every single widens to double exactly; each step below rounds once in
    // double, and the final store rounds once to single.
    const double volts = numbers.Volts;
    const double amps = numbers.Amps;
    const double pf = numbers.PF;

    const double realPower = volts * phaseFactor * amps * pf / 1000.0;
    const auto real = toSingle(realPower);
    if (!real) {
        return ComputeOutcome::RealPowerFault;
    }
    numbers.RealPower = *real;

    const double apparentPower = volts * phaseFactor * amps / 1000.0;
    const auto apparent = toSingle(apparentPower);
    if (!apparent) {
        return ComputeOutcome::ApparentPowerFault;
    }
    numbers.ApPower = *apparent;
    return ComputeOutcome::Ok;
}

bool isBelowPowerFactorRange(double pf)
{
    return pf < PowerFactorMin;
}

bool isAbovePowerFactorRange(double pf)
{
    return pf > PowerFactorMax;
}

bool isOverPowerLimit(double power)
{
    return power > PowerLimit;
}

} // namespace quantelo
