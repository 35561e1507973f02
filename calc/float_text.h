#pragma once

#include <charconv>

// The two floating-point text conversions the number conversions build on,
// both exact and blind to the process locale. They are std::from_chars and
// std::to_chars where the standard library has them for double; where it
// does not (libc++ before 17, as Emscripten ships it), fast_float reads and
// {fmt} writes. The build chooses once, for the whole program
// (calc/CMakeLists.txt, QUANTELO_FLOAT_TEXT).

namespace quantelo::float_text {

// Reads a decimal number from [first, last) as std::from_chars does with
// the general format: an optional "-", digits with an optional ".", an
// optional exponent; correctly rounded to nearest, ties to even. ptr is
// where reading stopped. On overflow and underflow the answer is either
// std::errc::result_out_of_range with `value` unset, or no error with
// +/-infinity or a (signed) zero in `value`, which is the correctly rounded
// value; callers handle both.
std::from_chars_result readDouble(const char* first, const char* last, double& value);

// Writes `value`, a finite, non-negative integral double, in full with no
// decimal point and no exponent ("340282346638528859811704183484516925440").
std::to_chars_result writeIntegral(char* first, char* last, double value);

} // namespace quantelo::float_text
