#include "input/default_ignorable.h"

#include "input/default_ignorable_ranges.h"

#include <algorithm>
#include <iterator>

namespace quantelo::input {
namespace {

constexpr bool inOrder()
{
    return std::is_sorted(std::begin(DefaultIgnorableRanges), std::end(DefaultIgnorableRanges),
                          [](const CodePointRange& a, const CodePointRange& b) { return a.last < b.first; })
        && std::all_of(std::begin(DefaultIgnorableRanges), std::end(DefaultIgnorableRanges),
                       [](const CodePointRange& range) { return range.first <= range.last; });
}
static_assert(inOrder(), "the lookup below needs ranges in order, apart");

} // namespace

bool isDefaultIgnorable(char32_t c)
{
    // The ranges are in increasing order and do not overlap: the first that
    // ends at or after `c` is the only one that may hold it.
    const auto* found
        = std::lower_bound(std::begin(DefaultIgnorableRanges), std::end(DefaultIgnorableRanges), c,
                           [](const CodePointRange& range, char32_t value) { return range.last < value; });
    return found != std::end(DefaultIgnorableRanges) && found->first <= c;
}

} // namespace quantelo::input
