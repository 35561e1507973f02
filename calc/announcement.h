#pragma once

#include "calc/colour_value.h"
#include "calc/window_model.h"

#include <string>
#include <string_view>

namespace quantelo {

// What Solve left on the window that a sighted user sees at a glance, and a
// screen-reader user is told once Solve has ended, without the focus moving.
struct SolveOutcome {
    // The result boxes' texts as Solve leaves them.
    std::string realPower;
    std::string apparentPower;
    // lbl8's caption as this Solve last set it; empty when it set none (a
    // status left from an earlier Solve is not news).
    std::string_view inputStatus;
    // lblMsg's caption when this Solve set it, otherwise empty.
    std::string_view limitStatus;
};

// The text announced after Solve: the two results with their units, then the
// statuses this Solve set, in the order they stand on the window; empty when
// there is nothing to tell (a message box has said it already).
[[nodiscard]] std::string announcement(const SolveOutcome& outcome);

// What a box's colour tells a sighted user, for its accessible description:
// the limit status on a flagged result box, otherwise nothing.
[[nodiscard]] std::string_view colourMeaning(TextBox box, ColourValue colour);

} // namespace quantelo
