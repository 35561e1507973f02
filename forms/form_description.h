#pragma once

#include "calc/colour_value.h"
#include "forms/twips.h"

#include <string_view>
#include <vector>

namespace quantelo {

// A window's static description: plain data that one builder turns into Qt
// widgets (form_builder.h). Positions are in twips, colours are colour values
// (calc/colour_value.h), captions are UTF-8.

enum class ControlKind { Label, TextBox, Frame, CommandButton, PictureBox };

enum class TextAlignment { Left, Centre };

struct FontDescription {
    std::string_view face; // asked for exactly as given; see fonts.h for stand-ins
    double pointSize;
    int weight; // 400 normal, 700 bold
};

inline constexpr int NormalWeight = 400;
inline constexpr int BoldWeight = 700;

struct ControlDescription {
    std::string_view name; // the control's object name
    ControlKind kind;
    std::string_view container; // the frame that holds the control; empty: the window
    // A label's, frame's or button's caption ("&" marks a button's access key),
    // or a text box's initial text.
    std::string_view caption;
    TwipRect geometry; // from the container's top-left corner
    FontDescription font;
    ColourValue backColour;
    ColourValue foreColour;
    TextAlignment alignment;
    // Controls that take the focus get it in increasing tab index; labels
    // and frames never take it.
    int tabIndex;
    // Characters the user may type into a text box; 0: no limit. Texts that
    // the program writes are never cut to it.
    int typingLimit = 0;
    // What assistive technology announces: a text box's label and unit, or
    // a status label's name while its caption is empty. Empty: the caption
    // without its "&".
    std::string_view accessibleName = {};
};

// A command button on the window itself, in the toolkit's button colours.
inline ControlDescription commandButton(std::string_view name, std::string_view caption, TwipRect geometry,
                                        FontDescription font, int tabIndex)
{
    return {name,
            ControlKind::CommandButton,
            {},
            caption,
            geometry,
            font,
            Colour::ButtonFace,
            Colour::ButtonText,
            TextAlignment::Centre,
            tabIndex};
}

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    TwipSize clientSize;
    ColourValue backColour;
    // In creation order: a frame comes before its controls, and a control
    // lies above those created before it.
    std::vector<ControlDescription> controls;

    [[nodiscard]] const ControlDescription* find(std::string_view controlName) const;
    [[nodiscard]] ControlDescription* find(std::string_view controlName);
};

} // namespace quantelo
