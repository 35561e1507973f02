#pragma once

#include "calc/colour_value.h"

#include <string>

namespace quantelo::page {

// A colour value (calc/colour_value.h) as CSS: a system colour becomes the
// CSS system colour that plays its part, so the page follows the user's
// colour scheme and forced-colours mode as the desktop follows its system
// colours; any other value is its fixed RGB colour.
std::string cssColour(ColourValue value);

// The CSS colour for text drawn on `back` in a text box: the foreground that
// pairs with a system colour, black or white on a fixed colour.
std::string cssReadableOn(ColourValue back);

} // namespace quantelo::page
