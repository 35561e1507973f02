#include "input/default_ignorable.h"

#include <gtest/gtest.h>

namespace quantelo::input {
namespace {

struct IgnorableRow {
    const char* name;
    char32_t c;
    bool ignorable;
};

// Single code points, the ends of ranges and their neighbours: what the
// ranges read from the Unicode Character Database must say.
const IgnorableRow ignorableRows[] = {
    {"soft hyphen", 0x00AD, true},
    {"combining grapheme joiner", 0x034F, true},
    {"Hangul choseong filler, first of a range", 0x115F, true},
    {"Hangul jungseong filler, last of a range", 0x1160, true},
    {"Hangul after the fillers", 0x1161, false},
    {"Mongolian vowel separator", 0x180E, true},
    {"zero width space", 0x200B, true},
    {"right-to-left mark", 0x200F, true},
    {"hyphen after the marks", 0x2010, false},
    {"reserved U+2065", 0x2065, true},
    {"variation selector 16", 0xFE0F, true},
    {"interlinear annotation anchor, a format character that is seen", 0xFFF9, false},
    {"Arabic number sign, a format character that is seen", 0x0600, false},
    {"language tag", 0xE0001, true},
    {"variation selector 256", 0xE01EF, true},
    {"last reserved ignorable", 0xE0FFF, true},
    {"past the last range", 0xE1000, false},
    {"NUL", 0x0000, false},
    {"digit zero", U'0', false},
    {"last code point", 0x10FFFF, false},
};

TEST(DefaultIgnorable, AsTheCharacterDatabaseSays)
{
    for (const auto& row : ignorableRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(isDefaultIgnorable(row.c), row.ignorable);
    }
}

} // namespace
} // namespace quantelo::input
