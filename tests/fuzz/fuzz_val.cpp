// Fuzzes Val with arbitrary bytes and Format with what Val read and with
// arbitrary bit patterns, against oracles that share no code with them:
// glibc's strtod_l and snprintf in the "C" locale, which are correctly
// rounded for any number of digits. (The program itself must not use them:
// they follow the process locale. Here the locale is pinned.)

#include "calc/number_text.h"
#include "calc/power.h"
#include "tests/support/exact_rounding.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <string_view>

namespace {

locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

void check(bool ok, const char* what, std::string_view detail = {})
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_val: %s [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
        std::abort();
    }
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number Val must read, spelled out for strtod: the text without its
// blanks, cut after the longest leading "[+-]digits[.digits][E[+-]digits]"
// with at least one mantissa digit; empty when there is none. Written the
// plain way, as a reference: copy, then match.
struct Expected {
    std::string number;
    std::size_t mantissaDigits = 0;
    bool hasExponent = false;
};

Expected leadingNumber(std::string_view text)
{
    std::string s;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s += c;
        }
    }
    Expected e;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    bool point = false;
    while (i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point))) {
        if (s[i] == '.') {
            point = true;
        } else {
            ++e.mantissaDigits;
        }
        ++i;
    }
    if (e.mantissaDigits == 0) {
        return e;
    }
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                ++j;
            }
            end = j;
            e.hasExponent = true;
        }
    }
    e.number = s.substr(0, end);
    return e;
}

double strtodC(const std::string& number)
{
    return strtod_l(number.c_str(), nullptr, cLocale());
}

// `x` rounded half away from zero to `decimals` places, from its exact
// decimal expansion.
double roundedExactly(float x, int decimals)
{
    return strtodC(quantelo::testing::roundedExactly(x, decimals));
}

// Optional '-', integer digits without padding, '.', exactly `decimals`
// digits; never a '-' in front of zero.
bool hasPatternShape(std::string_view t, int decimals)
{
    const bool negative = !t.empty() && t.front() == '-';
    if (negative) {
        t.remove_prefix(1);
    }
    const auto point = t.find('.');
    if (point == std::string_view::npos || point == 0 || t.size() - point - 1 != static_cast<std::size_t>(decimals)) {
        return false;
    }
    if (point > 1 && t.front() == '0') {
        return false;
    }
    bool allZero = true;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i == point) {
            continue;
        }
        if (!isDigit(t[i])) {
            return false;
        }
        allZero = allZero && t[i] == '0';
    }
    return !(negative && allZero);
}

void checkFormat(float x)
{
    for (const quantelo::FormatPattern& pattern : {quantelo::PowerFormat, quantelo::PFFormat}) {
        const std::string text = quantelo::Format(x, pattern);
        if (std::isnan(x)) {
            check(text == "NaN", "Format of NaN", text);
            continue;
        }
        if (std::isinf(x)) {
            check(text == (x < 0 ? "-Infinity" : "Infinity"), "Format of an infinity", text);
            continue;
        }
        check(hasPatternShape(text, pattern.decimals), "Format's text does not have the pattern's shape", text);
        check(quantelo::Val(text) == roundedExactly(x, pattern.decimals),
              "Val(Format(x)) is not x rounded half away from zero", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = quantelo::Val(text);
    check(!std::isnan(value), "Val gave NaN", text);

    const Expected expected = leadingNumber(text);
    if (std::isinf(value)) {
        // Only a number beyond the double range: it needs an exponent or
        // more than 308 digits.
        check(expected.hasExponent || expected.mantissaDigits > 308, "Val gave an infinity from a short number", text);
    }
    const double reference = expected.number.empty() ? 0.0 : strtodC(expected.number);
    check(std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(reference),
          "Val differs from strtod on the same number", expected.number);

    if (const auto single = quantelo::toSingle(value)) {
        checkFormat(*single);
    }
    // Format on arbitrary bit patterns too, NaNs and infinities included.
    if (size >= sizeof(std::uint32_t)) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkFormat(std::bit_cast<float>(bits));
    }
    return 0;
}
