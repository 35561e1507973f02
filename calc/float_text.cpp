#include "calc/float_text.h"

#include <cassert>
#include <cmath>

#if QUANTELO_FLOAT_TEXT_LIBRARY
#include <algorithm>
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#include <iterator>
#endif

namespace quantelo::float_text {

#if QUANTELO_FLOAT_TEXT_LIBRARY

std::from_chars_result readDouble(const char* first, const char* last, double& value)
{
    // fast_float's grammar is from_chars' (no "+", no blanks), and it is
    // correctly rounded for any number of digits; it never reads the locale.
    const auto result = fast_float::from_chars(first, last, value, fast_float::chars_format::general);
    return {result.ptr, result.ec};
}

std::to_chars_result writeIntegral(char* first, char* last, double value)
{
    assert(std::isfinite(value) && value >= 0 && value == std::trunc(value));
    // {fmt} writes the exact decimal expansion of the double with the
    // precision asked for; without "L" it never reads the locale.
    const auto size = static_cast<std::ptrdiff_t>(fmt::formatted_size(FMT_STRING("{:.0f}"), value));
    if (size > last - first) {
        return {last, std::errc::value_too_large};
    }
    return {fmt::format_to(first, FMT_STRING("{:.0f}"), value), std::errc{}};
}

#else

std::from_chars_result readDouble(const char* first, const char* last, double& value)
{
    return std::from_chars(first, last, value);
}

std::to_chars_result writeIntegral(char* first, char* last, double value)
{
    assert(std::isfinite(value) && value >= 0 && value == std::trunc(value));
    return std::to_chars(first, last, value, std::chars_format::fixed, 0);
}

#endif

} // namespace quantelo::float_text
