#pragma once

#include "input/text_facts.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace quantelo::input {

// What a calculator's text box accepts, whatever the route the text comes
// by (keys, input methods, pastes, drops, an assistive tool's insert): what
// the box shows is what the number reading (Val) reads.

// What a box holds for one character brought in: nothing for a character
// that is not seen, the ASCII form of one that looks like part of a number,
// else the character itself.
//   dropped  control (Cc) and format (Cf) characters, unassigned code points
//            (Cn), every default-ignorable code point, surrogate halves
//   blank    tabs, line breaks (LF, VT, FF, CR, NEL, U+2028, U+2029) and
//            every space separator (Zs: no-break space, the fixed-width
//            spaces, the ideographic space)
//   digit    a decimal digit of any script (Nd: Arabic-Indic, Persian,
//            Devanagari, full-width, mathematical ...)
//   ASCII    the full-width forms U+FF01..U+FF5E of the ASCII characters
//   sign     U+2212 minus sign and U+FE63 small hyphen-minus as "-", U+FE62
//            small plus sign as "+"
//   point    U+FE52 small full stop and U+066B Arabic decimal separator as "."
// Dashes, hyphens and other dots stay what they are: they end the number
// where the user sees a character that is not one.
std::optional<char32_t> boxCharacter(const CodePoint& c);

// No typing limit.
inline constexpr std::size_t NoLimit = std::numeric_limits<std::size_t>::max();

// The room a typing limit of `limit` characters (code points; 0 or less: no
// limit) leaves when the box keeps `kept` characters: never below 0.
constexpr std::size_t room(int limit, std::size_t kept)
{
    if (limit <= 0)
        return NoLimit;
    const auto characters = static_cast<std::size_t>(limit);
    return kept >= characters ? 0 : characters - kept;
}

// What of `text` a box takes where it has room for `room` characters: each
// character as boxCharacter() makes it (CR LF one blank), and only whole
// grapheme clusters of the text as the user brought it in, so that a flag,
// an emoji with its modifier, a joined emoji (a family, a profession) or a
// letter with its accents goes in whole or not at all; its invisible joiners
// and selectors are dropped, but only after the cluster is judged. Reads no
// further than the first character past the room, so a huge paste costs no
// more than what goes in.
std::u32string typable(const TextFacts& text, std::size_t room);

} // namespace quantelo::input
