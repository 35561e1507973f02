#include "layout/main_layout.h"

namespace quantelo {
namespace {

constexpr FontDescription ButtonFont{"Tahoma", 12, BoldWeight};
constexpr auto Button = ControlKind::CommandButton;

// In creation order; on screen the buttons read Command3, Command1, Command2
// from top to bottom, 345 twips apart.
FormDescription makeMainForm()
{
    return {
        .name = "frmPowerSolve",
        .caption = "Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations",
        .controls = {
            // Picture1: the title picture.
            {.name = "Picture1", .kind = ControlKind::PictureBox, .rect = {2400, 240, 6060, 3780}, .tabIndex = 3,
             .accessibleName = "Title picture"},
            // Command3: opens the single-phase calculator.
            {.name = "Command3", .kind = Button, .caption = "&Real and Apparent Power 1 Phase",
             .rect = {1440, 4320, 7815, 495}, .font = ButtonFont, .tabIndex = 0},
            // Command2: opens the three-phase line-to-neutral calculator.
            {.name = "Command2", .kind = Button, .caption = " Re&al and Apparent Power 3 Ph -  Line to Neutral Voltage",
             .rect = {1440, 6000, 7815, 495}, .font = ButtonFont, .tabIndex = 2},
            // Command1: opens the three-phase line-to-line calculator.
            {.name = "Command1", .kind = Button, .caption = "  R&eal and Apparent Power 3 Ph -  Line to Line Voltage",
             .rect = {1440, 5160, 7815, 495}, .font = ButtonFont, .tabIndex = 1},
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
