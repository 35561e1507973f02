#include "layout/calculator_layouts.h"

#include "calc/window_model.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace quantelo {
namespace {

constexpr FontDescription TitleFont{"@Arial Unicode MS", 14.25, BoldWeight};
constexpr FontDescription FrameFont{"MS Sans Serif", 8.25, BoldWeight};
constexpr FontDescription CaptionFont{"@Arial Unicode MS", 12, BoldWeight};
constexpr FontDescription BoxFont{"Tahoma", 12, NormalWeight};
constexpr FontDescription UnitFont{"Tahoma", 9.75, NormalWeight};
constexpr FontDescription BoldUnitFont{"Tahoma", 9.75, BoldWeight};
constexpr FontDescription ResultCaptionFont{"Tahoma", 12, BoldWeight};
constexpr FontDescription StatusFont{"@Arial Unicode MS", 14.25, BoldWeight};
constexpr FontDescription MessageFont{"Arial Unicode MS", 9.75, BoldWeight};
constexpr FontDescription FormulaFont{"@Arial Unicode MS", 9, NormalWeight};
constexpr FontDescription ButtonFont{"Arial Unicode MS", 9.75, BoldWeight};
constexpr FontDescription CreditFont{"@Arial Unicode MS", 9.75, BoldWeight};

constexpr ColourValue FrameCaptionOrange = 0x000080FFU; // RGB 255, 128, 0
constexpr ColourValue White = 0x00FFFFFFU;
constexpr ColourValue DarkGrey = 0x00404040U;
constexpr ColourValue LightGrey = 0x00C0C0C0U;

constexpr auto Frame = ControlKind::Frame;
constexpr auto Button = ControlKind::CommandButton;
constexpr auto Centre = TextAlignment::Centre;
constexpr std::string_view InputFrame = "Frame2";
constexpr std::string_view ResultFrame = "Frame1";

// The controls of a calculator window by name, in creation order: a frame
// comes before its controls, and a control lies above those created before
// it. A Row is a control's description, or a window's change to it.
template <typename Row> struct CalculatorRows {
    Row Label1 = {}; // the title line
    Row Frame2 = {}; // the input frame
    Row lblVoltage = {};
    Row txtVolts = {};
    Row lblVolts = {};
    Row lblCurrent = {};
    Row txtAmps = {};
    Row lblAmps = {};
    Row lblPF = {};
    Row txtPF = {};
    Row lblPF2 = {}; // the line-to-line window's unit beside the power-factor box
    Row Label7 = {}; // the hint beside the power-factor box
    Row lbl8 = {};   // input status (an empty box, a power factor out of range)
    Row Frame1 = {}; // the result frame
    Row lblRealPower = {};
    Row txtRealPower = {};
    Row lblKW = {};
    Row lblMsg = {}; // limit status (a result over the limit)
    Row lblApPower = {};
    Row txtApPower = {};
    Row lblkVA = {};
    Row lblPowerEq = {}; // lblPowerEq, lblPowerEq2: the two formulas
    Row lblPowerEq2 = {};
    Row cmdSolve = {};
    Row cmdClear = {};
    Row cmdBackMainPage = {};
    Row lblInfo1 = {}; // the credit line
};
using CalculatorControls = CalculatorRows<ControlDescription>;
using CalculatorChanges = CalculatorRows<ControlChange>;

// The rows of `rows`, in creation order. The structured binding names as
// many rows as CalculatorRows has members, or it does not compile: a control
// added to CalculatorRows without a name here fails the build, so every
// control of the tables is visited.
template <typename Rows> constexpr auto rowsOf(Rows& rows)
{
    auto& [r0, r1, r2, r3, r4, r5, r6, r7, r8, r9, r10, r11, r12, r13, r14, r15, r16, r17, r18, r19, r20, r21, r22, r23,
           r24, r25, r26]
        = rows;
    return std::tie(r0, r1, r2, r3, r4, r5, r6, r7, r8, r9, r10, r11, r12, r13, r14, r15, r16, r17, r18, r19, r20, r21,
                    r22, r23, r24, r25, r26);
}

// Calls `f` with the rows of control number `I` from each of `sets`.
template <std::size_t I, typename F, typename... Sets> constexpr void visitControl(F& f, Sets&... sets)
{
    f(std::get<I>(rowsOf(sets))...);
}

template <typename F, typename... Sets, std::size_t... I>
constexpr void visitControls(std::index_sequence<I...> /*controls*/, F& f, Sets&... sets)
{
    (visitControl<I>(f, sets...), ...);
}

// Calls `f` with the rows of one control from each of `sets`, control by
// control in creation order.
template <typename F, typename First, typename... Sets> constexpr void forEachControl(F f, First& first, Sets&... sets)
{
    constexpr std::size_t count = std::tuple_size_v<decltype(rowsOf(first))>;
    visitControls(std::make_index_sequence<count>{}, f, first, sets...);
}

// The members of CalculatorRows in order: the name each row gives its
// control. A row's `.name` must be its member's, and each name is the only
// one of its kind (checked below for every window).
constexpr std::array<std::string_view, 27> ControlNames{
    "Label1",       "Frame2",       "lblVoltage", "txtVolts", "lblVolts",        "lblCurrent", "txtAmps",
    "lblAmps",      "lblPF",        "txtPF",      "lblPF2",   "Label7",          "lbl8",       "Frame1",
    "lblRealPower", "txtRealPower", "lblKW",      "lblMsg",   "lblApPower",      "txtApPower", "lblkVA",
    "lblPowerEq",   "lblPowerEq2",  "cmdSolve",   "cmdClear", "cmdBackMainPage", "lblInfo1",
};
static_assert(std::tuple_size_v<decltype(rowsOf(std::declval<CalculatorControls&>()))> == ControlNames.size(),
              "one name for each member of CalculatorRows");
static_assert(namesUnique(ControlNames));

// Whether every row present is named as its member.
constexpr bool namedAsMembers(const CalculatorControls& controls)
{
    std::size_t member = 0;
    bool named = true;
    forEachControl(
        [&](const ControlDescription& control) {
            named = named && (control.name.empty() || control.name == ControlNames[member]);
            ++member;
        },
        controls);
    return named;
}

// frmPowerRealApparent1Phase, the base of the other two; it has no lblPF2.
constexpr CalculatorControls singlePhaseControls()
{
    return {
        .Label1 = {.name = "Label1",
                   .caption = "Real and Apparent Power in 1 Ph Circuits",
                   .rect = {240, 360, 9555, 375},
                   .font = TitleFont,
                   .foreColor = Colour::Grey,
                   .alignment = Centre},
        .Frame2 = {.name = "Frame2",
                   .kind = Frame,
                   .caption = "Input Values",
                   .rect = {240, 1200, 10095, 2055},
                   .font = FrameFont,
                   .foreColor = FrameCaptionOrange},
        .lblVoltage = {.name = "lblVoltage",
                       .container = InputFrame,
                       .caption = "Voltage L-N",
                       .rect = {120, 405, 1455, 375},
                       .font = CaptionFont},
        .txtVolts = {.name = "txtVolts",
                     .kind = ControlKind::TextBox,
                     .container = InputFrame,
                     .rect = {2040, 360, 1000, 500},
                     .font = BoxFont,
                     .alignment = Centre,
                     .tabIndex = 1,
                     .typingLimit = 6,
                     .accessibleName = "Voltage L-N, Volts"},
        .lblVolts = {.name = "lblVolts",
                     .container = InputFrame,
                     .caption = "Volts",
                     .rect = {3240, 480, 1095, 255},
                     .font = UnitFont},
        .lblCurrent = {.name = "lblCurrent",
                       .container = InputFrame,
                       .caption = "Current",
                       .rect = {4560, 400, 975, 375},
                       .font = CaptionFont},
        .txtAmps = {.name = "txtAmps",
                    .kind = ControlKind::TextBox,
                    .container = InputFrame,
                    .rect = {5760, 360, 1000, 500},
                    .font = BoxFont,
                    .alignment = Centre,
                    .tabIndex = 2,
                    .typingLimit = 6,
                    .accessibleName = "Current, Amps"},
        .lblAmps = {.name = "lblAmps",
                    .container = InputFrame,
                    .caption = "Amps",
                    .rect = {6960, 480, 735, 255},
                    .font = UnitFont},
        .lblPF = {.name = "lblPF",
                  .container = InputFrame,
                  .caption = "Power Factor",
                  .rect = {120, 1200, 1695, 375},
                  .font = CaptionFont},
        .txtPF = {.name = "txtPF",
                  .kind = ControlKind::TextBox,
                  .container = InputFrame,
                  .rect = {2040, 1200, 1000, 500},
                  .font = BoxFont,
                  .alignment = Centre,
                  .tabIndex = 3,
                  .typingLimit = 4,
                  .accessibleName = "Power Factor"},
        .Label7 = {.name = "Label7",
                   .container = InputFrame,
                   .caption = "Valid PF  Values  0.00  to 1.00",
                   .rect = {3240, 1320, 3135, 500},
                   .font = BoldUnitFont,
                   .foreColor = Colour::Grey,
                   .alignment = Centre},
        .lbl8 = {.name = "lbl8",
                 .container = InputFrame,
                 .rect = {6840, 1200, 3015, 500},
                 .font = StatusFont,
                 .foreColor = White,
                 .alignment = Centre,
                 .accessibleName = "Input status"},
        .Frame1 = {.name = "Frame1",
                   .kind = Frame,
                   .caption = "Result",
                   .rect = {480, 3480, 6900, 3135},
                   .font = FrameFont,
                   .foreColor = FrameCaptionOrange},
        .lblRealPower = {.name = "lblRealPower",
                         .container = ResultFrame,
                         .caption = "Real Power ( P) =",
                         .rect = {720, 600, 2415, 375},
                         .font = ResultCaptionFont,
                         .backColor = Colour::InactiveBorder},
        .txtRealPower = {.name = "txtRealPower",
                         .kind = ControlKind::TextBox,
                         .container = ResultFrame,
                         .rect = {3360, 480, 1200, 500},
                         .font = BoxFont,
                         .tabIndex = 16,
                         .typingLimit = 7,
                         .accessibleName = "Real Power (P), kW"},
        .lblKW = {.name = "lblKW",
                  .container = ResultFrame,
                  .caption = "kW",
                  .rect = {4680, 600, 495, 255},
                  .font = BoldUnitFont,
                  .backColor = Colour::InactiveBorder},
        // Tall enough for the limit message over several lines.
        .lblMsg = {.name = "lblMsg",
                   .container = ResultFrame,
                   .rect = {5280, 480, 1215, 1095},
                   .font = MessageFont,
                   .foreColor = Colour::DarkShadow3D,
                   .accessibleName = "Result status"},
        .lblApPower = {.name = "lblApPower",
                       .container = ResultFrame,
                       .caption = "Apparent Power (S) =",
                       .rect = {120, 1320, 3015, 375},
                       .font = ResultCaptionFont,
                       .backColor = Colour::InactiveBorder},
        .txtApPower = {.name = "txtApPower",
                       .kind = ControlKind::TextBox,
                       .container = ResultFrame,
                       .rect = {3360, 1200, 1200, 500},
                       .font = BoxFont,
                       .tabIndex = 15,
                       .typingLimit = 7,
                       .accessibleName = "Apparent Power (S), kVA"},
        .lblkVA = {.name = "lblkVA",
                   .container = ResultFrame,
                   .caption = "kVA",
                   .rect = {4680, 1320, 495, 255},
                   .font = BoldUnitFont,
                   .backColor = Colour::InactiveBorder},
        .lblPowerEq = {.name = "lblPowerEq",
                       .container = ResultFrame,
                       .caption = " Real Power (P ) =  Voltage (L-N ) x Current  x  PF / 1000",
                       .rect = {120, 1920, 6615, 495},
                       .font = FormulaFont,
                       .backColor = Colour::InactiveBorder,
                       .alignment = Centre},
        .lblPowerEq2 = {.name = "lblPowerEq2",
                        .container = ResultFrame,
                        .caption = "Apparent Power ( S ) =  Voltage(L-N )  x  Current  / 1000",
                        .rect = {120, 2520, 6255, 495},
                        .font = FormulaFont,
                        .backColor = Colour::InactiveBorder,
                        .alignment = Centre},
        .cmdSolve = {.name = "cmdSolve",
                     .kind = Button,
                     .caption = "&Solve",
                     .rect = {8040, 3840, 1455, 495},
                     .font = ButtonFont,
                     .tabIndex = 4},
        .cmdClear = {.name = "cmdClear",
                     .kind = Button,
                     .caption = "&Clear",
                     .rect = {8040, 4680, 1455, 495},
                     .font = ButtonFont,
                     .tabIndex = 5},
        .cmdBackMainPage = {.name = "cmdBackMainPage",
                            .kind = Button,
                            .caption = "&Back to Main Page",
                            .rect = {7800, 5400, 2175, 615},
                            .font = ButtonFont,
                            .tabIndex = 6},
        .lblInfo1 = {.name = "lblInfo1",
                     .caption = "www.kestrova.example",
                     .rect = {7680, 6360, 2775, 375},
                     .font = CreditFont,
                     .foreColor = LightGrey,
                     .alignment = Centre},
    };
}

constexpr CalculatorChanges LineToNeutralChanges{
    // One line high: the blanks push "9 L - N" onto a second line, which
    // stays hidden below the label's bottom edge.
    .Label1
    = {.top = 345,
       .width = 9915,
       .caption = "Real and Apparent Power in 3 Ph Circuits - Voltage (L - N  )                                      "
                  "9 L - N"},
    .Frame2 = {.left = 237, .top = 1175},
    .lblVoltage = {.width = 1815, .caption = "Voltage L- N"},
    .lbl8 = {.foreColor = DarkGrey},
    .Frame1 = {.left = 473, .top = 3406, .width = 6803},
    .txtRealPower = {.typingLimit = 8},
    .txtApPower = {.typingLimit = 8},
    .lblPowerEq
    = {.width = 6495, .caption = "Real Power ( P ) = 3  x  Voltage(L-N )  x  Current  x  Power Factor / 1000"},
    .lblPowerEq2 = {.caption = "Apparent Power ( S ) = 3  x  Voltage(L-N )  x  Current  / 1000"},
    .cmdSolve = {.top = 3720},
    .cmdClear = {.top = 4560},
    .cmdBackMainPage = {.top = 5280},
    .lblInfo1 = {.top = 6240},
};

// Its own tab indices: the result boxes come in screen order, real power
// first (cmdBackMainPage keeps 6).
constexpr CalculatorChanges LineToLineChanges{
    .Label1 = {.caption = "Real and Apparent Power in 3 Ph Circuits - Voltage(L - L )"},
    .lblVoltage = {.caption = "Voltage L-L"},
    .txtVolts = {.tabIndex = 0, .accessibleName = "Voltage L-L, Volts"},
    .txtAmps = {.tabIndex = 1},
    .txtPF = {.tabIndex = 2},
    .Label7 = {.left = 3720, .height = 495},
    .lbl8 = {.left = 7080, .width = 2775, .height = 495, .foreColor = DarkGrey},
    .txtRealPower = {.tabIndex = 13},
    .txtApPower = {.tabIndex = 14},
    .lblPowerEq = {.caption = " Real Power (P ) = 1.732  x Voltage (L-L ) x Current  x  PF / 1000"},
    .lblPowerEq2 = {.caption = "Apparent Power ( S ) = 1.732  x  Voltage(L-L )  x  Current  / 1000"},
    .cmdSolve = {.tabIndex = 3},
    .cmdClear = {.tabIndex = 4},
    .lblInfo1 = {.foreColor = Colour::Grey},
};

// Created before the hint, which lies above it where they overlap by 15
// twips.
constexpr ControlDescription LineToLineUnit{
    .name = "lblPF2", .container = InputFrame, .caption = "PF", .rect = {3240, 1320, 495, 255}, .font = UnitFont};

constexpr CalculatorControls withChanges(CalculatorControls controls, const CalculatorChanges& changes)
{
    forEachControl(applyChange, controls, changes);
    return controls;
}

constexpr CalculatorControls lineToLineControls()
{
    CalculatorControls controls = withChanges(singlePhaseControls(), LineToLineChanges);
    controls.lblPF2 = LineToLineUnit;
    return controls;
}

// Whether the window has the control `name` of `kind`, in a container made
// before it: the checks below make a table that lacks one fail the build.
constexpr bool hasControl(const CalculatorControls& controls, std::string_view name, ControlKind kind)
{
    bool found = false;
    // A fixed array: Emscripten's C++ library has no constexpr vector.
    std::array<std::string_view, 64> made{};
    std::size_t madeCount = 0;
    bool containersFirst = true;
    forEachControl(
        [&](const ControlDescription& control) {
            if (control.name.empty())
                return;
            const auto madeEnd = made.begin() + static_cast<std::ptrdiff_t>(madeCount);
            if (!control.container.empty() && std::find(made.begin(), madeEnd, control.container) == madeEnd)
                containersFirst = false;
            if (madeCount == made.size())
                containersFirst = false; // more controls than room: fails the check
            else
                made[madeCount++] = control.name;
            found = found || (control.name == name && control.kind == kind);
        },
        controls);
    return found && containersFirst;
}

// Every control a CalculatorWindow resolves.
constexpr bool hasWindowControls(const CalculatorControls& controls)
{
    return std::all_of(AllTextBoxes.begin(), AllTextBoxes.end(),
                       [&](auto box) { return hasControl(controls, controlName(box), ControlKind::TextBox); })
        && std::all_of(AllLabels.begin(), AllLabels.end(),
                       [&](auto label) { return hasControl(controls, controlName(label), ControlKind::Label); })
        && std::all_of(CalculatorButtons.begin(), CalculatorButtons.end(),
                       [&](std::string_view button) { return hasControl(controls, button, Button); });
}

static_assert(hasWindowControls(singlePhaseControls()));
static_assert(hasWindowControls(withChanges(singlePhaseControls(), LineToNeutralChanges)));
static_assert(hasWindowControls(lineToLineControls()));
static_assert(namedAsMembers(singlePhaseControls()));
static_assert(namedAsMembers(withChanges(singlePhaseControls(), LineToNeutralChanges)));
static_assert(namedAsMembers(lineToLineControls()));

// A row without a name is a control this window does not have.
FormDescription calculatorForm(std::string_view name, std::string_view caption, const CalculatorControls& controls)
{
    FormDescription form{.name = name, .caption = caption, .controls = {}};
    forEachControl(
        [&form](const ControlDescription& control) {
            if (!control.name.empty())
                form.controls.push_back(control);
        },
        controls);
    return form;
}

} // namespace

const FormDescription& singlePhaseForm()
{
    static const FormDescription form
        = calculatorForm("frmPowerRealApparent1Phase",
                         "Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage", singlePhaseControls());
    return form;
}

const FormDescription& lineToNeutralForm()
{
    static const FormDescription form
        = calculatorForm("frmPowerRealApparent3PhLN", "Kestrova's Quantelo -3Ph- Real-Apparent Power - L - N",
                         withChanges(singlePhaseControls(), LineToNeutralChanges));
    return form;
}

const FormDescription& lineToLineForm()
{
    static const FormDescription form = calculatorForm(
        "frmPowerRealApparent3PhLL",
        "Kestrova's Quantelo -3Ph- Real-Apparent Power - ( Star-Delta Balanced Connections)", lineToLineControls());
    return form;
}

} // namespace quantelo
