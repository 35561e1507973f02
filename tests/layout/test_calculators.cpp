#include "layout/calculators.h"
#include "layout/main_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

namespace quantelo {
namespace {

struct CalculatorRowCase {
    const char* name;
    Calculator which;
    const char* form;
    const char* mainButton;
    double phaseFactor;
};

// Each calculator's row as the user meets it: the window its button opens,
// and the factor its results are computed with.
const CalculatorRowCase calculatorRows[] = {
    {"line to line", Calculator::LineToLine, "frmPowerRealApparent3PhLL", "Command1", PhaseFactor::LineToLine},
    {"line to neutral", Calculator::LineToNeutral, "frmPowerRealApparent3PhLN", "Command2", 3.0},
    {"single phase", Calculator::SinglePhase, "frmPowerRealApparent1Phase", "Command3", 1.0},
};

TEST(Calculators, OneRowEach)
{
    ASSERT_EQ(std::size(calculatorRows), Calculators.size());
    for (const auto& expected : calculatorRows) {
        SCOPED_TRACE(expected.name);
        const CalculatorRow& calculator = row(expected.which);
        EXPECT_EQ(calculator.which, expected.which);
        EXPECT_EQ(calculator.form().name, expected.form);
        EXPECT_EQ(calculator.mainButton, expected.mainButton);
        EXPECT_EQ(calculator.kind.phaseFactor, expected.phaseFactor);
    }
}

TEST(Calculators, AskedFacesAreEveryFaceOfTheTablesOnce)
{
    std::set<std::string_view> used{DefaultFont.face};
    for (const ControlDescription& control : mainForm().controls)
        used.insert(control.font.face);
    for (const CalculatorRow& calculator : Calculators) {
        for (const ControlDescription& control : calculator.form().controls)
            used.insert(control.font.face);
    }
    const std::vector<std::string_view> asked = askedFaces();
    const std::set<std::string_view> askedOnce(asked.begin(), asked.end());
    EXPECT_EQ(askedOnce.size(), asked.size()) << "a face asked for twice";
    EXPECT_EQ(askedOnce, used);
    // The four faces the stand-ins are chosen for (forms/windows/fonts.h).
    EXPECT_EQ(askedOnce,
              (std::set<std::string_view>{"MS Sans Serif", "Tahoma", "Arial Unicode MS", "@Arial Unicode MS"}));
}

} // namespace
} // namespace quantelo
