#include "calc/announcement.h"
#include "calc/commands.h"
#include "tests/support/fake_window.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quantelo {
namespace {

using test_support::FakeWindow;

struct SolveCase {
    const char* name;
    CalculatorKind kind;
    const char* volts;
    const char* amps;
    const char* pf;
    std::vector<std::string> log;
    // What a screen-reader user is told when Solve ends; "" for nothing.
    std::string announced;
};

const std::vector<std::string> emptyAll = {
    "txtAmps.Text=''", "txtRealPower.Text=''", "txtApPower.Text=''", "txtPF.Text=''", "txtVolts.Text=''",
};

std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<std::string> results(const char* real, const char* apparent, const char* pf)
{
    return {std::string("txtRealPower.Text='") + real + "'", std::string("txtApPower.Text='") + apparent + "'",
            std::string("txtPF.Text='") + pf + "'", "focus cmdClear"};
}

std::vector<std::string> emptyBox(const char* message, const char* colour)
{
    return {std::string("lbl8.Caption='") + message + "'", std::string("lbl8.BackColor=") + colour,
            "txtRealPower.Text=''", "txtApPower.Text=''"};
}

const std::vector<std::string> limitReal
    = {"lblMsg.Caption='exceeded allocated value 9.99x10^5'", "txtRealPower.BackColor=80000008"};
const std::vector<std::string> limitApparent
    = {"lblMsg.Caption='exceeded allocated value 9.99x10^5'", "txtApPower.BackColor=80000008"};

std::vector<std::string> rejectedPF(const char* message)
{
    return join({{"lbl8.Caption=' Invalid PF value'", "lbl8.BackColor=00808080"},
                 emptyAll,
                 {std::string("MsgBox '") + message + "' over [||||]"}});
}

// The announcement of a good Solve, as the program words it.
std::string spokenResults(const char* real, const char* apparent)
{
    return std::string("Real power ") + real + " kW, apparent power " + apparent + " kVA.";
}

const char* const belowMsg = "Enter PF value between 0.00 and 1.00 ";
const char* const aboveMsg = "PF value should be between 0.00 and 1.00 ";

std::vector<SolveCase> solveCases()
{
    return {
        {"typicalLineToNeutral", LineToNeutralCalculator, "230", "10", "0.8", results("5.5", "6.9", "0.80"),
         spokenResults("5.5", "6.9")},
        {"typicalSinglePhase", SinglePhaseCalculator, "230", "10", "0.8", results("1.8", "2.3", "0.80"),
         spokenResults("1.8", "2.3")},
        {"typicalLineToLine", LineToLineCalculator, "415", "100", "0.8", results("57.5", "71.9", "0.80"),
         spokenResults("57.5", "71.9")},
        {"emptyPowerFactorIsZero", LineToNeutralCalculator, "230", "10", "", results("0.0", "6.9", "0.00"),
         spokenResults("0.0", "6.9")},
        {"emptyVoltage", LineToLineCalculator, "", "10", "0.8",
         join({results("0.0", "0.0", "0.80"), emptyBox(" Enter Voltage", "8000000B")}), " Enter Voltage"},
        {"emptyVoltageSinglePhaseIsGrey", SinglePhaseCalculator, "", "10", "0.8",
         join({results("0.0", "0.0", "0.80"), emptyBox(" Enter Voltage", "00808080")}), " Enter Voltage"},
        {"currentWinsOverVoltage", LineToNeutralCalculator, "", "", "0.8",
         join({results("0.0", "0.0", "0.80"), emptyBox(" Enter Voltage", "8000000B"),
               emptyBox(" Enter Current", "8000000B")}),
         " Enter Current"},
        {"blankVoltageIsNotEmpty", LineToNeutralCalculator, " ", "10", "0.8", results("0.0", "0.0", "0.80"),
         spokenResults("0.0", "0.0")},
        {"negativePF", LineToLineCalculator, "400", "10", "-0.5",
         join({results("-3.5", "6.9", "-0.50"), rejectedPF(belowMsg), emptyBox(" Enter Voltage", "8000000B"),
               emptyBox(" Enter Current", "8000000B"), emptyBox(" Enter Power Factor", "8000000B")}),
         " Enter Power Factor"},
        {"pfAboveOneSinglePhase", SinglePhaseCalculator, "230", "10", "1.5",
         join({results("3.5", "2.3", "1.50"), rejectedPF(aboveMsg), emptyBox(" Enter Voltage", "00808080"),
               emptyBox(" Enter Current", "00808080"), emptyBox(" Enter Power Factor", "00808080")}),
         " Enter Power Factor"},
        {"pfRoundingToOneIsAccepted", SinglePhaseCalculator, "230", "100", "1.004", results("23.1", "23.0", "1.00"),
         spokenResults("23.1", "23.0")},
        {"pfRoundingAboveOneIsRejected", SinglePhaseCalculator, "230", "100", "1.006",
         join({results("23.1", "23.0", "1.01"), rejectedPF(aboveMsg), emptyBox(" Enter Voltage", "00808080"),
               emptyBox(" Enter Current", "00808080"), emptyBox(" Enter Power Factor", "00808080")}),
         " Enter Power Factor"},
        {"pfRoundingToMinusZeroIsAccepted", SinglePhaseCalculator, "230", "10", "-0.004", results("0.0", "2.3", "0.00"),
         spokenResults("0.0", "2.3")},
        {"pfZeroAndVoltageWithUnit", SinglePhaseCalculator, "230V", "10", "0", results("0.0", "2.3", "0.00"),
         spokenResults("0.0", "2.3")},
        {"onlyApparentOverLimit", LineToNeutralCalculator, "400000", "1000", "0.5",
         join({results("600000.0", "1200000.0", "0.50"), limitApparent}),
         "Real power 600000.0 kW, apparent power 1200000.0 kVA. exceeded allocated value 9.99x10^5"},
        {"bothOverLimit", LineToNeutralCalculator, "400000", "1000", "1",
         join({results("1200000.0", "1200000.0", "1.00"), limitReal, limitApparent}),
         "Real power 1200000.0 kW, apparent power 1200000.0 kVA. exceeded allocated value 9.99x10^5"},
        {"exactlyAtLimitIsNotOver", SinglePhaseCalculator, "999990", "1000", "1",
         results("999990.0", "999990.0", "1.00"), spokenResults("999990.0", "999990.0")},
        {"overLimitAndEmptyCurrent", SinglePhaseCalculator, "1E12", "", "1",
         join({results("0.0", "0.0", "1.00"), emptyBox(" Enter Current", "00808080")}), " Enter Current"},
        // Inputs or results that do not fit a single: the result boxes are
        // emptied (no earlier result stays beside the new inputs), then one
        // message; nothing else is written.
        {"voltageBeyondDoubleRange",
         LineToNeutralCalculator,
         "1E999",
         "10",
         "0.8",
         {"txtRealPower.Text=''", "txtApPower.Text=''",
          "MsgBox 'The values entered are too large to compute. ' over [1E999|10|0.8||]"},
         ""},
        {"currentBeyondSingleRange",
         LineToNeutralCalculator,
         "230",
         "1E39",
         "0.8",
         {"txtRealPower.Text=''", "txtApPower.Text=''",
          "MsgBox 'The values entered are too large to compute. ' over [230|1E39|0.8||]"},
         ""},
        {"resultBeyondSingleRange",
         LineToLineCalculator,
         "1E25",
         "1E20",
         "0.8",
         {"txtRealPower.Text=''", "txtApPower.Text=''",
          "MsgBox 'The values entered are too large to compute. ' over [1E25|1E20|0.8||]"},
         ""},
        {"bothInputsAtTheSingleLimit",
         SinglePhaseCalculator,
         "1e38",
         "1e38",
         "0.8",
         {"txtRealPower.Text=''", "txtApPower.Text=''",
          "MsgBox 'The values entered are too large to compute. ' over [1e38|1e38|0.8||]"},
         ""},
        {"tinyInputsUnderflowToZero", SinglePhaseCalculator, "1E-999", "1E-50", "0.8", results("0.0", "0.0", "0.80"),
         spokenResults("0.0", "0.0")},
    };
}

// Each case twice: with message boxes that return once dismissed (the
// desktop), and with boxes that stay open until the user clicks OK later (a
// web page), where Solve must stop at the box and go on only after OK.
TEST(Solve, WritesInOrder)
{
    for (const bool held : {false, true}) {
        for (const auto& c : solveCases()) {
            SCOPED_TRACE(std::string(c.name) + (held ? ", box held open" : ""));
            FakeWindow window;
            window.holdMessageBoxes = held;
            window.type(c.volts, c.amps, c.pf);
            CalculatorCommands commands(window, c.kind);
            commands.cmdSolve_Click();
            std::vector<std::string> expected;
            for (const auto& line : c.log) {
                expected.push_back(line);
                if (held && line.starts_with("MsgBox ")) {
                    expected.emplace_back("OK");
                }
            }
            if (!c.announced.empty()) {
                expected.push_back(std::string("Announce '") + c.announced + "'");
            }
            while (window.openBox) {
                EXPECT_TRUE(commands.waiting());
                window.clickOk();
            }
            EXPECT_FALSE(commands.waiting());
            EXPECT_EQ(window.log, expected);
        }
    }
}

TEST(Solve, FaultKeepsInputsStoredBeforeIt)
{
    FakeWindow window;
    window.type("1E25", "1E20", "1E-10");
    CalculatorCommands commands(window, SinglePhaseCalculator);
    commands.cmdSolve_Click();
    EXPECT_EQ(commands.numbers().Volts, 1e25F);
    EXPECT_EQ(commands.numbers().PF, 1e-10F);
    EXPECT_EQ(commands.numbers().RealPower, static_cast<float>(1e25 * 1e20 * static_cast<double>(1e-10F) / 1000.0));
    EXPECT_EQ(commands.numbers().ApPower, 0.0F);
}

TEST(Solve, StatusStaysAfterACorrectedRun)
{
    FakeWindow window;
    CalculatorCommands commands(window, LineToNeutralCalculator);
    window.type("", "10", "0.8");
    commands.cmdSolve_Click();
    window.log.clear();
    window.type("230", "10", "0.80");
    commands.cmdSolve_Click();
    // Nothing empties the stale " Enter Voltage" or resets a colour, and
    // only what this Solve did is announced.
    EXPECT_EQ(window.log, join({results("5.5", "6.9", "0.80"), {"Announce '" + spokenResults("5.5", "6.9") + "'"}}));
}

// A web page's box stays open while the user reads it: the announcement
// waits for OK, and a second Solve meanwhile abandons the first unheard.
TEST(Solve, AnnouncesOnceTheBoxIsDismissed)
{
    FakeWindow window;
    window.holdMessageBoxes = true;
    CalculatorCommands commands(window, SinglePhaseCalculator);
    window.type("230", "10", "1.5");
    commands.cmdSolve_Click();
    EXPECT_FALSE(window.log.back().starts_with("Announce"));
    window.clickOk();
    EXPECT_EQ(window.log.back(), "Announce ' Enter Power Factor'");
}

TEST(Announcement, ColourMeaning)
{
    struct Row {
        const char* name;
        TextBox box;
        ColourValue colour;
        std::string_view meaning;
    };
    const Row rows[] = {
        {"flaggedRealPower", TextBox::txtRealPower, Colour::WindowText, Message::LimitExceeded},
        {"flaggedApparentPower", TextBox::txtApPower, Colour::WindowText, Message::LimitExceeded},
        {"clearedResult", TextBox::txtRealPower, Colour::Menu, ""},
        {"inputBoxIsNeverFlagged", TextBox::txtPF, Colour::WindowText, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(colourMeaning(row.box, row.colour), row.meaning);
    }
}

TEST(Clear, EmptiesAndResetsColoursInOrder)
{
    FakeWindow window;
    CalculatorCommands commands(window, LineToLineCalculator);
    window.type("400000", "1000", "1");
    commands.cmdSolve_Click();
    window.log.clear();
    commands.cmdClear_Click();
    const std::vector<std::string> expected = {
        "txtVolts.Text=''",
        "txtAmps.Text=''",
        "txtRealPower.Text=''",
        "txtApPower.Text=''",
        "txtPF.Text=''",
        "lbl8.Caption=''",
        "lblMsg.Caption=''",
        "txtRealPower.BackColor=80000004",
        "txtApPower.BackColor=80000004",
        "lbl8.BackColor=80000004",
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(window.texts, (std::array<std::string, 5>{}));
}

// A press on the window while Solve waits at its box: the box is modal for
// the keyboard and the mouse, but a screen reader presses buttons behind it,
// and can type into the boxes first.
struct PressBehindBox {
    const char* name;
    const char* retypedPowerFactor; // typed behind the box first, or nullptr
    std::function<void(CalculatorCommands&)> press;
};

std::vector<PressBehindBox> pressesBehindBox()
{
    return {
        {"solve", nullptr, [](CalculatorCommands& commands) { commands.cmdSolve_Click(); }},
        {"solveOnRetypedInputs", "1.7", [](CalculatorCommands& commands) { commands.cmdSolve_Click(); }},
        {"clear", nullptr, [](CalculatorCommands& commands) { commands.cmdClear_Click(); }},
        {"back", nullptr, [](CalculatorCommands& commands) { EXPECT_FALSE(commands.cmdBackMainPage_Click()); }},
    };
}

// Solve on a rejected power factor; behind its box, `row`'s typing and then,
// with `pressed`, its press.
void solveWithPressBehindBox(FakeWindow& window, bool held, const PressBehindBox& row, bool pressed)
{
    window.holdMessageBoxes = held;
    window.type("230", "10", "1.5");
    CalculatorCommands commands(window, SinglePhaseCalculator);
    const auto behindBox = [&] {
        const std::size_t writesAtBox = window.log.size();
        EXPECT_TRUE(commands.waiting());
        if (row.retypedPowerFactor != nullptr) {
            window.type("230", "10", row.retypedPowerFactor);
        }
        if (pressed) {
            row.press(commands);
        }
        EXPECT_EQ(window.log.size(), writesAtBox) << "written behind the box";
        EXPECT_EQ(window.messageBoxes.size(), 1U);
    };
    if (held) {
        commands.cmdSolve_Click();
        behindBox();
        window.clickOk();
    } else {
        window.whileBoxOpen = [&] {
            behindBox();
            return true;
        };
        commands.cmdSolve_Click();
    }
    EXPECT_FALSE(commands.waiting());
    EXPECT_TRUE(commands.cmdBackMainPage_Click());
}

// Each press, with the box held open (a web page) and inside the box's own
// loop (the desktop): it writes nothing, and after OK the window ends as it
// does without the press.
TEST(Commands, DoNothingWhileSolveWaits)
{
    for (const bool held : {false, true}) {
        for (const auto& row : pressesBehindBox()) {
            SCOPED_TRACE(std::string(row.name) + (held ? ", box held open" : ", box in its own loop"));
            FakeWindow unpressed;
            solveWithPressBehindBox(unpressed, held, row, false);
            FakeWindow window;
            solveWithPressBehindBox(window, held, row, true);
            EXPECT_EQ(window.log, unpressed.log);
            EXPECT_EQ(window.texts, unpressed.texts);
            EXPECT_EQ(window.captions, unpressed.captions);
            EXPECT_EQ(window.boxColours, unpressed.boxColours);
            EXPECT_EQ(window.labelColours, unpressed.labelColours);
        }
    }
}

// The window, and its commands with it, destroyed while Solve waits at its
// box: nothing is written afterwards and nothing of the commands is touched
// (AddressSanitizer watches the test build), whether the box was held open
// and OK comes later, or the box's own loop returns without its window.
TEST(Commands, WindowGoneWhileSolveWaits)
{
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "box held open, then OK" : "box in its own loop");
        FakeWindow window;
        window.holdMessageBoxes = held;
        window.type("230", "10", "1.5");
        auto commands = std::make_unique<CalculatorCommands>(window, SinglePhaseCalculator);
        std::size_t writesAtBox = 0;
        if (!held) {
            window.whileBoxOpen = [&] {
                writesAtBox = window.log.size();
                commands.reset();
                return false;
            };
        }
        commands->cmdSolve_Click();
        if (held) {
            writesAtBox = window.log.size();
            commands.reset();
            window.clickOk(); // logs "OK", and must do nothing else
        }
        EXPECT_EQ(commands, nullptr);
        EXPECT_EQ(window.log.size(), writesAtBox + (held ? 1 : 0));
        EXPECT_EQ(window.captions[index(Label::lbl8)], " Invalid PF value");
    }
}

} // namespace
} // namespace quantelo
