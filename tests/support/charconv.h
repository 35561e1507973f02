#pragma once

// The standard conversions the number tests use as their references, where
// the standard library has them: QUANTELO_STD_FLOAT_CHARCONV, the build's
// one check of it (calc/CMakeLists.txt). Emscripten's libc++ 13 lacks
// bit_cast and floating-point from_chars/to_chars; there the references are
// {fmt} (exact fixed and shortest output) and fast_float (correctly rounded
// input), the libraries the program itself then uses. That path is proven
// against the standard library natively, over every single, by
// scripts/check-conversions.

#include <bit>
#include <charconv>
#include <cstring>
#include <type_traits>

#if !QUANTELO_STD_FLOAT_CHARCONV
#define FMT_HEADER_ONLY 1
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#endif

namespace quantelo::testing {

template <typename To, typename From> To bitCast(const From& from)
{
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// The shortest text that reads back as `value`.
inline char* toCharsShortest(char* first, char* last, double value)
{
#if QUANTELO_STD_FLOAT_CHARCONV
    return std::to_chars(first, last, value).ptr;
#else
    return fmt::format_to_n(first, static_cast<std::size_t>(last - first), "{}", value).out;
#endif
}

// `value` in full, with `precision` decimals, no exponent.
inline char* toCharsFixed(char* first, char* last, double value, int precision)
{
#if QUANTELO_STD_FLOAT_CHARCONV
    return std::to_chars(first, last, value, std::chars_format::fixed, precision).ptr;
#else
    return fmt::format_to_n(first, static_cast<std::size_t>(last - first), "{:.{}f}", value, precision).out;
#endif
}

inline void fromChars(const char* first, const char* last, double& value)
{
#if QUANTELO_STD_FLOAT_CHARCONV
    std::from_chars(first, last, value);
#else
    fast_float::from_chars(first, last, value);
#endif
}

} // namespace quantelo::testing
