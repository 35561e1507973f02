#include "forms/controls/qt_text_facts.h"

#include "input/box_text.h"
#include "input/default_ignorable.h"

#include <QChar>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace quantelo {

using input::Category;

QtTextFacts::QtTextFacts(QStringView text)
    : m_text(text)
{
}

input::CharacterFacts QtTextFacts::facts(char32_t c)
{
    input::CharacterFacts facts;
    facts.defaultIgnorable = input::isDefaultIgnorable(c);
    switch (QChar::category(c)) {
    case QChar::Other_Control: facts.category = Category::Control; break;
    case QChar::Other_Format: facts.category = Category::Format; break;
    case QChar::Other_NotAssigned: facts.category = Category::Unassigned; break;
    case QChar::Other_Surrogate: facts.category = Category::Surrogate; break;
    case QChar::Separator_Space: facts.category = Category::SpaceSeparator; break;
    case QChar::Number_DecimalDigit:
        facts.category = Category::DecimalDigit;
        facts.digitValue = static_cast<std::uint8_t>(std::clamp(QChar::digitValue(c), 0, 9));
        break;
    default: facts.category = Category::Other;
    }
    return facts;
}

bool QtTextFacts::decodeThrough(std::size_t i) const
{
    const qsizetype size = m_text.size();
    while (m_codePoints.size() <= i && m_decoded < size) {
        const QChar unit = m_text.at(m_decoded);
        m_starts.push_back(m_decoded);
        if (unit.isHighSurrogate() && m_decoded + 1 < size && m_text.at(m_decoded + 1).isLowSurrogate()) {
            m_codePoints.push_back(QChar::surrogateToUcs4(unit, m_text.at(m_decoded + 1)));
            m_decoded += 2;
        } else {
            m_codePoints.push_back(unit.unicode());
            m_decoded += 1;
        }
    }
    return i < m_codePoints.size();
}

std::optional<input::CodePoint> QtTextFacts::at(std::size_t i) const
{
    if (!decodeThrough(i))
        return std::nullopt;
    return input::CodePoint{m_codePoints[i], facts(m_codePoints[i])};
}

std::vector<std::size_t> QtTextFacts::clusterEnds(std::size_t end) const
{
    std::vector<std::size_t> ends;
    if (end == 0)
        return ends;
    decodeThrough(end - 1);
    end = std::min(end, m_codePoints.size());
    const qsizetype unitEnd = end < m_codePoints.size() ? m_starts[end] : m_decoded;
    // Only the prefix: the finder reads all the text it is given.
    const QString prefix = m_text.left(unitEnd).toString();
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, prefix);
    for (qsizetype next = clusters.toNextBoundary(); next > 0; next = clusters.toNextBoundary()) {
        // A UTF-16 boundary to the code point that starts there.
        const auto found
            = std::lower_bound(m_starts.begin(), m_starts.begin() + static_cast<std::ptrdiff_t>(end), next);
        ends.push_back(static_cast<std::size_t>(found - m_starts.begin()));
    }
    if (ends.empty() || ends.back() != end)
        ends.push_back(end);
    return ends;
}

QString typableText(QStringView text, std::size_t room)
{
    const std::u32string kept = input::typable(QtTextFacts(text), room);
    return QString::fromUcs4(kept.data(), static_cast<qsizetype>(kept.size()));
}

} // namespace quantelo
