#pragma once

// An in-memory calculator window for the command tests and the soak test:
// it keeps what Solve and Clear write to it, and logs every write in order.

#include "calc/window_model.h"

#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quantelo::test_support {

inline std::string hex(ColourValue colour)
{
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "%08X", colour);
    return buf.data();
}

// A message box as the user meets it: its prompt, and the five boxes behind
// it ("'prompt' over [volts|amps|pf|real|apparent]").
inline std::string describeMessageBox(std::string_view prompt, const std::array<std::string, TextBoxCount>& texts)
{
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about
    // "literal" + std::string temporaries.
    std::string seen = "'";
    seen.append(prompt).append("' over [");
    for (std::size_t i = 0; i < texts.size(); ++i)
        seen.append(i == 0 ? "" : "|").append(texts[i]);
    return seen.append("]");
}

class FakeWindow final : public CalculatorWindowModel {
public:
    std::array<std::string, TextBoxCount> texts;
    std::array<std::string, LabelCount> captions;
    std::array<std::optional<ColourValue>, TextBoxCount> boxColours;
    std::array<std::optional<ColourValue>, LabelCount> labelColours;
    std::array<bool, TextBoxCount> recoloured{}; // the commands set the box's colour
    bool focusOnClear = false;
    std::vector<std::string> messageBoxes; // described as describeMessageBox() does
    // One line a write: "txtPF.Text='0.80'", "lbl8.BackColor=8000000B",
    // "focus cmdClear", "MsgBox 'prompt' over [...]", "Announce 'text'".
    std::vector<std::string> log;

    [[nodiscard]] std::string text(TextBox box) const override { return texts[index(box)]; }
    void setText(TextBox box, std::string_view text) override
    {
        texts[index(box)] = text;
        log.push_back(std::string(controlName(box)) + ".Text='" + std::string(text) + "'");
    }
    void setCaption(Label label, std::string_view caption) override
    {
        captions[index(label)] = caption;
        log.push_back(std::string(controlName(label)) + ".Caption='" + std::string(caption) + "'");
    }
    void setBackColor(TextBox box, ColourValue colour) override
    {
        boxColours[index(box)] = colour;
        recoloured[index(box)] = true;
        log.push_back(std::string(controlName(box)) + ".BackColor=" + hex(colour));
    }
    void setBackColor(Label label, ColourValue colour) override
    {
        labelColours[index(label)] = colour;
        log.push_back(std::string(controlName(label)) + ".BackColor=" + hex(colour));
    }
    void focusClearButton() override
    {
        focusOnClear = true;
        log.emplace_back("focus cmdClear");
    }
    void msgBox(std::string_view prompt, Dismissed dismissed) override
    {
        // The message box is modal: what the user sees behind it is recorded.
        messageBoxes.push_back(describeMessageBox(prompt, texts));
        log.push_back("MsgBox " + messageBoxes.back());
        if (holdMessageBoxes) {
            openBox = std::move(dismissed);
            return;
        }
        // What happens inside the box's own loop; false: the window went
        // with the box, which then returns without going on.
        if (whileBoxOpen && !std::exchange(whileBoxOpen, nullptr)())
            return;
        dismissed();
    }

    void announce(std::string_view text) override { log.push_back("Announce '" + std::string(text) + "'"); }

    // Run once inside the next box that waits in a loop of its own (the
    // desktop's), before the user dismisses it: presses behind the box, or
    // another program destroying the window. Returns whether the window is
    // still there.
    std::function<bool()> whileBoxOpen;

    // With holdMessageBoxes a box stays open, as in a web page, until the
    // test clicks OK.
    bool holdMessageBoxes = false;
    Dismissed openBox;
    void clickOk()
    {
        log.emplace_back("OK");
        std::exchange(openBox, nullptr)();
    }

    // What the user typed into the three inputs.
    void type(const char* volts, const char* amps, const char* pf)
    {
        texts[index(TextBox::txtVolts)] = volts;
        texts[index(TextBox::txtAmps)] = amps;
        texts[index(TextBox::txtPF)] = pf;
    }
};

} // namespace quantelo::test_support
