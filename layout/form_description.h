#pragma once

#include "calc/colour_value.h"
#include "layout/twips.h"

#include <optional>
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

// The face of controls that set none of their own.
inline constexpr FontDescription DefaultFont{"MS Sans Serif", 8.25, NormalWeight};

// All four windows have the same client area and background.
inline constexpr TwipSize ClientSize{10710, 7065}; // 714 x 471 pixels
inline constexpr ColourValue WindowBackColor = Colour::ButtonFace;

// One row of a window's table. A field a row leaves out takes the default of
// the control's kind: colours (defaultBackColor(), defaultForeColor()), no
// caption, left alignment, no typing limit.
struct ControlDescription {
    std::string_view name; // the control's object name
    ControlKind kind = ControlKind::Label;
    std::string_view container = {}; // the frame that holds the control; empty: the window
    // A label's, frame's or button's caption ("&" marks a button's access key),
    // or a text box's initial text.
    std::string_view caption = {};
    TwipRect rect = {};
    FontDescription font = DefaultFont;
    std::optional<ColourValue> backColor = {};
    std::optional<ColourValue> foreColor = {};
    TextAlignment alignment = TextAlignment::Left;
    // Text boxes, buttons and picture boxes take the focus in increasing tab
    // index; labels and frames never take it and leave it out.
    int tabIndex = 0;
    // Characters the user may type into a text box; 0: no limit. Texts that
    // the program writes are never cut to it.
    int typingLimit = 0;
    // What assistive technology announces: a text box's label and unit, or
    // a status label's name while its caption is empty. Empty: the caption
    // without its "&".
    std::string_view accessibleName = {};
};

// Labels, frames and buttons: button face and button text; text boxes:
// window background and window text.
ColourValue defaultBackColor(ControlKind kind);
ColourValue defaultForeColor(ControlKind kind);

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    // In creation order: a frame comes before its controls, and a control
    // lies above those created before it.
    std::vector<ControlDescription> controls;
};

// What a window changes in one control of the window it is described
// against: each field given replaces the control's, the rest stay. Windows
// list their changes by control name as designated initialisers, so that a
// wrong control, field or type of value does not compile. applyChange()
// names every field: one added here without a line there does not build.
struct ControlChange {
    std::optional<int> left = {}; // twips, as the four below
    std::optional<int> top = {};
    std::optional<int> width = {};
    std::optional<int> height = {};
    std::optional<std::string_view> caption = {};
    std::optional<ColourValue> foreColor = {};
    std::optional<int> tabIndex = {};
    std::optional<int> typingLimit = {};
    std::optional<std::string_view> accessibleName = {};
};

constexpr void applyChange(ControlDescription& control, const ControlChange& change)
{
    // Exactly the fields of ControlChange, in their order.
    const auto& [left, top, width, height, caption, foreColor, tabIndex, typingLimit, accessibleName] = change;
    control.rect.left = left.value_or(control.rect.left);
    control.rect.top = top.value_or(control.rect.top);
    control.rect.width = width.value_or(control.rect.width);
    control.rect.height = height.value_or(control.rect.height);
    control.caption = caption.value_or(control.caption);
    if (foreColor)
        control.foreColor = foreColor;
    control.tabIndex = tabIndex.value_or(control.tabIndex);
    control.typingLimit = typingLimit.value_or(control.typingLimit);
    control.accessibleName = accessibleName.value_or(control.accessibleName);
}

} // namespace quantelo
