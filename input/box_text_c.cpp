#include "input/box_text_c.h"

#include "input/box_text.h"

#include <algorithm>
#include <vector>

namespace quantelo::input {
namespace {

constexpr uint32_t NoRoomLimit = 0xFFFFFFFFU; // no limit, in the C interface

CharacterFacts unpack(uint8_t facts)
{
    const auto category = static_cast<uint8_t>(facts & 0x07U);
    return {
        .category
        = category <= static_cast<uint8_t>(Category::DecimalDigit) ? static_cast<Category>(category) : Category::Other,
        .defaultIgnorable = (facts & 0x08U) != 0,
        .digitValue = static_cast<uint8_t>(facts >> 4U),
    };
}

// The text as the page describes it, read from its arrays.
class GivenText : public TextFacts {
public:
    GivenText(const uint32_t* codePoints, const uint8_t* facts, const uint8_t* clusterStarts, size_t count)
        : m_codePoints(codePoints)
        , m_facts(facts)
        , m_clusterStarts(clusterStarts)
        , m_count(count)
    {
    }

    [[nodiscard]] std::optional<CodePoint> at(std::size_t i) const override
    {
        if (i >= m_count)
            return std::nullopt;
        return CodePoint{static_cast<char32_t>(m_codePoints[i]), unpack(m_facts[i])};
    }

    [[nodiscard]] std::vector<std::size_t> clusterEnds(std::size_t end) const override
    {
        end = std::min(end, m_count);
        std::vector<std::size_t> ends;
        for (std::size_t i = 1; i < end; ++i) {
            if (m_clusterStarts[i] != 0)
                ends.push_back(i);
        }
        if (end > 0)
            ends.push_back(end);
        return ends;
    }

private:
    const uint32_t* m_codePoints;
    const uint8_t* m_facts;
    const uint8_t* m_clusterStarts;
    size_t m_count;
};

} // namespace
} // namespace quantelo::input

extern "C" size_t quantelo_box_text(const uint32_t* codePoints, const uint8_t* facts, const uint8_t* clusterStarts,
                                    size_t count, uint32_t room, uint32_t* out)
{
    using quantelo::input::GivenText;
    using quantelo::input::NoLimit;
    using quantelo::input::NoRoomLimit;
    if (count == 0 || codePoints == nullptr || facts == nullptr || clusterStarts == nullptr || out == nullptr)
        return 0;
    const GivenText text(codePoints, facts, clusterStarts, count);
    const std::u32string kept = typable(text, room == NoRoomLimit ? NoLimit : room);
    // Never longer than the text: each code point gives at most one.
    std::copy(kept.begin(), kept.end(), out);
    return kept.size();
}

extern "C" uint32_t quantelo_box_room(int32_t limit, uint32_t kept)
{
    const std::size_t left = quantelo::input::room(limit, kept);
    return left == quantelo::input::NoLimit ? quantelo::input::NoRoomLimit : static_cast<uint32_t>(left);
}

extern "C" uint8_t quantelo_box_facts(uint8_t category, int defaultIgnorable, uint8_t digitValue)
{
    return static_cast<uint8_t>((category & 0x07U) | (defaultIgnorable != 0 ? 0x08U : 0U)
                                | ((digitValue & 0x0FU) << 4U));
}
