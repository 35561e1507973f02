#include "layout/main_layout.h"

#include "layout/calculators.h"

#include <algorithm>
#include <array>

namespace quantelo {
namespace {

constexpr FontDescription ButtonFont{"Tahoma", 12, BoldWeight};
constexpr auto Button = ControlKind::CommandButton;

// In creation order; on screen the buttons read Command3, Command1, Command2
// from top to bottom, 345 twips apart.
constexpr std::array MainControls{
    // Picture1: the title picture.
    ControlDescription{.name = "Picture1",
                       .kind = ControlKind::PictureBox,
                       .rect = {2400, 240, 6060, 3780},
                       .tabIndex = 3,
                       .accessibleName = "Title picture"},
    // Command3: opens the single-phase calculator.
    ControlDescription{.name = "Command3",
                       .kind = Button,
                       .caption = "&Real and Apparent Power 1 Phase",
                       .rect = {1440, 4320, 7815, 495},
                       .font = ButtonFont,
                       .tabIndex = 0},
    // Command2: opens the three-phase line-to-neutral calculator.
    ControlDescription{.name = "Command2",
                       .kind = Button,
                       .caption = " Re&al and Apparent Power 3 Ph -  Line to Neutral Voltage",
                       .rect = {1440, 6000, 7815, 495},
                       .font = ButtonFont,
                       .tabIndex = 2},
    // Command1: opens the three-phase line-to-line calculator.
    ControlDescription{.name = "Command1",
                       .kind = Button,
                       .caption = "  R&eal and Apparent Power 3 Ph -  Line to Line Voltage",
                       .rect = {1440, 5160, 7815, 495},
                       .font = ButtonFont,
                       .tabIndex = 1},
};

constexpr std::array<std::string_view, MainControls.size()> MainControlNames = [] {
    std::array<std::string_view, MainControls.size()> names{};
    std::transform(MainControls.begin(), MainControls.end(), names.begin(),
                   [](const ControlDescription& control) { return control.name; });
    return names;
}();
static_assert(namesUnique(MainControlNames));

// Every calculator's row names a button of this window.
constexpr bool hasEveryCalculatorButton()
{
    return std::all_of(Calculators.begin(), Calculators.end(), [](const CalculatorRow& calculator) {
        return std::any_of(MainControls.begin(), MainControls.end(), [&](const ControlDescription& control) {
            return control.name == calculator.mainButton && control.kind == Button;
        });
    });
}
static_assert(hasEveryCalculatorButton());

} // namespace

const FormDescription& mainForm()
{
    static const FormDescription form{
        .name = "frmPowerSolve",
        .caption = "Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations",
        .controls = {MainControls.begin(), MainControls.end()},
    };
    return form;
}

} // namespace quantelo
