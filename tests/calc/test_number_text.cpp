#include "calc/number_text.h"
#include "tests/support/charconv.h"
#include "tests/support/exact_rounding.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quantelo {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

struct ValCase {
    const char* name;
    std::string text;
    double expected; // compared bit for bit, so the sign of a zero counts
};

// How GoogleTest shows a row's value (in a listing, beside a failure and in
// the ctest name after the row's name): the call, its text escaped.
void PrintTo(const ValCase& row, std::ostream* out)
{
    *out << "Val(" << ::testing::PrintToString(row.text) << ")";
}

std::string repeat(std::string_view piece, std::size_t times)
{
    std::string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        s.append(piece);
    }
    return s;
}

// 1 + 2^-53, exactly half way between 1 and the next double.
const std::string HalfWayAboveOne = "1.00000000000000011102230246251565404236316680908203125";

const std::vector<ValCase>& valCases()
{
    static const std::vector<ValCase> cases{
        // Documented readings.
        {"TrailingUnit", "230V", 230.0},
        {"BlanksBetweenDigits", " 2 30", 230.0},
        {"Exponent", "1.5E3", 1500.0},
        {"LeadingPoint", ".8", 0.8},
        {"CommaEndsNumber", "0,8", 0.0},
        {"CommaAfterInteger", "1,5", 1.0},
        {"SecondPointEnds", "1.2.3", 1.2},
        {"SecondPointEndsPF", "0.8.1", 0.8},
        {"NegativeFraction", "-0.5", -0.5},
        {"PlusSign", "+5", 5.0},
        {"Empty", "", 0.0},
        {"OnlyBlanks", "   ", 0.0},
        {"Letters", "abc", 0.0},
        {"AtPowerLimit", "999990.0", 999990.0},
        {"JustOverPowerLimit", "999990.1", 999990.1},
        // Blanks anywhere.
        {"BlankAfterSign", "- 5", -5.0},
        {"TabsAndLineFeeds", "\t1\n2 .\t5\n", 12.5},
        {"BlanksAroundExponent", "1 E - 3", 0.001},
        {"CarriageReturnEnds", "1\r2", 1.0},
        // Signs, points and digits.
        {"PointOnly", ".", 0.0},
        {"MinusOnly", "-", 0.0},
        {"PlusOnly", "+", 0.0},
        {"SignThenPoint", "-.", 0.0},
        {"TwoSigns", "+-5", 0.0},
        {"NegativeLeadingPoint", "-.5", -0.5},
        {"TrailingPoint", "5.", 5.0},
        {"NegativeZero", "-0", -0.0},
        {"NegativeZeroFraction", "-0.000", -0.0},
        {"LeadingZeros", "000000000000000000001.5", 1.5},
        {"ZerosAfterPoint", "0.000000000000000000000000000025", 2.5e-29},
        {"ThirtyDigits", "123456789012345678901234567890", 123456789012345678901234567890.0},
        {"PointAfterManyDigits", "1234567890123456789012.5", 1234567890123456789012.5},
        // Exponents.
        {"LowerCaseExponent", "2.5e2", 250.0},
        {"ExponentPlusSign", "2.5E+2", 250.0},
        {"NegativeExponent", "25E-1", 2.5},
        {"ExponentWithoutDigits", "1E", 1.0},
        {"ExponentSignWithoutDigits", "1E+", 1.0},
        {"ExponentMinusWithoutDigits", "1e-", 1.0},
        {"ExponentThenLetter", "1Ex", 1.0},
        {"ExponentWithoutMantissa", ".e5", 0.0},
        {"ExponentOnly", "E5", 0.0},
        {"ExponentEndsAtPoint", "1E2.5", 100.0},
        {"ExponentLeadingZeros", "1E0000000000000000000000001", 10.0},
        {"ExponentHugeOverflows", "1E99999999999999999999", Inf},
        {"ExponentHugeUnderflows", "1E-99999999999999999999", 0.0},
        {"ZeroWithHugeExponent", "0E99999999999", 0.0},
        {"ExponentCancelsDigits", "0.0000000001E10", 1.0},
        // Forms that are not understood stop the number.
        {"HexPrefix", "&H10", 0.0},
        {"OctalPrefix", "&O17", 0.0},
        {"DExponent", "1D3", 1.0},
        {"Infinity", "inf", 0.0},
        {"NotANumber", "nan", 0.0},
        {"HexFloat", "0x1p3", 0.0},
        {"NulEnds",
         std::string("12\0"
                     "3",
                     4),
         12.0},
        {"NulFirst",
         std::string("\0"
                     "5",
                     2),
         0.0},
        {"NonAsciiEnds", "1\xC2\xB2", 1.0},
        {"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", 0.0},
        {"FullWidthAfterDigit", "1\xEF\xBC\x92", 1.0},
        {"InvalidUtf8",
         "\xFF\xFE"
         "7",
         0.0},
        // Range.
        {"Overflow", "1E999", Inf},
        {"NegativeOverflow", "-1E999", -Inf},
        {"FourHundredDigits", "1" + std::string(399, '0'), Inf},
        {"LargestPowerOfTen", "1" + std::string(308, '0'), 1e308},
        {"LargestDouble", "1.7976931348623157e308", DBL_MAX},
        {"JustBelowOverflowThreshold", "1.797693134862315807e308", DBL_MAX},
        {"JustAboveOverflowThreshold", "1.7976931348623159e308", Inf},
        {"Underflow", "1E-999", 0.0},
        {"NegativeUnderflow", "-1E-999", -0.0},
        {"SmallestNormal", "2.2250738585072014e-308", DBL_MIN},
        {"SmallestSubnormal", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"RoundsUpToSmallestSubnormal", "2.5e-324", std::numeric_limits<double>::denorm_min()},
        {"RoundsDownToZero", "2.4e-324", 0.0},
        {"NegativeRoundsDownToZero", "-2.4e-324", -0.0},
        // Correct rounding past the digits kept: a tie goes to even, any
        // non-zero digit far behind it decides upwards.
        {"TieToEven", HalfWayAboveOne, 1.0},
        {"TieWithZerosBehind", HalfWayAboveOne + std::string(2000, '0'), 1.0},
        {"TieWithDistantOne", HalfWayAboveOne + std::string(2000, '0') + "1", std::nextafter(1.0, 2.0)},
        {"TieWithDistantOneAndBlanks", HalfWayAboveOne + repeat(" 0", 2000) + " 1", std::nextafter(1.0, 2.0)},
    };
    return cases;
}

void expectSameDouble(double actual, double expected)
{
    EXPECT_EQ(testing::bitCast<std::uint64_t>(actual), testing::bitCast<std::uint64_t>(expected))
        << "actual " << actual << ", expected " << expected;
}

class ValTable : public ::testing::TestWithParam<ValCase> { };

TEST_P(ValTable, Reads)
{
    expectSameDouble(Val(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Val, ValTable, ::testing::ValuesIn(valCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct FormatCase {
    const char* name;
    float value;
    FormatPattern pattern;
    const char* expected;
};

void PrintTo(const FormatCase& row, std::ostream* out)
{
    *out << "Format(" << ::testing::PrintToString(row.value) << ", \"" << row.pattern.pattern << "\")";
}

constexpr float FloatInf = std::numeric_limits<float>::infinity();

const std::vector<FormatCase>& formatCases()
{
    static const std::vector<FormatCase> cases{
        // Documented renderings.
        {"Power_5_52", 5.52F, PowerFormat, "5.5"},
        {"Power_Zero", 0.0F, PowerFormat, "0.0"},
        {"Power_0_04", 0.04F, PowerFormat, "0.0"},
        {"Power_123456_5", 123456.5F, PowerFormat, "123456.5"},
        {"Power_TenMillion", 10000000.0F, PowerFormat, "10000000.0"},
        {"Power_Minus3_46", -3.46F, PowerFormat, "-3.5"},
        {"Power_TieAwayFromZero", 0.25F, PowerFormat, "0.3"},
        {"Power_NegativeTieAwayFromZero", -0.25F, PowerFormat, "-0.3"},
        {"Power_NegativeRoundsToZero", -0.04F, PowerFormat, "0.0"},
        {"PF_0_8", 0.8F, PFFormat, "0.80"},
        {"PF_One", 1.0F, PFFormat, "1.00"},
        {"PF_Zero", 0.0F, PFFormat, "0.00"},
        {"PF_0_857", 0.857F, PFFormat, "0.86"},
        {"PF_Minus0_5", -0.5F, PFFormat, "-0.50"},
        {"PF_12_5", 12.5F, PFFormat, "12.50"},
        {"PF_1_004", 1.004F, PFFormat, "1.00"},
        {"PF_1_006", 1.006F, PFFormat, "1.01"},
        {"PF_Minus0_006", -0.006F, PFFormat, "-0.01"},
        {"PF_Minus0_004", -0.004F, PFFormat, "0.00"},
        {"PF_TieAwayFromZero", 0.125F, PFFormat, "0.13"},
        // The single's binary value decides, not its short decimal form.
        {"Power_1_15_IsBelowHalf", 1.15F, PowerFormat, "1.1"}, // 1.14999997615...
        {"Power_0_05_IsAboveHalf", 0.05F, PowerFormat, "0.1"}, // 0.05000000074...
        {"PF_1_005_IsBelowHalf", 1.005F, PFFormat, "1.00"},    // 1.00499999523...
        {"PF_0_005_IsBelowHalf", 0.005F, PFFormat, "0.00"},    // 0.00499999988...
        {"PF_NegativeTie", -0.125F, PFFormat, "-0.13"},
        {"PF_Tie_0_375", 0.375F, PFFormat, "0.38"},
        {"Power_Tie_2_75", 2.75F, PowerFormat, "2.8"},
        {"Power_CarryIntoInteger", 9.96F, PowerFormat, "10.0"},
        {"PF_CarryIntoInteger", 99.999F, PFFormat, "100.00"},
        {"Power_NextSingleAboveLimit", 999990.0625F, PowerFormat, "999990.1"},
        {"Power_AtLimit", 999990.0F, PowerFormat, "999990.0"},
        {"Power_HalfAt2Pow23", 8388607.5F, PowerFormat, "8388607.5"},
        {"PF_HalfAt2Pow23", 8388607.5F, PFFormat, "8388607.50"},
        {"Power_1E10", 1e10F, PowerFormat, "10000000000.0"},
        {"Power_2Pow64", 18446744073709551616.0F, PowerFormat, "18446744073709551616.0"},
        {"PF_2Pow61", 2305843009213693952.0F, PFFormat, "2305843009213693952.00"},
        {"Power_Negative2Pow64", -18446744073709551616.0F, PowerFormat, "-18446744073709551616.0"},
        // Zeros and the extremes of the single range.
        {"Power_NegativeZero", -0.0F, PowerFormat, "0.0"},
        {"PF_NegativeZero", -0.0F, PFFormat, "0.00"},
        {"Power_SmallestSubnormal", std::numeric_limits<float>::denorm_min(), PowerFormat, "0.0"},
        {"PF_NegativeSmallestSubnormal", -std::numeric_limits<float>::denorm_min(), PFFormat, "0.00"},
        {"PF_SmallestNormal", FLT_MIN, PFFormat, "0.00"},
        {"Power_Largest", FLT_MAX, PowerFormat, "340282346638528859811704183484516925440.0"},
        {"PF_Largest", FLT_MAX, PFFormat, "340282346638528859811704183484516925440.00"},
        {"Power_NegativeLargest", -FLT_MAX, PowerFormat, "-340282346638528859811704183484516925440.0"},
        // Not finite.
        {"Power_NaN", std::numeric_limits<float>::quiet_NaN(), PowerFormat, "NaN"},
        {"PF_Infinity", FloatInf, PFFormat, "Infinity"},
        {"Power_NegativeInfinity", -FloatInf, PowerFormat, "-Infinity"},
    };
    return cases;
}

class FormatTable : public ::testing::TestWithParam<FormatCase> { };

TEST_P(FormatTable, Writes)
{
    EXPECT_EQ(Format(GetParam().value, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Format, FormatTable, ::testing::ValuesIn(formatCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Both conversions must ignore the process locale. Under a German locale
// the C library's decimal point is ','; the tables must read the same.
// glibc names the locale de_DE.UTF-8; the Windows C runtime names it by
// language and country, and MinGW's C++ library has no named locales.
class UnderGermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* name = nullptr;
        for (const char* candidate : {"de_DE.UTF-8", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, candidate) != nullptr) {
                name = candidate;
                break;
            }
        }
        ASSERT_NE(name, nullptr)
            << "the locale de_DE.UTF-8 is missing: enable it in /etc/locale.gen and run locale-gen";
        // The C++ global locale too, where the library has it (this also
        // sets the C locale again).
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error&) {
        }
#if defined(__EMSCRIPTEN__)
        // Emscripten's C library (musl) takes any locale name and keeps the
        // C locale's numbers: no decimal comma to test against.
        if (std::string_view(std::localeconv()->decimal_point) == ".")
            GTEST_SKIP() << "the C library's locales all write numbers as the C locale does";
#endif
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    // Restored here, so that a failing check cannot leave the locale behind
    // for the tests that follow.
    void TearDown() override
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
};

TEST_F(UnderGermanLocale, ValReadsTheSame)
{
    for (const auto& row : valCases()) {
        SCOPED_TRACE(row.name);
        expectSameDouble(Val(row.text), row.expected);
    }
}

TEST_F(UnderGermanLocale, FormatWritesTheSame)
{
    for (const auto& row : formatCases()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Format(row.value, row.pattern), row.expected);
    }
}

// Val looks at each byte once and keeps a copy of fixed size, so these
// texts of a megabyte cannot take quadratic time by construction. There is
// no timing assertion here; the speed is measured in bench_calc.
constexpr std::size_t Megabyte = 1U << 20U;

struct LongCase {
    const char* name;
    std::string text;
    double expected;
};

TEST(ValLongText, MegabyteInputs)
{
    const std::string fullWidthOne = "\xEF\xBC\x91";
    const LongCase cases[] = {
        {"DigitsAfterPoint", "0." + std::string(Megabyte, '3'), 1.0 / 3.0},
        {"IntegerDigits", std::string(Megabyte, '9'), Inf},
        {"IntegerDigitsScaledBack", "1" + std::string(Megabyte, '0') + "E-" + std::to_string(Megabyte), 1.0},
        {"LeadingZeros", std::string(Megabyte, '0') + "42", 42.0},
        {"ZerosAfterPoint", "0." + std::string(Megabyte, '0') + "1E" + std::to_string(Megabyte + 1), 1.0},
        {"BlanksBetweenDigits", "1" + std::string(Megabyte, ' ') + "2", 12.0},
        {"OnlyBlanks", std::string(Megabyte, ' '), 0.0},
        {"BlanksAndDigits", repeat(" 1", Megabyte / 2), Inf},
        {"LettersAfterDigit", "7" + std::string(Megabyte, 'a'), 7.0},
        {"OnlyLetters", std::string(Megabyte, 'a'), 0.0},
        {"NulsAfterDigit", "5" + std::string(Megabyte, '\0'), 5.0},
        {"OnlyNuls", std::string(Megabyte, '\0'), 0.0},
        {"FullWidthDigits", repeat(fullWidthOne, Megabyte / 3), 0.0},
        {"ExponentDigits", "1E-" + std::string(Megabyte, '9'), 0.0},
        {"MixedUtf8", "8" + repeat("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\x8C", Megabyte / 9), 8.0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        expectSameDouble(Val(row.text), row.expected);
    }
}

using testing::roundedExactly;

double parsed(const std::string& text)
{
    double value = 0.0;
    testing::fromChars(text.data(), text.data() + text.size(), value);
    return value;
}

TEST(FormatProperty, RoundTripsToTheExactlyRoundedValue)
{
    std::mt19937 random(20240611U);
    int checked = 0;
    while (checked < 200000) {
        const auto x = testing::bitCast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(x)) {
            continue;
        }
        ++checked;
        for (const FormatPattern& pattern : {PowerFormat, PFFormat}) {
            const std::string text = Format(x, pattern);
            const std::string reference = roundedExactly(x, pattern.decimals);
            // Compared as doubles: the reference keeps the sign of a
            // negative value that rounds to zero, Format drops it.
            ASSERT_EQ(Val(text), parsed(reference)) << "x = " << testing::bitCast<std::uint32_t>(x) << ", Format gave "
                                                    << text << ", exact rounding " << reference;
        }
    }
}

TEST(ValProperty, ReadsBackEveryShortestDouble)
{
    std::mt19937_64 random(20240611U);
    int checked = 0;
    while (checked < 100000) {
        const auto x = testing::bitCast<double>(random());
        if (!std::isfinite(x)) {
            continue;
        }
        ++checked;
        std::array<char, 64> buf{};
        char* const end = testing::toCharsShortest(buf.data(), buf.data() + buf.size(), x);
        std::string text(buf.data(), end);
        ASSERT_EQ(testing::bitCast<std::uint64_t>(Val(text)), testing::bitCast<std::uint64_t>(x)) << text;
        // Blanks between every two characters change nothing.
        std::string spaced;
        for (const char c : text) {
            spaced += c;
            spaced += ' ';
        }
        ASSERT_EQ(testing::bitCast<std::uint64_t>(Val(spaced)), testing::bitCast<std::uint64_t>(x)) << spaced;
    }
}

} // namespace
} // namespace quantelo
