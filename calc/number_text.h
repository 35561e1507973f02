#pragma once

#include <string>
#include <string_view>

namespace quantelo {

// Text to number, as the calculators read their boxes.
//
// Reads the longest leading part of `text` that forms a decimal number and
// returns its value; never fails on malformed text:
//  - blanks, tabs and line feeds are skipped wherever they stand (' 2 30' is 230);
//  - an optional "+" or "-", digits with at most one "." as the decimal point,
//    then an optional exponent "E"/"e" with optional sign and digits;
//  - the full stop is the only decimal point, whatever the process locale:
//    a comma ends the number ('0,8' is 0);
//  - reading stops at the first character that cannot continue the number
//    ('230V' is 230, '0.8.1' is 0.8); no leading number reads as 0. NUL
//    bytes and every byte of a non-ASCII character stop it too, so
//    full-width digits read as 0;
//  - an "E" without digits after it (and its sign) is not an exponent: the
//    number ends before it ('1E' and '1E+' are 1).
// Radix prefixes ("&H", "&O") and the exponent letter "D" are not understood:
// reading stops there, so '&H10' is 0 and '1D3' is 1.
// Runs in time linear in the length of the text, whatever it holds.
//
// The value is the decimal number correctly rounded to double. A number too
// small for a double is ordinary underflow and reads as (signed) zero. A
// number beyond the double range (such as '1E999') reads as +/-infinity; the
// caller decides what that means.
double Val(std::string_view text);

// The two display patterns the calculators use.
struct FormatPattern {
    std::string_view pattern; // as the user-facing format string reads
    int decimals;             // digits after the decimal point
};

// "######0.0": every integer digit (at least one), no padding, no grouping,
// exactly one decimal.
inline constexpr FormatPattern PowerFormat{"######0.0", 1};
// "0.00": at least one integer digit, exactly two decimals.
inline constexpr FormatPattern PFFormat{"0.00", 2};

// Number to text with one of the patterns above.
//
// The single-precision value itself is rounded, exactly as it is stored in
// binary, to the pattern's decimals, with ties (values exactly half way,
// such as 0.25 with one decimal) rounded away from zero. A negative value
// that rounds to zero is written without its sign ('0.0', not '-0.0').
// The decimal point is always ".", never grouped, never an exponent, and the
// result never depends on the process locale, so Val reads every text
// Format writes back to the rounded value.
// Non-finite values, which the calculators never format, give "NaN",
// "Infinity" or "-Infinity".
std::string Format(float value, const FormatPattern& pattern);

} // namespace quantelo
