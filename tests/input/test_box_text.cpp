// The box rule driven as a page drives it: the text as code points, the
// facts and the grapheme clusters as data (box_text_c.h).
#include "input/box_text.h"
#include "input/box_text_c.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace quantelo::input {
namespace {

constexpr uint32_t Unlimited = 0xFFFFFFFFU;

// The facts of the code points the rows use, as a page computes them with
// property escapes (box_text_c.h); any other is Other.
uint8_t factsOf(char32_t c)
{
    constexpr auto category = [](Category value) { return static_cast<uint8_t>(value); };
    const auto is
        = [c](std::initializer_list<char32_t> list) { return std::find(list.begin(), list.end(), c) != list.end(); };
    // Decimal digits come in runs of ten starting at zero.
    for (const char32_t zero : {U'0', char32_t{0x0660}, char32_t{0x06F0}, char32_t{0x0966}, char32_t{0xFF10},
                                char32_t{0x1D7CE}, char32_t{0x1D7D8}}) {
        if (c >= zero && c < zero + 10)
            return quantelo_box_facts(category(Category::DecimalDigit), 0, static_cast<uint8_t>(c - zero));
    }
    const bool ignorable = is({0x00AD, 0x034F, 0x115F, 0x180B, 0x200B, 0x200D, 0x200E, 0x200F, 0x2060, 0x2065, 0x3164,
                               0xFE00, 0xFE0F, 0xFEFF, 0xFFF0, 0xE0000, 0xE0100});
    Category kind = Category::Other;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        kind = Category::Control;
    else if (is({0x00AD, 0x0600, 0x200B, 0x200D, 0x200E, 0x200F, 0x2060, 0xFEFF, 0xFFF9}))
        kind = Category::Format;
    else if (is({0x0378, 0x2065, 0xFFF0, 0xE0000}))
        kind = Category::Unassigned;
    else if (c >= 0xD800 && c <= 0xDFFF)
        kind = Category::Surrogate;
    else if (is({U' ', 0x00A0, 0x2007, 0x3000}))
        kind = Category::SpaceSeparator;
    return quantelo_box_facts(category(kind), ignorable ? 1 : 0, 0);
}

struct BoxRow {
    const char* name;
    std::u32string text;
    uint32_t room;
    std::u32string taken;
    // '1' where a grapheme cluster starts, one per code point; empty: each
    // code point is a cluster of its own.
    std::string clusters = {};
};

// What quantelo_box_text takes of the row's text.
std::u32string taken(const BoxRow& row)
{
    const std::vector<uint32_t> codePoints(row.text.begin(), row.text.end());
    std::vector<uint8_t> facts;
    std::vector<uint8_t> starts;
    for (std::size_t i = 0; i < row.text.size(); ++i) {
        facts.push_back(factsOf(row.text[i]));
        starts.push_back(row.clusters.empty() || row.clusters.at(i) == '1' ? 1 : 0);
    }
    std::vector<uint32_t> out(codePoints.size() + 1, 0xDEADU);
    const size_t written
        = quantelo_box_text(codePoints.data(), facts.data(), starts.data(), codePoints.size(), row.room, out.data());
    EXPECT_LE(written, codePoints.size());
    EXPECT_EQ(out[codePoints.size()], 0xDEADU) << "wrote past the text's length";
    return {out.begin(), out.begin() + static_cast<std::ptrdiff_t>(std::min(written, codePoints.size()))};
}

const std::u32string Family = U"\U0001F468\u200D\U0001F469\u200D\U0001F467"; // man, woman, girl, joined
const std::u32string Flag = U"\U0001F1E9\U0001F1EA";                         // two regional indicators

const BoxRow characterRows[] = {
    {"plain number", U"230.5E1", Unlimited, U"230.5E1"},
    // Not seen: dropped.
    {"NUL", std::u32string(1, U'\0') + U"230", Unlimited, U"230"},
    {"C1 control", U"23\u009B0", Unlimited, U"230"},
    {"right-to-left mark", U"\u200F230", Unlimited, U"230"},
    {"byte-order mark", U"\uFEFF230", Unlimited, U"230"},
    {"zero-width space", U"2\u200B30", Unlimited, U"230"},
    {"Arabic number sign, a format character", U"2\u060030", Unlimited, U"230"},
    {"annotation anchor, a format character", U"23\uFFF90", Unlimited, U"230"},
    {"grapheme joiner, an ignorable mark", U"123\u034F4", Unlimited, U"1234"},
    {"variation selectors", U"2\uFE0F3\uFE000\u180B", Unlimited, U"230"},
    {"supplementary variation selector", U"23\U000E01000", Unlimited, U"230"},
    {"Hangul fillers, ignorable letters", U"\u115F23\u31640", Unlimited, U"230"},
    {"unassigned and ignorable", U"2\u20653\uFFF00\U000E0000", Unlimited, U"230"},
    {"unassigned U+0378", U"23\u03780", Unlimited, U"230"},
    {"lone surrogate", U"23" + std::u32string(1, char32_t{0xD800}) + U"0", Unlimited, U"230"},
    // Blanks.
    {"tab", U"2\t30", Unlimited, U"2 30"},
    {"CR LF one blank", U"230\r\n", Unlimited, U"230 ", "11110"},
    {"CR and LF apart", U"2\r3\n0", Unlimited, U"2 3 0"},
    {"vertical tab and form feed", U"2\v3\f0", Unlimited, U"2 3 0"},
    {"NEL, line and paragraph separators", U"2\u00853\u20280\u2029", Unlimited, U"2 3 0 "},
    {"no-break, figure and ideographic spaces", U"2\u00A03\u20070\u3000", Unlimited, U"2 3 0 "},
    // Looks like part of a number: its ASCII form.
    {"Arabic-Indic digits", U"\u0662\u0663\u0660", Unlimited, U"230"},
    {"Persian digits", U"\u06F2\u06F3\u06F0", Unlimited, U"230"},
    {"Devanagari digits", U"\u0968\u0969\u0966", Unlimited, U"230"},
    {"mathematical bold and double-struck digits", U"\U0001D7D0\U0001D7DB\U0001D7D8", Unlimited, U"230"},
    {"full-width digits, point and exponent", U"\uFF12\uFF13\uFF0E\uFF10\uFF25\uFF11", Unlimited, U"23.0E1"},
    {"full-width letter and plus", U"\uFF41\uFF0B", Unlimited, U"a+"},
    {"minus sign", U"\u2212230", Unlimited, U"-230"},
    {"small hyphen-minus and plus", U"\uFE63\uFE62", Unlimited, U"-+"},
    {"small full stop and Arabic decimal separator", U"0\uFE525\u066B5", Unlimited, U"0.5.5"},
    // Seen and not part of a number: stays, and ends the number there.
    {"hyphen, en dash and middle dot stay", U"2\u20103\u20130\u00B7", Unlimited, U"2\u20103\u20130\u00B7"},
    {"full-width forms past the ASCII ones stay", U"\uFF5F\uFF00", Unlimited, U"\uFF5F\uFF00"},
};

const BoxRow limitRows[] = {
    {"typing past the room", U"12345678", 6, U"123456"},
    {"no room", U"7", 0, U""},
    {"exactly the room", U"123456", 6, U"123456"},
    {"emoji counts once", U"\U0001F6009", 2, U"\U0001F6009"},
    {"emoji past the room", U"0\U0001F600", 1, U"0"},
    {"flag past the room", U"0" + Flag, 2, U"0", "110"},
    {"flag that fits", U"0" + Flag, 3, U"0" + Flag, "110"},
    {"joined family past the room", Family, 2, U"", "10000"},
    {"joined family fits without its joiners", Family, 3, U"\U0001F468\U0001F469\U0001F467", "10000"},
    {"rainbow flag past the room", U"0\U0001F3F3\uFE0F\u200D\U0001F308", 2, U"0", "11000"},
    {"letter and its accent past the room", U"5e\u0301", 2, U"5", "110"},
    {"letter and its accent fit", U"5e\u0301", 3, U"5e\u0301", "110"},
    {"dropped characters take no room", U"\u200E\u200E\u200E\u200E\u200E000", 3, U"000"},
    {"a dropped character past the room goes with its cluster", U"123\u200E4", 3, U"123"},
    {"CR LF at the room's edge", U"12\r\n", 3, U"12 ", "1110"},
    {"CR LF past the room", U"123\r\n", 3, U"123", "11110"},
};

TEST(BoxText, CharacterRules)
{
    for (const auto& row : characterRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(taken(row), row.taken);
    }
}

TEST(BoxText, TypingLimitKeepsWholeClusters)
{
    for (const auto& row : limitRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(taken(row), row.taken);
    }
}

TEST(BoxText, ManyDroppedCharactersBeforeADigit)
{
    // More than a line edit holds (32767), all of them dropped.
    BoxRow row{"controls then a digit", std::u32string(40000, U'\x01') + U"5", 6, U"5"};
    EXPECT_EQ(taken(row), row.taken);
}

struct RoomRow {
    const char* name;
    int32_t limit;
    uint32_t kept;
    uint32_t room;
};

const RoomRow roomRows[] = {
    {"no limit", 0, 5, Unlimited},
    {"negative limit is none", -1, 0, Unlimited},
    {"what is left", 6, 2, 4},
    {"full", 6, 6, 0},
    {"a program text longer than the limit", 7, 9, 0},
};

TEST(BoxText, Room)
{
    for (const auto& row : roomRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(quantelo_box_room(row.limit, row.kept), row.room);
    }
}

TEST(BoxText, MissingBuffersTakeNothing)
{
    const uint32_t text[] = {U'5'};
    const uint8_t facts[] = {0};
    const uint8_t starts[] = {1};
    uint32_t out[1] = {0};
    EXPECT_EQ(quantelo_box_text(nullptr, facts, starts, 1, Unlimited, out), 0U);
    EXPECT_EQ(quantelo_box_text(text, nullptr, starts, 1, Unlimited, out), 0U);
    EXPECT_EQ(quantelo_box_text(text, facts, nullptr, 1, Unlimited, out), 0U);
    EXPECT_EQ(quantelo_box_text(text, facts, starts, 1, Unlimited, nullptr), 0U);
    EXPECT_EQ(quantelo_box_text(text, facts, starts, 1, Unlimited, out), 1U);
    EXPECT_EQ(out[0], U'5');
}

TEST(BoxText, UnknownCategoryAndNoClusterStartsStaySafe)
{
    // A page that passes a category the rule does not know, and marks no
    // cluster start at all: the text is one cluster of characters kept as
    // they are.
    const uint32_t text[] = {U'1', U'2', U'3'};
    const uint8_t facts[] = {0x07, 0x07, 0x07};
    const uint8_t starts[] = {0, 0, 0};
    uint32_t out[3] = {};
    EXPECT_EQ(quantelo_box_text(text, facts, starts, 3, Unlimited, out), 3U);
    EXPECT_EQ(quantelo_box_text(text, facts, starts, 3, 2, out), 0U);
}

// Counts how far the rule reads.
class CountingText : public TextFacts {
public:
    explicit CountingText(std::size_t size)
        : m_size(size)
    {
    }

    [[nodiscard]] std::optional<CodePoint> at(std::size_t i) const override
    {
        furthest = std::max(furthest, i);
        if (i >= m_size)
            return std::nullopt;
        return CodePoint{U'7', {.category = Category::DecimalDigit, .digitValue = 7}};
    }

    [[nodiscard]] std::vector<std::size_t> clusterEnds(std::size_t end) const override
    {
        segmented = end;
        std::vector<std::size_t> ends;
        for (std::size_t i = 1; i <= end; ++i)
            ends.push_back(i);
        return ends;
    }

    mutable std::size_t furthest = 0;
    mutable std::size_t segmented = 0;

private:
    std::size_t m_size;
};

TEST(BoxText, AHugePasteIsReadOnlyPastTheRoom)
{
    const CountingText text(1'000'000);
    EXPECT_EQ(typable(text, 6), U"777777");
    EXPECT_LE(text.furthest, 7U);
    EXPECT_EQ(text.segmented, 7U);
}

} // namespace
} // namespace quantelo::input
