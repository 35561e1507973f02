#pragma once

#include "input/text_facts.h"

#include <QString>

#include <vector>

namespace quantelo {

// The Unicode facts of a text brought into a box, from Qt's character data
// (categories, digit values) and QTextBoundaryFinder (grapheme clusters),
// with Default_Ignorable_Code_Point from the Unicode Character Database
// (input/default_ignorable.h), for which Qt has no query. The text is
// decoded only as far as the rule reads it. A half of a surrogate pair
// standing alone is a code point of its own, a surrogate.
class QtTextFacts : public input::TextFacts {
public:
    explicit QtTextFacts(QStringView text);

    [[nodiscard]] std::optional<input::CodePoint> at(std::size_t i) const override;
    [[nodiscard]] std::vector<std::size_t> clusterEnds(std::size_t end) const override;

    // The facts of one code point.
    [[nodiscard]] static input::CharacterFacts facts(char32_t c);

private:
    // Decodes code points up to index `i`; false if the text ends first.
    bool decodeThrough(std::size_t i) const;

    QStringView m_text;
    // What has been decoded: each code point and the UTF-16 index it starts at.
    mutable std::vector<char32_t> m_codePoints;
    mutable std::vector<qsizetype> m_starts;
    mutable qsizetype m_decoded = 0; // UTF-16 units read
};

// The text as the box rule takes it into a box with room for `room` characters.
QString typableText(QStringView text, std::size_t room);

} // namespace quantelo
