#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quantelo::input {

// The Unicode facts the box rule (box_text.h) uses, and nothing more. They
// come from the platform that shows the box: Qt's character data and its
// grapheme finder on the desktop (forms/controls/qt_text_facts.h), the
// browser's Intl.Segmenter and Unicode property escapes in a page
// (box_text_c.h). The rule itself holds no Unicode data.

// The general categories the rule tells apart; every other one is Other.
enum class Category : std::uint8_t {
    Other = 0,
    Control = 1,        // Cc
    Format = 2,         // Cf
    Unassigned = 3,     // Cn
    Surrogate = 4,      // Cs: a half of a surrogate pair standing alone
    SpaceSeparator = 5, // Zs
    DecimalDigit = 6,   // Nd
};

struct CharacterFacts {
    Category category = Category::Other;
    bool defaultIgnorable = false; // Default_Ignorable_Code_Point
    std::uint8_t digitValue = 0;   // 0 to 9, of a DecimalDigit
};

struct CodePoint {
    char32_t value;
    CharacterFacts facts;
};

// One text brought into a box, as code points with their facts.
class TextFacts {
public:
    virtual ~TextFacts() = default;

    // Code point `i` of the text, or nothing past its end. The rule asks in
    // increasing order and reads no further than it needs.
    [[nodiscard]] virtual std::optional<CodePoint> at(std::size_t i) const = 0;
    // Where the grapheme clusters of the text's first `end` code points end,
    // in increasing order, the last being `end` (none for an empty prefix).
    // `end` is at most the text's length. The boundaries within a prefix are
    // those of the whole text, as Unicode's rules look only backwards.
    [[nodiscard]] virtual std::vector<std::size_t> clusterEnds(std::size_t end) const = 0;

protected:
    TextFacts() = default;
    TextFacts(const TextFacts&) = default;
    TextFacts& operator=(const TextFacts&) = default;
};

} // namespace quantelo::input
