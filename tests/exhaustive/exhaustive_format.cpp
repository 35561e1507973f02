// Checks Format and Val on every one of the 2^32 single-precision bit
// patterns, with both display patterns. Run by scripts/check-conversions, not
// by ctest: a full run takes minutes.
//
// Usage: exhaustive_format [START [COUNT]]   (hexadecimal; default: all)
//
// For a finite value x the text Format writes must be exactly
//     [-]digits.decimals
// where the digits are those of R = |x| x 10^d rounded half away from zero
// (d = the pattern's decimals), at least one integer digit and no leading
// zero, and the '-' only when x < 0 and R != 0. Val of that text must give
// the double nearest to the signed R / 10^d. R is computed here with integer
// arithmetic on the value's binary form, not the way Format computes it, and
// a sample of the patterns is checked once more against the exact decimal
// expansion rounded digit by digit.
// Non-finite values must give "NaN", "Infinity" or "-Infinity", which Val
// reads as 0 (the texts have no leading number).

#include "calc/float_text.h"
#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cfloat>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using quantelo::FormatPattern;

__extension__ typedef unsigned __int128 Uint128;

constexpr std::array<FormatPattern, 2> Patterns{quantelo::PowerFormat, quantelo::PFFormat};
constexpr std::array<std::uint64_t, 3> PowersOfTen{1, 10, 100};

constexpr std::uint64_t PatternCount = std::uint64_t{1} << 32;
constexpr std::uint64_t ProgressStep = std::uint64_t{1} << 28;
constexpr std::uint64_t BlockSize = std::uint64_t{1} << 16;
constexpr std::size_t FailuresShown = 20;
// One pattern in SampleMask + 1 (those with the low bits all zero, among them
// the halves and quarters that are exact ties) is also checked against the
// decimal-expansion reference.
constexpr std::uint32_t SampleMask = 0xFFF;

// Text in a fixed buffer: the longest one is "-" + 39 digits + "." + 2.
struct Text {
    std::array<char, 64> chars{};
    int length = 0;

    std::string_view view() const { return {chars.data(), static_cast<std::size_t>(length)}; }
};

// The expected outcome of formatting one finite value.
struct Expected {
    Text text;
    double value = 0.0; // the double nearest to the text's number
};

// Appends the decimal digits of `n` (no leading zeros; "0" for zero).
void appendDigits(Text& out, Uint128 n)
{
    char* const first = out.chars.data() + out.length;
    char* const last = out.chars.data() + out.chars.size();
    if (n <= UINT64_MAX) {
        out.length = static_cast<int>(std::to_chars(first, last, static_cast<std::uint64_t>(n)).ptr - out.chars.data());
        return;
    }
    // Up to 39 digits: split into 19-digit parts that fit in 64 bits.
    constexpr std::uint64_t Part = 10'000'000'000'000'000'000ULL;
    const std::uint64_t low = static_cast<std::uint64_t>(n % Part);
    const Uint128 rest = n / Part;
    const std::uint64_t middle = static_cast<std::uint64_t>(rest % Part);
    const std::uint64_t high = static_cast<std::uint64_t>(rest / Part);
    char* p = first;
    if (high != 0) {
        p = std::to_chars(p, last, high).ptr;
        std::fill_n(p, 19, '0');
        std::to_chars_result r = std::to_chars(p, last, middle);
        std::rotate(p, r.ptr, p + 19); // right-align the middle part
        p += 19;
    } else {
        p = std::to_chars(p, last, middle).ptr;
    }
    std::fill_n(p, 19, '0');
    std::to_chars_result r = std::to_chars(p, last, low);
    std::rotate(p, r.ptr, p + 19);
    p += 19;
    out.length = static_cast<int>(p - out.chars.data());
}

// The canonical text of the rounded magnitude `r` (in units of 10^-d).
void writeRounded(Text& out, bool negative, Uint128 r, int decimals)
{
    out.length = 0;
    if (negative && r != 0) {
        out.chars[out.length++] = '-';
    }
    const int digitsStart = out.length;
    appendDigits(out, r);
    // Zeros on the left until one digit stands before the point.
    const int digitCount = out.length - digitsStart;
    if (digitCount <= decimals) {
        const int pad = decimals + 1 - digitCount;
        std::copy_backward(out.chars.data() + digitsStart, out.chars.data() + out.length,
                           out.chars.data() + out.length + pad);
        std::fill_n(out.chars.data() + digitsStart, pad, '0');
        out.length += pad;
    }
    char* const point = out.chars.data() + out.length - decimals;
    std::copy_backward(point, out.chars.data() + out.length, out.chars.data() + out.length + 1);
    *point = '.';
    ++out.length;
}

// The reference, by integers. A finite single is m x 2^e with m < 2^24 and
// -149 <= e <= 104.
//  - e >= 0: x is an integer below 2^128, so m << e is exact in 128 bits, and
//    x x 10^d needs no rounding at all: the text is the digits of x followed
//    by d zeros, and its number is x itself, m x 2^e, which ldexp gives
//    exactly.
//  - e < 0: x x 10^d = (m x 10^d) / 2^k with k = -e. m x 10^d < 2^31 is exact
//    in 64 bits; the quotient and the remainder of the division by 2^k are
//    exact shifts, and the remainder against 2^(k-1) decides the rounding
//    (equal is a tie, which goes up: away from zero for the magnitude). For
//    k >= 32 the numerator is below 2^(k-1), so the result is 0. The rounded
//    R < 2^31 and 10^d are exact doubles and IEEE division is correctly
//    rounded, so R / 10^d is the double nearest to the text's number.
void reference(std::uint32_t bits, int decimals, Expected& out)
{
    const bool negative = (bits >> 31) != 0;
    const std::uint32_t biased = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    const std::uint64_t m = biased == 0 ? fraction : (fraction | 0x800000);
    const int e = biased == 0 ? -149 : static_cast<int>(biased) - 150;

    if (e >= 0) {
        out.text.length = 0;
        if (negative) {
            out.text.chars[out.text.length++] = '-';
        }
        appendDigits(out.text, static_cast<Uint128>(m) << e);
        out.text.chars[out.text.length++] = '.';
        std::fill_n(out.text.chars.data() + out.text.length, decimals, '0');
        out.text.length += decimals;
        const double magnitude = std::ldexp(static_cast<double>(m), e);
        out.value = negative ? -magnitude : magnitude;
        return;
    }

    const int k = -e;
    const std::uint64_t n = m * PowersOfTen[decimals];
    std::uint64_t r = 0;
    if (k < 32) {
        const std::uint64_t q = n >> k;
        const std::uint64_t rest = n & ((std::uint64_t{1} << k) - 1);
        r = q + (rest >= (std::uint64_t{1} << (k - 1)) ? 1 : 0);
    }
    writeRounded(out.text, negative, r, decimals);
    const double magnitude = static_cast<double>(r) / static_cast<double>(PowersOfTen[decimals]);
    out.value = (negative && r != 0) ? -magnitude : magnitude;
}

// The second reference, by decimal strings: the exact expansion of x (a
// single has at most 149 fractional digits, so 200 lose nothing), cut after
// d decimals and rounded up when the first dropped digit is 5 or more, which
// is half away from zero for the magnitude.
void decimalReference(float x, int decimals, Text& out)
{
    std::array<char, 320> buffer{};
    const double magnitude = std::fabs(static_cast<double>(x));
    const char* const end
        = std::to_chars(buffer.data() + 1, buffer.data() + buffer.size(), magnitude, std::chars_format::fixed, 200).ptr;
    buffer[0] = '0'; // room for a carry into a new leading digit
    char* const point = std::find(buffer.data(), const_cast<char*>(end), '.');
    char* const cut = point + 1 + decimals;
    if (*cut >= '5') {
        for (char* p = cut - 1; p >= buffer.data(); --p) {
            if (*p == '.') {
                continue;
            }
            if (*p == '9') {
                *p = '0';
            } else {
                ++*p;
                break;
            }
        }
    }
    const char* first = buffer.data();
    while (*first == '0' && first + 1 != point) {
        ++first;
    }
    const bool zero = std::all_of(first, static_cast<const char*>(cut), [](char c) { return c == '0' || c == '.'; });
    out.length = 0;
    if (x < 0 && !zero) {
        out.chars[out.length++] = '-';
    }
    out.length = static_cast<int>(std::copy(first, static_cast<const char*>(cut), out.chars.data() + out.length)
                                  - out.chars.data());
}

// The shape every finite text must have, checked on its own terms: optional
// '-', digits without a leading zero (unless the integer part is "0"), '.',
// exactly `decimals` digits.
const char* shapeFault(std::string_view s, int decimals)
{
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        ++i;
    }
    const std::size_t intStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
    }
    if (i == intStart) {
        return "no integer digit";
    }
    if (s[intStart] == '0' && i - intStart > 1) {
        return "leading zero";
    }
    if (i == s.size() || s[i] != '.') {
        return "no decimal point where expected";
    }
    ++i;
    const std::size_t fracStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
    }
    if (i != s.size()) {
        return "stray character";
    }
    if (static_cast<int>(i - fracStart) != decimals) {
        return "wrong number of decimals";
    }
    return nullptr;
}

struct Failure {
    std::uint32_t bits = 0;
    int pattern = 0;
    std::string reason;
    std::string text;
    std::string expectedText;
    double read = 0.0;
    double expectedValue = 0.0;
};

std::string shortest(double v)
{
    std::array<char, 40> b{};
    return {b.data(), std::to_chars(b.data(), b.data() + b.size(), v).ptr};
}

std::string shortest(float v)
{
    std::array<char, 40> b{};
    return {b.data(), std::to_chars(b.data(), b.data() + b.size(), v).ptr};
}

class Checker {
public:
    std::uint64_t failures = 0;
    std::vector<Failure> first; // the lowest bit patterns that failed, at most FailuresShown

    void check(std::uint32_t bits)
    {
        const float x = std::bit_cast<float>(bits);
        const bool finite = ((bits >> 23) & 0xFF) != 0xFF;
        for (int p = 0; p < static_cast<int>(Patterns.size()); ++p) {
            std::string text;
            try {
                text = quantelo::Format(x, Patterns[p]);
            } catch (const std::exception& ex) {
                fail(bits, p, std::string("Format threw: ") + ex.what(), "", "", 0.0, 0.0);
                continue;
            } catch (...) {
                fail(bits, p, "Format threw", "", "", 0.0, 0.0);
                continue;
            }
            const double read = quantelo::Val(text);
            if (finite) {
                checkFinite(bits, x, p, text, read);
            } else {
                const std::string_view want = (bits & 0x7FFFFF) != 0 ? "NaN"
                    : (bits >> 31) != 0                              ? "-Infinity"
                                                                     : "Infinity";
                if (text != want) {
                    fail(bits, p, "non-finite text", text, std::string(want), read, 0.0);
                } else if (std::bit_cast<std::uint64_t>(read) != 0) {
                    fail(bits, p, "Val of non-finite text is not 0", text, std::string(want), read, 0.0);
                }
            }
        }
    }

private:
    Expected expected_;
    Text sample_;

    void checkFinite(std::uint32_t bits, float x, int p, const std::string& text, double read)
    {
        const int decimals = Patterns[p].decimals;
        reference(bits, decimals, expected_);
        const std::string_view want = expected_.text.view();
        if ((bits & SampleMask) == 0) {
            decimalReference(x, decimals, sample_);
            if (sample_.view() != want) {
                fail(bits, p, "the two references disagree (fault in this checker)", std::string(sample_.view()),
                     std::string(want), read, expected_.value);
                return;
            }
        }
        if (const char* fault = shapeFault(text, decimals)) {
            fail(bits, p, fault, text, std::string(want), read, expected_.value);
        } else if (text != want) {
            fail(bits, p, "wrong text", text, std::string(want), read, expected_.value);
        } else if (std::bit_cast<std::uint64_t>(read) != std::bit_cast<std::uint64_t>(expected_.value)) {
            fail(bits, p, "Val of the text differs", text, std::string(want), read, expected_.value);
        }
    }

    void fail(std::uint32_t bits, int p, std::string reason, std::string text, std::string want, double read,
              double value)
    {
        ++failures;
        // Blocks reach a checker in increasing order, so the first ones kept
        // are its lowest.
        if (first.size() < FailuresShown) {
            first.push_back({bits, p, std::move(reason), std::move(text), std::move(want), read, value});
        }
    }
};

// Known roundings of the reference itself, so that a fault in this file shows
// up as such and not as a fault in Format.
bool referenceSelfTest()
{
    struct Case {
        float x;
        int decimals;
        std::string_view text;
    };
    static constexpr std::array<Case, 14> Cases{{
        {0.25F, 1, "0.3"}, // exact tie, away from zero
        {-0.25F, 1, "-0.3"},
        {0.125F, 2, "0.13"},
        {-0.375F, 2, "-0.38"},
        {0.05F, 1, "0.1"},   // 0.0500000007...
        {1.005F, 2, "1.00"}, // 1.00499999523...
        {0.995F, 2, "1.00"}, // 0.995000004768...
        {9.95F, 1, "9.9"},   // 9.94999980926...
        {-0.04F, 1, "0.0"},  // rounds to zero: no sign
        {-0.0F, 2, "0.00"},
        {FLT_TRUE_MIN, 2, "0.00"},
        {16777216.0F, 1, "16777216.0"},
        {FLT_MAX, 2, "340282346638528859811704183484516925440.00"},
        {-1.0e20F, 1, "-100000002004087734272.0"},
    }};
    bool ok = true;
    Expected e;
    Text t;
    for (const Case& c : Cases) {
        reference(std::bit_cast<std::uint32_t>(c.x), c.decimals, e);
        decimalReference(c.x, c.decimals, t);
        if (e.text.view() != c.text || t.view() != c.text) {
            std::fprintf(stderr, "reference self-test: %s with %d decimals gives %.*s and %.*s, not %.*s\n",
                         shortest(c.x).c_str(), c.decimals, e.text.length, e.text.chars.data(), t.length,
                         t.chars.data(), static_cast<int>(c.text.size()), c.text.data());
            ok = false;
        }
    }
    return ok;
}

bool parseHex(const char* s, std::uint64_t& out)
{
    std::string_view v(s);
    if (v.starts_with("0x") || v.starts_with("0X")) {
        v.remove_prefix(2);
    }
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out, 16);
    return ec == std::errc{} && end == v.data() + v.size() && !v.empty();
}

} // namespace

int main(int argc, char** argv)
{
    std::uint64_t start = 0;
    std::uint64_t count = PatternCount;
    if (argc > 3 || (argc > 1 && !parseHex(argv[1], start)) || (argc > 2 && !parseHex(argv[2], count))) {
        std::fprintf(stderr, "usage: %s [START [COUNT]]   (hexadecimal bit patterns)\n", argv[0]);
        return 2;
    }
    if (start >= PatternCount) {
        std::fprintf(stderr, "START must be below 0x100000000\n");
        return 2;
    }
    if (argc <= 2) {
        count = PatternCount - start;
    }
    count = std::min(count, PatternCount - start);

    if (!referenceSelfTest()) {
        return 2;
    }

    const unsigned workers = std::max(1U, std::thread::hardware_concurrency());
    const std::uint64_t blocks = (count + BlockSize - 1) / BlockSize;
    std::fprintf(stderr, "floating-point text conversions: %s\n", QUANTELO_FLOAT_TEXT_CHECKED);
    std::fprintf(stderr, "checking patterns 0x%08llx..0x%08llx (0x%llx patterns) on %u threads\n",
                 static_cast<unsigned long long>(start), static_cast<unsigned long long>(start + count - 1),
                 static_cast<unsigned long long>(count), workers);

    const auto began = std::chrono::steady_clock::now();
    std::atomic<std::uint64_t> nextBlock{0};
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> failuresSoFar{0};
    std::vector<Checker> checkers(workers);
    std::vector<std::thread> threads;
    threads.reserve(workers);
    for (unsigned w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            Checker& checker = checkers[w];
            for (std::uint64_t b = nextBlock++; b < blocks; b = nextBlock++) {
                const std::uint64_t from = start + b * BlockSize;
                const std::uint64_t to = std::min(from + BlockSize, start + count);
                const std::uint64_t before = checker.failures;
                for (std::uint64_t i = from; i < to; ++i) {
                    checker.check(static_cast<std::uint32_t>(i));
                }
                const std::uint64_t failed = (failuresSoFar += checker.failures - before);
                const std::uint64_t total = (done += to - from);
                if (total / ProgressStep != (total - (to - from)) / ProgressStep) {
                    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;
                    std::fprintf(stderr, "  %5.1f%%  0x%09llx patterns  %7.1f s  %llu failures\n",
                                 100.0 * static_cast<double>(total) / static_cast<double>(count),
                                 static_cast<unsigned long long>(total), elapsed.count(),
                                 static_cast<unsigned long long>(failed));
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - began;

    std::uint64_t failures = 0;
    std::vector<Failure> first;
    for (Checker& c : checkers) {
        failures += c.failures;
        first.insert(first.end(), c.first.begin(), c.first.end());
    }
    std::sort(first.begin(), first.end(), [](const Failure& a, const Failure& b) {
        return a.bits != b.bits ? a.bits < b.bits : a.pattern < b.pattern;
    });
    if (first.size() > FailuresShown) {
        first.resize(FailuresShown);
    }
    for (const Failure& f : first) {
        std::printf("FAIL 0x%08x %s [%.*s]: %s\n    text \"%s\"  expected \"%s\"\n    Val %s  expected %s\n", f.bits,
                    shortest(std::bit_cast<float>(f.bits)).c_str(),
                    static_cast<int>(Patterns[f.pattern].pattern.size()), Patterns[f.pattern].pattern.data(),
                    f.reason.c_str(), f.text.c_str(), f.expectedText.c_str(), shortest(f.read).c_str(),
                    shortest(f.expectedValue).c_str());
    }
    std::printf("%llu patterns x %zu formats checked in %.1f s: %llu failures\n",
                static_cast<unsigned long long>(count), Patterns.size(), elapsed.count(),
                static_cast<unsigned long long>(failures));
    return failures == 0 ? 0 : 1;
}
