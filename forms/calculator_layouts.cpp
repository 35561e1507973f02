#include "forms/calculator_layouts.h"

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

constexpr auto TextBox = ControlKind::TextBox;
constexpr auto Frame = ControlKind::Frame;
constexpr auto Button = ControlKind::CommandButton;
constexpr auto Centre = TextAlignment::Centre;
constexpr std::string_view InputFrame = "Frame2";
constexpr std::string_view ResultFrame = "Frame1";

// frmPowerRealApparent1Phase, the base of the other two.
FormDescription makeSinglePhaseForm()
{
    return {
        .name = "frmPowerRealApparent1Phase",
        .caption = "Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage",
        .controls = {
            // Label1: title line.
            {.name = "Label1", .caption = "Real and Apparent Power in 1 Ph Circuits", .rect = {240, 360, 9555, 375},
             .font = TitleFont, .foreColor = Colour::Grey, .alignment = Centre, .tabIndex = 23},
            // Frame2: the input frame.
            {.name = "Frame2", .kind = Frame, .caption = "Input Values", .rect = {240, 1200, 10095, 2055},
             .font = FrameFont, .foreColor = FrameCaptionOrange, .tabIndex = 0},
            {.name = "lblVoltage", .container = InputFrame, .caption = "Voltage L-N", .rect = {120, 405, 1455, 375},
             .font = CaptionFont, .tabIndex = 7},
            {.name = "txtVolts", .kind = TextBox, .container = InputFrame, .rect = {2040, 360, 1000, 500},
             .font = BoxFont, .alignment = Centre, .tabIndex = 1, .typingLimit = 6,
             .accessibleName = "Voltage L-N, Volts"},
            {.name = "lblVolts", .container = InputFrame, .caption = "Volts", .rect = {3240, 480, 1095, 255},
             .font = UnitFont, .tabIndex = 8},
            {.name = "lblCurrent", .container = InputFrame, .caption = "Current", .rect = {4560, 400, 975, 375},
             .font = CaptionFont, .tabIndex = 9},
            {.name = "txtAmps", .kind = TextBox, .container = InputFrame, .rect = {5760, 360, 1000, 500},
             .font = BoxFont, .alignment = Centre, .tabIndex = 2, .typingLimit = 6,
             .accessibleName = "Current, Amps"},
            {.name = "lblAmps", .container = InputFrame, .caption = "Amps", .rect = {6960, 480, 735, 255},
             .font = UnitFont, .tabIndex = 10},
            {.name = "lblPF", .container = InputFrame, .caption = "Power Factor", .rect = {120, 1200, 1695, 375},
             .font = CaptionFont, .tabIndex = 11},
            {.name = "txtPF", .kind = TextBox, .container = InputFrame, .rect = {2040, 1200, 1000, 500},
             .font = BoxFont, .alignment = Centre, .tabIndex = 3, .typingLimit = 4, .accessibleName = "Power Factor"},
            // Label7: the hint beside the power-factor box.
            {.name = "Label7", .container = InputFrame, .caption = "Valid PF  Values  0.00  to 1.00",
             .rect = {3240, 1320, 3135, 500}, .font = BoldUnitFont, .foreColor = Colour::Grey, .alignment = Centre,
             .tabIndex = 12},
            // lbl8: input status (an empty box, a power factor out of range).
            {.name = "lbl8", .container = InputFrame, .rect = {6840, 1200, 3015, 500}, .font = StatusFont,
             .foreColor = White, .alignment = Centre, .tabIndex = 13, .accessibleName = "Input status"},
            // Frame1: the result frame.
            {.name = "Frame1", .kind = Frame, .caption = "Result", .rect = {480, 3480, 6900, 3135}, .font = FrameFont,
             .foreColor = FrameCaptionOrange, .tabIndex = 14},
            {.name = "lblRealPower", .container = ResultFrame, .caption = "Real Power ( P) =",
             .rect = {720, 600, 2415, 375}, .font = ResultCaptionFont, .backColor = Colour::InactiveBorder,
             .tabIndex = 21},
            {.name = "txtRealPower", .kind = TextBox, .container = ResultFrame, .rect = {3360, 480, 1200, 500},
             .font = BoxFont, .tabIndex = 16, .typingLimit = 7, .accessibleName = "Real Power (P), kW"},
            {.name = "lblKW", .container = ResultFrame, .caption = "kW", .rect = {4680, 600, 495, 255},
             .font = BoldUnitFont, .backColor = Colour::InactiveBorder, .tabIndex = 22},
            // lblMsg: limit status (a result over the limit); tall enough for
            // the message over several lines.
            {.name = "lblMsg", .container = ResultFrame, .rect = {5280, 480, 1215, 1095}, .font = MessageFont,
             .foreColor = Colour::DarkShadow3D, .tabIndex = 25, .accessibleName = "Result status"},
            {.name = "lblApPower", .container = ResultFrame, .caption = "Apparent Power (S) =",
             .rect = {120, 1320, 3015, 375}, .font = ResultCaptionFont, .backColor = Colour::InactiveBorder,
             .tabIndex = 20},
            {.name = "txtApPower", .kind = TextBox, .container = ResultFrame, .rect = {3360, 1200, 1200, 500},
             .font = BoxFont, .tabIndex = 15, .typingLimit = 7, .accessibleName = "Apparent Power (S), kVA"},
            {.name = "lblkVA", .container = ResultFrame, .caption = "kVA", .rect = {4680, 1320, 495, 255},
             .font = BoldUnitFont, .backColor = Colour::InactiveBorder, .tabIndex = 19},
            // lblPowerEq, lblPowerEq2: the two formulas.
            {.name = "lblPowerEq", .container = ResultFrame,
             .caption = " Real Power (P ) =  Voltage (L-N ) x Current  x  PF / 1000", .rect = {120, 1920, 6615, 495},
             .font = FormulaFont, .backColor = Colour::InactiveBorder, .alignment = Centre, .tabIndex = 18},
            {.name = "lblPowerEq2", .container = ResultFrame,
             .caption = "Apparent Power ( S ) =  Voltage(L-N )  x  Current  / 1000", .rect = {120, 2520, 6255, 495},
             .font = FormulaFont, .backColor = Colour::InactiveBorder, .alignment = Centre, .tabIndex = 17},
            {.name = "cmdSolve", .kind = Button, .caption = "&Solve", .rect = {8040, 3840, 1455, 495},
             .font = ButtonFont, .tabIndex = 4},
            {.name = "cmdClear", .kind = Button, .caption = "&Clear", .rect = {8040, 4680, 1455, 495},
             .font = ButtonFont, .tabIndex = 5},
            {.name = "cmdBackMainPage", .kind = Button, .caption = "&Back to Main Page", .rect = {7800, 5400, 2175, 615},
             .font = ButtonFont, .tabIndex = 6},
            // lblInfo1: the credit line.
            {.name = "lblInfo1", .caption = "www.kestrova.example", .rect = {7680, 6360, 2775, 375}, .font = CreditFont,
             .foreColor = LightGrey, .alignment = Centre, .tabIndex = 24},
        },
    };
}

using enum Field;

const Difference LineToNeutralDifferences[] = {
    {"cmdSolve", Top, 3720},
    {"cmdClear", Top, 4560},
    {"cmdBackMainPage", Top, 5280},
    {"Frame2", Left, 237},
    {"Frame2", Top, 1175},
    {"Frame1", Left, 473},
    {"Frame1", Top, 3406},
    {"Frame1", Width, 6803},
    {"lblVoltage", Width, 1815},
    {"lblPowerEq", Width, 6495},
    {"lbl8", ForeColor, DarkGrey},
    {"txtRealPower", TypingLimit, 8},
    {"txtApPower", TypingLimit, 8},
    {"lblInfo1", Top, 6240},
    {"Label1", Top, 345},
    {"Label1", Width, 9915},
    // One line high: the blanks push "9 L - N" onto a second line, which
    // stays hidden below the label's bottom edge.
    {"Label1", Caption,
     "Real and Apparent Power in 3 Ph Circuits - Voltage (L - N  )                                      9 L - N"},
    {"lblVoltage", Caption, "Voltage L- N"},
    {"lblPowerEq", Caption, "Real Power ( P ) = 3  x  Voltage(L-N )  x  Current  x  Power Factor / 1000"},
    {"lblPowerEq2", Caption, "Apparent Power ( S ) = 3  x  Voltage(L-N )  x  Current  / 1000"},
};

const Difference LineToLineDifferences[] = {
    {"lbl8", Left, 7080},
    {"lbl8", Width, 2775},
    {"lbl8", Height, 495},
    {"lbl8", ForeColor, DarkGrey},
    {"Label7", Left, 3720},
    {"Label7", Height, 495},
    {"lblInfo1", ForeColor, Colour::Grey},
    {"Label1", Caption, "Real and Apparent Power in 3 Ph Circuits - Voltage(L - L )"},
    {"lblVoltage", Caption, "Voltage L-L"},
    {"txtVolts", AccessibleName, "Voltage L-L, Volts"},
    {"lblPowerEq", Caption, " Real Power (P ) = 1.732  x Voltage (L-L ) x Current  x  PF / 1000"},
    {"lblPowerEq2", Caption, "Apparent Power ( S ) = 1.732  x  Voltage(L-L )  x  Current  / 1000"},
    // Its own tab indices: the result boxes come in screen order, real power
    // first (cmdBackMainPage keeps 6).
    {"Frame2", TabIndex, 16},
    {"txtVolts", TabIndex, 0},
    {"txtAmps", TabIndex, 1},
    {"txtPF", TabIndex, 2},
    {"cmdSolve", TabIndex, 3},
    {"cmdClear", TabIndex, 4},
    {"lblVoltage", TabIndex, 23},
    {"lblVolts", TabIndex, 22},
    {"lblCurrent", TabIndex, 21},
    {"lblAmps", TabIndex, 20},
    {"lblPF", TabIndex, 19},
    {"Label7", TabIndex, 18},
    {"lbl8", TabIndex, 17},
    {"Frame1", TabIndex, 5},
    {"txtApPower", TabIndex, 14},
    {"txtRealPower", TabIndex, 13},
    {"lblPowerEq2", TabIndex, 15},
    {"lblPowerEq", TabIndex, 11},
    {"lblkVA", TabIndex, 10},
    {"lblApPower", TabIndex, 9},
    {"lblRealPower", TabIndex, 8},
    {"lblKW", TabIndex, 7},
    {"Label1", TabIndex, 24},
    {"lblInfo1", TabIndex, 12},
    {"lblMsg", TabIndex, 26},
};

// lblPF2: the unit beside the power-factor box. Created before the hint,
// which lies above it where they overlap by 15 twips.
const AddedControl LineToLineControls[] = {
    {{.name = "lblPF2",
      .container = InputFrame,
      .caption = "PF",
      .rect = {3240, 1320, 495, 255},
      .font = UnitFont,
      .tabIndex = 25},
     "Label7"},
};

} // namespace

const FormDescription& singlePhaseForm()
{
    static const FormDescription form = makeSinglePhaseForm();
    return form;
}

const FormDescription& lineToNeutralForm()
{
    static const FormDescription form
        = withDifferences(singlePhaseForm(), "frmPowerRealApparent3PhLN",
                          "Kestrova's Quantelo -3Ph- Real-Apparent Power - L - N", LineToNeutralDifferences);
    return form;
}

const FormDescription& lineToLineForm()
{
    static const FormDescription form
        = withDifferences(singlePhaseForm(), "frmPowerRealApparent3PhLL",
                          "Kestrova's Quantelo -3Ph- Real-Apparent Power - ( Star-Delta Balanced Connections)",
                          LineToLineDifferences, LineToLineControls);
    return form;
}

} // namespace quantelo
