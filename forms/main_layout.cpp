#include "forms/main_layout.h"

namespace quantelo {
namespace {

constexpr FontDescription ButtonFont{"Tahoma", 12, BoldWeight};
// The toolkit's default for controls that set no font of their own.
constexpr FontDescription DefaultFont{"MS Sans Serif", 8.25, NormalWeight};

ControlDescription button(std::string_view name, std::string_view caption, TwipRect geometry, int tabIndex)
{
    return commandButton(name, caption, geometry, ButtonFont, tabIndex);
}

FormDescription makeMainForm()
{
    // Stored order; on screen the buttons read Command3, Command1, Command2
    // from top to bottom, 345 twips apart.
    return {
        "frmPowerSolve",
        "Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations",
        {10710, 7065},
        Colour::ButtonFace,
        {
            {"Picture1",
             ControlKind::PictureBox,
             {},
             {},
             {2400, 240, 6060, 3780},
             DefaultFont,
             Colour::ButtonFace,
             Colour::ButtonText,
             TextAlignment::Left,
             3,
             0,
             "Title picture"},
            button("Command3", "&Real and Apparent Power 1 Phase", {1440, 4320, 7815, 495}, 0),
            button("Command2", " Re&al and Apparent Power 3 Ph -  Line to Neutral Voltage", {1440, 6000, 7815, 495}, 2),
            button("Command1", "  R&eal and Apparent Power 3 Ph -  Line to Line Voltage", {1440, 5160, 7815, 495}, 1),
        },
    };
}

} // namespace

const FormDescription& mainForm()
{
    static const FormDescription form = makeMainForm();
    return form;
}

} // namespace quantelo
