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

// The caption of every message box the program opens. Window titles never
// carry it: they are exactly the windows' own captions.
inline constexpr char ApplicationTitle[] = "Quantelo1";

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
// wrong control, field or type of value does not compile.
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

// Applies every field of `change` by its name. The structured binding only
// counts them: it names as many as ControlChange has, so a field added there
// without a line here does not build.
constexpr void applyChange(ControlDescription& control, const ControlChange& change)
{
    [[maybe_unused]] const auto& [f1, f2, f3, f4, f5, f6, f7, f8, f9] = change;
    control.rect.left = change.left.value_or(control.rect.left);
    control.rect.top = change.top.value_or(control.rect.top);
    control.rect.width = change.width.value_or(control.rect.width);
    control.rect.height = change.height.value_or(control.rect.height);
    control.caption = change.caption.value_or(control.caption);
    if (change.foreColor)
        control.foreColor = change.foreColor;
    control.tabIndex = change.tabIndex.value_or(control.tabIndex);
    control.typingLimit = change.typingLimit.value_or(control.typingLimit);
    control.accessibleName = change.accessibleName.value_or(control.accessibleName);
}

// Whether no two of `names` are the same; empty names are left out.
template <typename Names> constexpr bool namesUnique(const Names& names)
{
    for (auto a = names.begin(); a != names.end(); ++a) {
        for (auto b = names.begin(); b != a; ++b) {
            if (!a->empty() && *a == *b)
                return false;
        }
    }
    return true;
}

} // namespace quantelo
