#pragma once

#include "tests/support/charconv.h"

#include <array>
#include <cstddef>
#include <string>

namespace quantelo::testing {

// `x` rounded half away from zero to `decimals` places, as text ("-12.35"),
// by decimal arithmetic on its full expansion: a reference for Format that
// shares nothing with its method. 160 places hold every single exactly (the
// smallest subnormal has 149), so the digit after the last kept one alone
// decides the rounding. A value that rounds to zero keeps its sign here.
inline std::string roundedExactly(float x, int decimals)
{
    std::array<char, 256> buf{};
    char* const end = toCharsFixed(buf.data(), buf.data() + buf.size(), static_cast<double>(x), 160);
    std::string s(buf.data(), end);
    const bool negative = s.front() == '-';
    if (negative) {
        s.erase(0, 1);
    }
    const auto point = s.find('.');
    const bool up = s[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    std::string digits = s.substr(0, point) + s.substr(point + 1, static_cast<std::size_t>(decimals));
    if (up) {
        auto i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    const auto integerDigits = digits.size() - static_cast<std::size_t>(decimals);
    return (negative ? "-" : "") + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

} // namespace quantelo::testing
