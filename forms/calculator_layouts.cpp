#include "forms/calculator_layouts.h"

#include <stdexcept>
#include <string>

namespace quantelo {
namespace {

constexpr TwipSize ClientSize{10710, 7065}; // 714 x 471 pixels

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

// Labels are opaque on the button face with button text unless a row says
// otherwise; text boxes are window background with window text.
ControlDescription label(std::string_view name, std::string_view container, std::string_view caption, TwipRect geometry,
                         FontDescription font, TextAlignment alignment, int tabIndex)
{
    return {name, ControlKind::Label, container,          caption,   geometry,
            font, Colour::ButtonFace, Colour::ButtonText, alignment, tabIndex};
}

ControlDescription textBox(std::string_view name, TwipRect geometry, TextAlignment alignment, int tabIndex,
                           int typingLimit, std::string_view accessibleName, std::string_view container)
{
    return {name,
            ControlKind::TextBox,
            container,
            {},
            geometry,
            BoxFont,
            Colour::WindowBackground,
            Colour::WindowText,
            alignment,
            tabIndex,
            typingLimit,
            accessibleName};
}

ControlDescription frame(std::string_view name, std::string_view caption, TwipRect geometry, int tabIndex)
{
    return {name,
            ControlKind::Frame,
            {},
            caption,
            geometry,
            FrameFont,
            Colour::ButtonFace,
            FrameCaptionOrange,
            TextAlignment::Left,
            tabIndex};
}

ControlDescription button(std::string_view name, std::string_view caption, TwipRect geometry, int tabIndex)
{
    return commandButton(name, caption, geometry, ButtonFont, tabIndex);
}

ControlDescription withBackColour(ControlDescription control, ColourValue colour)
{
    control.backColour = colour;
    return control;
}

ControlDescription withForeColour(ControlDescription control, ColourValue colour)
{
    control.foreColour = colour;
    return control;
}

ControlDescription withAccessibleName(ControlDescription control, std::string_view name)
{
    control.accessibleName = name;
    return control;
}

ControlDescription& control(FormDescription& form, std::string_view name)
{
    if (ControlDescription* found = form.find(name))
        return *found;
    throw std::logic_error("no control " + std::string(name) + " in " + std::string(form.name));
}

constexpr auto Left = TextAlignment::Left;
constexpr auto Centre = TextAlignment::Centre;
constexpr std::string_view InputFrame = "Frame2";
constexpr std::string_view ResultFrame = "Frame1";

FormDescription makeSinglePhaseForm()
{
    FormDescription form{"frmPowerRealApparent1Phase",
                         "Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage",
                         ClientSize,
                         Colour::ButtonFace,
                         {}};
    form.controls = {
        withForeColour(label("Label1", {}, "Real and Apparent Power in 1 Ph Circuits", {240, 360, 9555, 375}, TitleFont,
                             Centre, 23),
                       Colour::Grey),
        frame("Frame2", "Input Values", {240, 1200, 10095, 2055}, 0),
        label("lblVoltage", InputFrame, "Voltage L-N", {120, 405, 1455, 375}, CaptionFont, Left, 7),
        textBox("txtVolts", {2040, 360, 1000, 500}, Centre, 1, 6, "Voltage L-N, Volts", InputFrame),
        label("lblVolts", InputFrame, "Volts", {3240, 480, 1095, 255}, UnitFont, Left, 8),
        label("lblCurrent", InputFrame, "Current", {4560, 400, 975, 375}, CaptionFont, Left, 9),
        textBox("txtAmps", {5760, 360, 1000, 500}, Centre, 2, 6, "Current, Amps", InputFrame),
        label("lblAmps", InputFrame, "Amps", {6960, 480, 735, 255}, UnitFont, Left, 10),
        label("lblPF", InputFrame, "Power Factor", {120, 1200, 1695, 375}, CaptionFont, Left, 11),
        textBox("txtPF", {2040, 1200, 1000, 500}, Centre, 3, 4, "Power Factor", InputFrame),
        withForeColour(label("Label7", InputFrame, "Valid PF  Values  0.00  to 1.00", {3240, 1320, 3135, 500},
                             BoldUnitFont, Centre, 12),
                       Colour::Grey),
        withAccessibleName(
            withForeColour(label("lbl8", InputFrame, {}, {6840, 1200, 3015, 500}, StatusFont, Centre, 13), White),
            "Input status"),
        frame("Frame1", "Result", {480, 3480, 6900, 3135}, 14),
        withBackColour(
            label("lblRealPower", ResultFrame, "Real Power ( P) =", {720, 600, 2415, 375}, ResultCaptionFont, Left, 21),
            Colour::InactiveBorder),
        textBox("txtRealPower", {3360, 480, 1200, 500}, Left, 16, 7, "Real Power (P), kW", ResultFrame),
        withBackColour(label("lblKW", ResultFrame, "kW", {4680, 600, 495, 255}, BoldUnitFont, Left, 22),
                       Colour::InactiveBorder),
        withAccessibleName(
            withForeColour(label("lblMsg", ResultFrame, {}, {5280, 480, 1215, 1095}, MessageFont, Left, 25),
                           Colour::DarkShadow3D),
            "Result status"),
        withBackColour(label("lblApPower", ResultFrame, "Apparent Power (S) =", {120, 1320, 3015, 375},
                             ResultCaptionFont, Left, 20),
                       Colour::InactiveBorder),
        textBox("txtApPower", {3360, 1200, 1200, 500}, Left, 15, 7, "Apparent Power (S), kVA", ResultFrame),
        withBackColour(label("lblkVA", ResultFrame, "kVA", {4680, 1320, 495, 255}, BoldUnitFont, Left, 19),
                       Colour::InactiveBorder),
        withBackColour(label("lblPowerEq", ResultFrame, " Real Power (P ) =  Voltage (L-N ) x Current  x  PF / 1000",
                             {120, 1920, 6615, 495}, FormulaFont, Centre, 18),
                       Colour::InactiveBorder),
        withBackColour(label("lblPowerEq2", ResultFrame, "Apparent Power ( S ) =  Voltage(L-N )  x  Current  / 1000",
                             {120, 2520, 6255, 495}, FormulaFont, Centre, 17),
                       Colour::InactiveBorder),
        button("cmdSolve", "&Solve", {8040, 3840, 1455, 495}, 4),
        button("cmdClear", "&Clear", {8040, 4680, 1455, 495}, 5),
        button("cmdBackMainPage", "&Back to Main Page", {7800, 5400, 2175, 615}, 6),
        withForeColour(label("lblInfo1", {}, "www.kestrova.example", {7680, 6360, 2775, 375}, CreditFont, Centre, 24),
                       LightGrey),
    };
    return form;
}

FormDescription makeLineToNeutralForm()
{
    FormDescription form = makeSinglePhaseForm();
    form.name = "frmPowerRealApparent3PhLN";
    form.caption = "Kestrova's Quantelo -3Ph- Real-Apparent Power - L - N";

    control(form, "cmdSolve").geometry.top = 3720;
    control(form, "cmdClear").geometry.top = 4560;
    control(form, "cmdBackMainPage").geometry.top = 5280;
    auto& inputFrame = control(form, "Frame2").geometry;
    inputFrame.left = 237;
    inputFrame.top = 1175;
    auto& resultFrame = control(form, "Frame1").geometry;
    resultFrame.left = 473;
    resultFrame.top = 3406;
    resultFrame.width = 6803;
    control(form, "lblVoltage").geometry.width = 1815;
    control(form, "lblPowerEq").geometry.width = 6495;
    control(form, "lbl8").foreColour = DarkGrey;
    control(form, "txtRealPower").typingLimit = 8;
    control(form, "txtApPower").typingLimit = 8;
    control(form, "lblInfo1").geometry.top = 6240;
    auto& title = control(form, "Label1");
    title.geometry.top = 345;
    title.geometry.width = 9915;
    // One line high: the blanks push "9 L - N" onto a second line, which
    // stays hidden below the label's bottom edge.
    title.caption = "Real and Apparent Power in 3 Ph Circuits - Voltage (L - N  )"
                    "                                      9 L - N";

    control(form, "lblVoltage").caption = "Voltage L- N";
    control(form, "lblPowerEq").caption = "Real Power ( P ) = 3  x  Voltage(L-N )  x  Current  x  Power Factor / 1000";
    control(form, "lblPowerEq2").caption = "Apparent Power ( S ) = 3  x  Voltage(L-N )  x  Current  / 1000";
    return form;
}

FormDescription makeLineToLineForm()
{
    FormDescription form = makeSinglePhaseForm();
    form.name = "frmPowerRealApparent3PhLL";
    form.caption = "Kestrova's Quantelo -3Ph- Real-Apparent Power - ( Star-Delta Balanced Connections)";

    auto& status = control(form, "lbl8");
    status.geometry.left = 7080;
    status.geometry.width = 2775;
    status.geometry.height = 495;
    status.foreColour = DarkGrey;
    auto& hint = control(form, "Label7");
    hint.geometry.left = 3720;
    hint.geometry.height = 495;
    control(form, "lblInfo1").foreColour = Colour::Grey;

    control(form, "Label1").caption = "Real and Apparent Power in 3 Ph Circuits - Voltage(L - L )";
    control(form, "lblVoltage").caption = "Voltage L-L";
    control(form, "txtVolts").accessibleName = "Voltage L-L, Volts";
    control(form, "lblPowerEq").caption = " Real Power (P ) = 1.732  x Voltage (L-L ) x Current  x  PF / 1000";
    control(form, "lblPowerEq2").caption = "Apparent Power ( S ) = 1.732  x  Voltage(L-L )  x  Current  / 1000";

    // Its own tab order: the result boxes come in screen order, real power first.
    const std::pair<std::string_view, int> tabIndices[] = {
        {"Frame2", 16},     {"txtVolts", 0},        {"txtAmps", 1},      {"txtPF", 2},       {"cmdSolve", 3},
        {"cmdClear", 4},    {"cmdBackMainPage", 6}, {"lblVoltage", 23},  {"lblVolts", 22},   {"lblCurrent", 21},
        {"lblAmps", 20},    {"lblPF", 19},          {"Label7", 18},      {"lbl8", 17},       {"Frame1", 5},
        {"txtApPower", 14}, {"txtRealPower", 13},   {"lblPowerEq2", 15}, {"lblPowerEq", 11}, {"lblkVA", 10},
        {"lblApPower", 9},  {"lblRealPower", 8},    {"lblKW", 7},        {"Label1", 24},     {"lblInfo1", 12},
        {"lblMsg", 26},
    };
    for (const auto& [name, tabIndex] : tabIndices)
        control(form, name).tabIndex = tabIndex;

    // The unit beside the power-factor box; the hint is created after it, so
    // the hint lies above the unit where they overlap by 15 twips.
    const auto hintPosition = form.controls.begin() + (&hint - form.controls.data());
    form.controls.insert(hintPosition, label("lblPF2", InputFrame, "PF", {3240, 1320, 495, 255}, UnitFont, Left, 25));
    return form;
}

} // namespace

const FormDescription& singlePhaseForm()
{
    static const FormDescription form = makeSinglePhaseForm();
    return form;
}

const FormDescription& lineToNeutralForm()
{
    static const FormDescription form = makeLineToNeutralForm();
    return form;
}

const FormDescription& lineToLineForm()
{
    static const FormDescription form = makeLineToLineForm();
    return form;
}

} // namespace quantelo
