// The core as the page's WebAssembly module: one calculator window model
// for each calculator view, implemented by the page in the DOM through the
// functions of page_library.js, and a plain C interface the page calls.
// Solve and Clear are the core's own (calc/commands.h); the page only
// shows what they write and tells the module when a message box closes.

#include "calc/commands.h"
#include "calc/window_model.h"
#include "layout/calculators.h"
#include "web/module/css_colour.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

// What the page does for the module (page_library.js). Controls are named
// as the windows name them (controlName()); texts are UTF-8, given as
// pointer and length.
extern "C" {
char* quantelo_page_text(int view, const char* box); // malloc'd, NUL-terminated; freed here
void quantelo_page_set_text(int view, const char* box, const char* text, int length);
void quantelo_page_set_caption(int view, const char* label, const char* text, int length);
void quantelo_page_set_box_colour(int view, const char* box, const char* back, const char* fore);
void quantelo_page_set_label_colour(int view, const char* label, const char* back);
void quantelo_page_focus_clear(int view);
void quantelo_page_message_box(int view, const char* text, int length);
void quantelo_page_announce(const char* text, int length);
}

namespace quantelo::page {
namespace {

int length(std::string_view text)
{
    return static_cast<int>(text.size());
}

// A calculator view of the page as the commands see it.
class PageWindow final : public CalculatorWindowModel {
public:
    explicit PageWindow(int view)
        : m_view(view)
    {
    }

    [[nodiscard]] std::string text(TextBox box) const override
    {
        char* text = quantelo_page_text(m_view, controlName(box));
        std::string result = text ? text : "";
        std::free(text); // NOLINT(cppcoreguidelines-no-malloc): allocated by the page with malloc
        return result;
    }
    void setText(TextBox box, std::string_view text) override
    {
        quantelo_page_set_text(m_view, controlName(box), text.data(), length(text));
    }
    void setCaption(Label label, std::string_view caption) override
    {
        quantelo_page_set_caption(m_view, controlName(label), caption.data(), length(caption));
    }
    void setBackColor(TextBox box, ColourValue colour) override
    {
        quantelo_page_set_box_colour(m_view, controlName(box), cssColour(colour).c_str(),
                                     cssReadableOn(colour).c_str());
    }
    void setBackColor(Label label, ColourValue colour) override
    {
        quantelo_page_set_label_colour(m_view, controlName(label), cssColour(colour).c_str());
    }
    void focusClearButton() override { quantelo_page_focus_clear(m_view); }
    void announce(std::string_view text) override { quantelo_page_announce(text.data(), length(text)); }
    void msgBox(std::string_view prompt, Dismissed dismissed) override
    {
        m_dismissed = std::move(dismissed);
        quantelo_page_message_box(m_view, prompt.data(), length(prompt));
    }

    // The page's box has closed: the command waiting at it goes on.
    void dismissed()
    {
        // Taken out first: going on may open the next box.
        Dismissed call = std::exchange(m_dismissed, nullptr);
        if (call)
            call();
    }

private:
    int m_view;
    Dismissed m_dismissed;
};

// Each calculator's kind, by its row, taken from the rows as the module is
// compiled: the windows' tables themselves stay out of the module.
constexpr PerCalculator<CalculatorKind> Kinds = [] {
    PerCalculator<CalculatorKind> kinds{};
    for (std::size_t i = 0; i < Calculators.size(); ++i)
        kinds[i] = Calculators[i].kind;
    return kinds;
}();

struct View {
    explicit View(int view)
        : window(view)
        , commands(window, Kinds.at(static_cast<std::size_t>(view)))
    {
    }
    PageWindow window;
    CalculatorCommands commands;
};

// One view for each calculator row, numbered by the row's place.
PerCalculator<std::unique_ptr<View>> views;

View* view(int number)
{
    if (number < 0 || static_cast<std::size_t>(number) >= views.size())
        return nullptr;
    auto& slot = views.at(static_cast<std::size_t>(number));
    if (!slot)
        slot = std::make_unique<View>(number);
    return slot.get();
}

} // namespace
} // namespace quantelo::page

using quantelo::page::view;

// The page's entries. A view is the place of its calculator's row
// (layout/calculators.h), as the page's markup numbers it; others are
// ignored.
extern "C" {

__attribute__((used)) void quantelo_solve(int number)
{
    if (auto* v = view(number))
        v->commands.cmdSolve_Click();
}

__attribute__((used)) void quantelo_clear(int number)
{
    if (auto* v = view(number))
        v->commands.cmdClear_Click();
}

// The view's message box has been closed (OK, Escape or otherwise).
__attribute__((used)) void quantelo_dismissed(int number)
{
    if (auto* v = view(number))
        v->window.dismissed();
}

} // extern "C"
