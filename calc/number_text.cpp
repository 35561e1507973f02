#include "calc/number_text.h"

#include "calc/float_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>

// Both conversions are built on from_chars / to_chars for double
// (calc/float_text.h), which are correctly rounded and never consult the
// process locale. strtod, printf and
// iostreams are avoided on purpose: they read the decimal point from the
// locale, and a German desktop would then write and read "0,80".

namespace quantelo {

namespace {

// The compact reading of Val keeps only the first MaxSignificantDigits
// significant digits. Every midpoint between two neighbouring doubles (and
// the overflow threshold) is a decimal with at most 767 significant digits,
// so the digits after the kept ones matter only as "zero or not": one more
// digit "1" stands for all of them when any is non-zero. The shortened
// number then lies strictly between the same two such midpoints as the full
// one and rounds to the same double. This keeps the copy at a fixed size
// whatever the text's length.
constexpr int MaxSignificantDigits = 800;

// The exponent's digits are accumulated up to this bound and no further, so
// that any number of exponent digits cannot overflow. A text would have to
// hold more than 10^15 mantissa digits before the saturated exponent could
// change the outcome.
constexpr std::int64_t ExponentCap = 1'000'000'000'000'000;

// Beyond these decimal magnitudes the result is infinity or zero without
// asking from_chars: a value of at least 10^400 is far above the largest
// double (about 1.8 x 10^308), one below 10^-400 far below half the smallest
// subnormal (about 2.5 x 10^-324). Within them the exponent handed to
// from_chars stays small.
constexpr std::int64_t MagnitudeMax = 400;
constexpr std::int64_t MagnitudeMin = -400;

// Format's scale factors. Up to 10^12 the product with a single stays
// exact (5^12 has 28 significant bits, 24 + 28 <= 53).
constexpr std::array<double, 13> PowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct Cursor {
    std::string_view text;
    std::size_t pos = 0;

    // The next character that is not a blank, or '\0' at the end. A NUL byte
    // in the text ends the number like any other character that cannot
    // continue it, so it needs no separate treatment.
    char peek()
    {
        while (pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
        return pos < text.size() ? text[pos] : '\0';
    }
};

// Whether `c`, after what from_chars read, could still continue the number
// in Val's grammar; if so, from_chars stopped early and its reading is not
// Val's.
constexpr bool mayContinue(char c)
{
    return isBlank(c) || isDigit(c) || c == '.' || c == 'E' || c == 'e';
}

// The common case: a text that starts with the number and has no blank in
// it ('230', '0.8', '-1.5E3', '230V'), read by from_chars in place. Its
// grammar is Val's without the blanks and the '+' (plus "inf", "nan" and
// hexadecimal, which the first character rules out here), so when the
// character after what it read cannot continue the number, it read what Val
// must read. Otherwise, and on overflow or underflow, the answer is nothing
// and the compact reading decides.
std::optional<double> readInPlace(std::string_view text)
{
    const char* const first = text.data();
    const char* const last = first + text.size();
    const char* const body = (first != last && *first == '-') ? first + 1 : first;
    if (body == last || (!isDigit(*body) && *body != '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = float_text::readDouble(first, last, value);
    if (ec != std::errc{} || (end != last && mayContinue(*end))) {
        return std::nullopt;
    }
    return value;
}

// The significant digits of a number read by readCompact, copied without
// blanks and leading zeros: value = digits x 10^(pointPosition - kept).
// The digits are written before they are read, so they are left
// uninitialised (832 bytes on every compact reading).
struct Mantissa {                                       // NOLINT(cppcoreguidelines-pro-type-member-init)
    std::array<char, MaxSignificantDigits + 32> digits; // with room for the exponent
    int kept = 0;
    // A non-zero digit beyond the first MaxSignificantDigits was dropped.
    bool droppedNonZero = false;
    bool anyDigit = false;
    // The position of the decimal point relative to the first significant
    // digit: the number of significant digits before the point (negative for
    // 0.00ddd). It counts digits, so it is bounded by the text's length.
    std::int64_t pointPosition = 0;
};

// Digits with at most one decimal point, from the cursor on.
Mantissa readMantissa(Cursor& in)
{
    Mantissa m;
    bool seenPoint = false;
    for (char c = in.peek();; c = in.peek()) {
        if (isDigit(c)) {
            m.anyDigit = true;
            if (m.kept == 0 && c == '0') {
                // A leading zero: not stored; after the point it moves the
                // point left of the first significant digit.
                if (seenPoint) {
                    --m.pointPosition;
                }
            } else {
                if (m.kept < MaxSignificantDigits) {
                    m.digits[m.kept++] = c;
                } else if (c != '0') {
                    m.droppedNonZero = true;
                }
                if (!seenPoint) {
                    ++m.pointPosition;
                }
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++in.pos;
    }
    return m;
}

// "E" or "e", an optional sign and digits, from the cursor on; 0 and the
// cursor unmoved past the digits when none follow ('1E' and '1E+' read as
// 1). Saturates at ExponentCap.
std::int64_t readExponent(Cursor& in)
{
    std::int64_t exponent = 0;
    if (const char e = in.peek(); e != 'E' && e != 'e') {
        return 0;
    }
    ++in.pos;
    bool negative = false;
    if (const char s = in.peek(); s == '+' || s == '-') {
        negative = (s == '-');
        ++in.pos;
    }
    for (char c = in.peek(); isDigit(c); c = in.peek()) {
        if (exponent < ExponentCap) {
            exponent = exponent * 10 + (c - '0');
        }
        ++in.pos;
    }
    return negative ? -exponent : exponent;
}

// The double nearest to mantissa x 10^exponent, with the sign applied.
double assemble(Mantissa& m, std::int64_t exponent, bool negative)
{
    const double signedZero = negative ? -0.0 : 0.0;
    const double signedInfinity
        = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    if (m.kept == 0) {
        return signedZero; // only zeros, whatever the exponent ('0E99999')
    }

    // The value lies in [10^(magnitude - 1), 10^magnitude).
    const std::int64_t magnitude = m.pointPosition + exponent;
    if (magnitude > MagnitudeMax) {
        return signedInfinity;
    }
    if (magnitude < MagnitudeMin) {
        return signedZero;
    }

    if (m.droppedNonZero) {
        m.digits[m.kept++] = '1';
    }
    m.digits[m.kept] = 'e';
    const char* const last
        = std::to_chars(m.digits.data() + m.kept + 1, m.digits.data() + m.digits.size(), magnitude - m.kept).ptr;

    double value = 0.0;
    if (float_text::readDouble(m.digits.data(), last, value).ec == std::errc::result_out_of_range) {
        // libstdc++ reports overflow and underflow alike and leaves `value`
        // unset; the magnitude tells which one it was (overflow needs
        // magnitude >= 309, underflow magnitude <= -323).
        return magnitude > 0 ? signedInfinity : signedZero;
    }
    return negative ? -value : value;
}

// Every other text: blanks inside the number, a text without a number,
// overflow and underflow. The number is copied without its blanks into a
// buffer of fixed size.
double readCompact(std::string_view text)
{
    Cursor in{text};
    bool negative = false;
    if (const char c = in.peek(); c == '+' || c == '-') {
        negative = (c == '-');
        ++in.pos;
    }
    Mantissa mantissa = readMantissa(in);
    if (!mantissa.anyDigit) {
        // '', 'abc', '.', '-', '.e5': no leading number.
        return 0.0;
    }
    const std::int64_t exponent = readExponent(in);
    return assemble(mantissa, exponent, negative);
}

} // namespace

double Val(std::string_view text)
{
    // Each reading goes once over the text (the lookahead after 'E' only
    // moves the same cursor forward), and from_chars is linear too, so the
    // time is linear, and the extra memory bounded, whatever the text holds.
    if (const auto value = readInPlace(text)) {
        return *value;
    }
    return readCompact(text);
}

std::string Format(float value, const FormatPattern& pattern)
{
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }

    // Rounding the exact binary value: the single widened to double and
    // multiplied by 10^decimals is exact (see PowersOfTen; FLT_MAX x 10^12
    // is far below DBL_MAX), and std::round rounds half away from zero, so
    // 0.25f gives 3 tenths and -0.25f gives -3 tenths. With the two patterns
    // the rounded value is an integer of at most 41 digits.
    const int decimals = pattern.decimals;
    assert(decimals >= 1 && decimals < static_cast<int>(PowersOfTen.size()));
    const double scaled = std::round(std::fabs(static_cast<double>(value)) * PowersOfTen[decimals]);

    // The text is built in a buffer: an optional '-', the integer's digits
    // and, when it has no more than `decimals` digits, zeros on the left so
    // that one integer digit stands before the point.
    std::array<char, 80> buffer; // NOLINT: written before read
    char* const digits = buffer.data() + 1 + decimals;
    char* end = nullptr;
    // Through uint64 when it fits (the common case and the fast one),
    // otherwise the exact fixed expansion of the integral double (the
    // largest singles have 39 integer digits).
    if (scaled < 18446744073709551616.0) { // 2^64
        end = std::to_chars(digits, buffer.data() + buffer.size() - 1, static_cast<std::uint64_t>(scaled)).ptr;
    } else {
        end = float_text::writeIntegral(digits, buffer.data() + buffer.size() - 1, scaled).ptr;
    }
    char* first = digits;
    while (end - first <= decimals) {
        *--first = '0';
    }
    // Shift the decimals right by one to make room for the point.
    std::copy_backward(end - decimals, end, end + 1);
    *(end - decimals) = '.';
    ++end;
    // A negative value that rounds to zero is written without its sign, so
    // that -0.004 shows '0.00' and not '-0.00'.
    if (value < 0 && scaled != 0.0) {
        *--first = '-';
    }
    return {first, end};
}

} // namespace quantelo
