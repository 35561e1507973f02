#pragma once

#include "calc/colour_value.h"
#include "calc/suspendable.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quantelo {

// The boxes and labels of a calculator window that Solve and Clear use.
enum class TextBox { txtVolts, txtAmps, txtPF, txtRealPower, txtApPower };
enum class Label {
    lbl8,   // input status: an empty box, a power factor out of range
    lblMsg, // limit status: a result over the limit
};

inline constexpr std::array AllTextBoxes{TextBox::txtVolts, TextBox::txtAmps, TextBox::txtPF, TextBox::txtRealPower,
                                         TextBox::txtApPower};
inline constexpr std::array AllLabels{Label::lbl8, Label::lblMsg};
inline constexpr std::size_t TextBoxCount = AllTextBoxes.size();
inline constexpr std::size_t LabelCount = AllLabels.size();

// A box's or label's place in arrays indexed by the enums.
constexpr std::size_t index(TextBox box)
{
    return static_cast<std::size_t>(box);
}

constexpr std::size_t index(Label label)
{
    return static_cast<std::size_t>(label);
}

// The controls' names, as the windows name their widgets.
constexpr const char* controlName(TextBox box)
{
    switch (box) {
    case TextBox::txtVolts: return "txtVolts";
    case TextBox::txtAmps: return "txtAmps";
    case TextBox::txtPF: return "txtPF";
    case TextBox::txtRealPower: return "txtRealPower";
    case TextBox::txtApPower: return "txtApPower";
    }
    return "";
}

constexpr const char* controlName(Label label)
{
    return label == Label::lbl8 ? "lbl8" : "lblMsg";
}

// What Solve and Clear need of a calculator window, and nothing more. The
// Qt windows implement it; tests implement it with a recording fake. Every
// operation acts at once, in the order the commands call them.
class CalculatorWindowModel {
public:
    virtual ~CalculatorWindowModel() = default;

    // The box's current text (UTF-8), as typed or as last written.
    [[nodiscard]] virtual std::string text(TextBox box) const = 0;
    // Shows `text` whole, whatever the box's typing limit; a later text()
    // returns it exactly.
    virtual void setText(TextBox box, std::string_view text) = 0;
    virtual void setCaption(Label label, std::string_view caption) = 0;
    virtual void setBackColor(TextBox box, ColourValue colour) = 0;
    virtual void setBackColor(Label label, ColourValue colour) = 0;
    // Gives the keyboard focus to the cmdClear button.
    virtual void focusClearButton() = 0;
    // A modal message box with an OK button only, captioned with the
    // application title. Calls `dismissed` once, when the user has dismissed
    // it: before returning where the box waits in an event loop of its own,
    // later from the event loop where it cannot (a web page). Solve goes on
    // only then.
    virtual void msgBox(std::string_view prompt, Dismissed dismissed) = 0;
    // Tells a screen-reader user `text` (announcement.h) without moving the
    // focus; nothing is drawn.
    virtual void announce(std::string_view text) = 0;

protected:
    CalculatorWindowModel() = default;
    CalculatorWindowModel(const CalculatorWindowModel&) = default;
    CalculatorWindowModel& operator=(const CalculatorWindowModel&) = default;
};

} // namespace quantelo
