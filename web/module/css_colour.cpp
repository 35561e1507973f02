#include "web/module/css_colour.h"

#include <array>

namespace quantelo::page {
namespace {

struct SystemColour {
    ColourValue value;
    const char* css;
    const char* readable; // text on it
};

// The desktop's roles (forms/controls/colour_role.cpp) in CSS terms: menu
// and button face are the window's face; the window background and text
// are a field's; the inactive border is the alternate rows' tint between
// field and face; the dark shadow is a dark edge of the face.
constexpr std::array SystemColours{
    SystemColour{Colour::Menu, "ButtonFace", "ButtonText"},
    SystemColour{Colour::ButtonFace, "ButtonFace", "ButtonText"},
    SystemColour{Colour::WindowBackground, "Field", "FieldText"},
    SystemColour{Colour::WindowText, "FieldText", "Field"},
    SystemColour{Colour::InactiveBorder, "color-mix(in srgb,Field 50%,ButtonFace)", "FieldText"},
    SystemColour{Colour::ButtonText, "ButtonText", "ButtonFace"},
    SystemColour{Colour::DarkShadow3D, "color-mix(in srgb,ButtonText 70%,ButtonFace)", "ButtonFace"},
};

const SystemColour* systemColour(ColourValue value)
{
    for (const auto& colour : SystemColours) {
        if (colour.value == value)
            return &colour;
    }
    return nullptr;
}

std::string hex(ColourValue value)
{
    constexpr std::array digits{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string text = "#";
    // 0x00BBGGRR: red in the low byte.
    for (const unsigned shift : {0U, 8U, 16U}) {
        const unsigned byte = (value >> shift) & 0xFFU;
        text += digits.at(byte >> 4U);
        text += digits.at(byte & 0xFU);
    }
    return text;
}

} // namespace

std::string cssColour(ColourValue value)
{
    if (isSystemColour(value)) {
        const SystemColour* colour = systemColour(value);
        // A system colour the windows never use: the window's face.
        return colour ? colour->css : "ButtonFace";
    }
    return hex(value);
}

std::string cssReadableOn(ColourValue back)
{
    if (isSystemColour(back)) {
        const SystemColour* colour = systemColour(back);
        return colour ? colour->readable : "ButtonText";
    }
    // Relative luminance's weights, on the bytes (close enough to choose
    // between black and white).
    const unsigned red = back & 0xFFU;
    const unsigned green = (back >> 8U) & 0xFFU;
    const unsigned blue = (back >> 16U) & 0xFFU;
    const unsigned luma = (2126U * red + 7152U * green + 722U * blue) / 10000U;
    return luma >= 128U ? "#000000" : "#ffffff";
}

} // namespace quantelo::page
