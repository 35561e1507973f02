#include "calc/announcement.h"

#include "calc/commands.h"

namespace quantelo {

std::string announcement(const SolveOutcome& outcome)
{
    std::string spoken;
    const auto add = [&spoken](std::string_view part) {
        if (part.empty())
            return;
        if (!spoken.empty())
            spoken += ' ';
        spoken += part;
    };
    if (!outcome.realPower.empty() || !outcome.apparentPower.empty()) {
        std::string results = "Real power ";
        results.append(outcome.realPower).append(" kW, apparent power ");
        results.append(outcome.apparentPower).append(" kVA.");
        add(results);
    }
    add(outcome.inputStatus);
    add(outcome.limitStatus);
    return spoken;
}

std::string_view colourMeaning(TextBox box, ColourValue colour)
{
    // Solve flags a result over the limit with the window-text colour.
    const bool result = box == TextBox::txtRealPower || box == TextBox::txtApPower;
    return result && colour == Colour::WindowText ? Message::LimitExceeded : std::string_view();
}

} // namespace quantelo
