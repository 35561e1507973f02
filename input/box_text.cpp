#include "input/box_text.h"

namespace quantelo::input {
namespace {

bool isLineBreak(char32_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// Calls `f(c, next)` for each character of `text` before `end` as the box
// holds it (boxCharacter(); CR LF one blank), skipping those it drops;
// `next` is the index just after it. Stops when `f` returns false.
template <typename F> void forEachBoxCharacter(const TextFacts& text, std::size_t begin, std::size_t end, F f)
{
    for (std::size_t i = begin; i < end; ++i) {
        const std::optional<CodePoint> c = text.at(i);
        if (!c)
            return;
        if (c->value == u'\r' && i + 1 < end) {
            const std::optional<CodePoint> next = text.at(i + 1);
            if (next && next->value == u'\n')
                ++i;
        }
        const std::optional<char32_t> boxed = boxCharacter(*c);
        if (boxed && !f(*boxed, i + 1))
            return;
    }
}

// The code points from `begin` to `end` as the box holds them, all of them.
std::u32string boxed(const TextFacts& text, std::size_t begin, std::size_t end)
{
    std::u32string kept;
    forEachBoxCharacter(text, begin, end, [&kept](char32_t c, std::size_t) {
        kept += c;
        return true;
    });
    return kept;
}

} // namespace

std::optional<char32_t> boxCharacter(const CodePoint& c)
{
    if (c.value == u'\t' || isLineBreak(c.value))
        return u' ';
    switch (c.facts.category) {
    case Category::Control:
    case Category::Format:
    case Category::Unassigned:
    case Category::Surrogate: return std::nullopt;
    default: break;
    }
    if (c.facts.defaultIgnorable)
        return std::nullopt;
    if (c.facts.category == Category::SpaceSeparator)
        return u' ';
    if (c.facts.category == Category::DecimalDigit)
        return static_cast<char32_t>(u'0' + (c.facts.digitValue % 10));
    if (c.value >= 0xFF01 && c.value <= 0xFF5E)
        return c.value - 0xFEE0;
    switch (c.value) {
    case 0x2212:
    case 0xFE63: return u'-';
    case 0xFE62: return u'+';
    case 0xFE52:
    case 0x066B: return u'.';
    default: return c.value;
    }
}

std::u32string typable(const TextFacts& text, std::size_t room)
{
    // One character past the room: it tells whether the last cluster that
    // fits ends there.
    std::size_t end = NoLimit;
    std::size_t count = 0;
    forEachBoxCharacter(text, 0, NoLimit, [&](char32_t, std::size_t next) {
        if (++count <= room)
            return true;
        end = next;
        return false;
    });
    if (count <= room)
        return boxed(text, 0, NoLimit);
    // Too much: keep the clusters that end within the room.
    std::u32string kept;
    std::size_t start = 0;
    for (const std::size_t next : text.clusterEnds(end)) {
        if (next <= start || next > end)
            break; // not a boundary of this prefix
        const std::u32string cluster = boxed(text, start, next);
        if (kept.size() + cluster.size() > room)
            break;
        kept += cluster;
        start = next;
    }
    return kept;
}

} // namespace quantelo::input
