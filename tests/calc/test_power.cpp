#include "calc/commands.h"
#include "calc/number_text.h"
#include "calc/power.h"
#include "tests/support/charconv.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>

namespace quantelo {
namespace {

TEST(PhaseFactor, LineToLineIsTheElevenDecimalConstantNotRootThree)
{
    EXPECT_EQ(testing::bitCast<std::uint64_t>(PhaseFactor::LineToLine), 0x3FFBB67AE858606BULL);
    EXPECT_NE(PhaseFactor::LineToLine, std::sqrt(3.0));
}

struct WorkedValue {
    const char* name;
    CalculatorKind kind;
    const char* volts;
    const char* amps;
    const char* pf;
    const char* realPower;
    const char* apPower;
    const char* pfText;
};

// Inputs as typed, outputs as displayed.
const WorkedValue workedValues[] = {
    {"LN_230V_10A_pf08", LineToNeutralCalculator, "230", "10", "0.8", "5.5", "6.9", "0.80"},
    {"LL_400V_10A_pf085", LineToLineCalculator, "400", "10", "0.85", "5.9", "6.9", "0.85"},
    {"LL_415V_100A_pf08", LineToLineCalculator, "415", "100", "0.8", "57.5", "71.9", "0.80"},
    {"1Ph_230V_10A_pf08", SinglePhaseCalculator, "230", "10", "0.8", "1.8", "2.3", "0.80"},
    {"LN_overLimit", LineToNeutralCalculator, "400000", "1000", "0.5", "600000.0", "1200000.0", "0.50"},
    {"1Ph_exactlyAtLimit", SinglePhaseCalculator, "999990", "1000", "1", "999990.0", "999990.0", "1.00"},
    {"LN_emptyPF", LineToNeutralCalculator, "230", "10", "", "0.0", "6.9", "0.00"},
    {"LL_negativePF", LineToLineCalculator, "400", "10", "-0.5", "-3.5", "6.9", "-0.50"},
    {"1Ph_pfRoundedToOne", SinglePhaseCalculator, "230", "100", "1.004", "23.1", "23.0", "1.00"},
    {"1Ph_emptyVoltage", SinglePhaseCalculator, "", "10", "0.8", "0.0", "0.0", "0.80"},
};

TEST(ComputePowers, WorkedValues)
{
    for (const auto& row : workedValues) {
        SCOPED_TRACE(row.name);
        CalculatorNumbers n;
        n.Volts = static_cast<float>(Val(row.volts));
        n.Amps = static_cast<float>(Val(row.amps));
        n.PF = static_cast<float>(Val(row.pf));
        ASSERT_EQ(ComputePowers(row.kind.phaseFactor, n), ComputeOutcome::Ok);
        EXPECT_EQ(Format(n.RealPower, PowerFormat), row.realPower);
        EXPECT_EQ(Format(n.ApPower, PowerFormat), row.apPower);
        EXPECT_EQ(Format(n.PF, PFFormat), row.pfText);
    }
}

TEST(ComputePowers, StoredInputsAreSinglesAndResultsRoundOnce)
{
    CalculatorNumbers n;
    n.Volts = 230.0F;
    n.Amps = 10.0F;
    n.PF = 0.8F; // 0.800000011920929 as stored
    ASSERT_EQ(ComputePowers(PhaseFactor::LineToNeutral, n), ComputeOutcome::Ok);
    const double expectedReal = 230.0 * 3.0 * 10.0 * static_cast<double>(0.8F) / 1000.0;
    EXPECT_EQ(n.RealPower, static_cast<float>(expectedReal));
    EXPECT_EQ(n.ApPower, 6.9F);
}

TEST(ComputePowers, FaultsBeyondTheSingleRange)
{
    struct Row {
        const char* name;
        float volts, amps, pf;
        ComputeOutcome outcome;
    };
    const Row rows[] = {
        {"bothOverflow", 1e25F, 1e20F, 0.8F, ComputeOutcome::RealPowerFault},
        {"onlyApparentOverflows", 1e25F, 1e20F, 1e-10F, ComputeOutcome::ApparentPowerFault},
        {"negativeOverflow", -1e25F, 1e20F, 0.8F, ComputeOutcome::RealPowerFault},
        {"largestThatFits", 1e18F, 1e18F, 1.0F, ComputeOutcome::Ok},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalculatorNumbers n;
        n.Volts = row.volts;
        n.Amps = row.amps;
        n.PF = row.pf;
        n.RealPower = 7.0F;
        n.ApPower = 9.0F;
        EXPECT_EQ(ComputePowers(PhaseFactor::SinglePhase, n), row.outcome);
        if (row.outcome == ComputeOutcome::RealPowerFault) {
            EXPECT_EQ(n.RealPower, 7.0F);
        }
        if (row.outcome != ComputeOutcome::Ok) {
            EXPECT_EQ(n.ApPower, 9.0F);
        }
        if (row.outcome == ComputeOutcome::ApparentPowerFault) {
            EXPECT_NE(n.RealPower, 7.0F);
        }
    }
}

TEST(ToSingle, RoundsToNearestAndRefusesWhatDoesNotFit)
{
    const double halfUlpAboveMax = 0x1.ffffffp127;
    EXPECT_EQ(toSingle(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(toSingle(std::nextafter(halfUlpAboveMax, 0.0)), FLT_MAX);
    EXPECT_FALSE(toSingle(halfUlpAboveMax));
    EXPECT_FALSE(toSingle(-halfUlpAboveMax));
    EXPECT_FALSE(toSingle(HUGE_VAL));
    EXPECT_FALSE(toSingle(-HUGE_VAL));
    EXPECT_FALSE(toSingle(std::nan("")));
    EXPECT_EQ(toSingle(0.8), 0.8F);
    EXPECT_EQ(toSingle(1e-50), 0.0F); // underflow is no fault
    EXPECT_TRUE(std::signbit(*toSingle(-1e-50)));
}

TEST(Rules, BoundsAreInclusiveAndLimitIsStrict)
{
    EXPECT_FALSE(isBelowPowerFactorRange(0.0));
    EXPECT_FALSE(isBelowPowerFactorRange(-0.0));
    EXPECT_TRUE(isBelowPowerFactorRange(-0.01));
    EXPECT_FALSE(isAbovePowerFactorRange(1.0));
    EXPECT_TRUE(isAbovePowerFactorRange(1.01));
    EXPECT_FALSE(isOverPowerLimit(Val("999990.0")));
    EXPECT_TRUE(isOverPowerLimit(Val("999990.1")));
    // The next single above 999990 shows as '999990.1' and is over.
    const float next = std::nextafter(999990.0F, 2e6F);
    EXPECT_EQ(Format(next, PowerFormat), "999990.1");
    EXPECT_TRUE(isOverPowerLimit(Val(Format(next, PowerFormat))));
}

} // namespace
} // namespace quantelo
