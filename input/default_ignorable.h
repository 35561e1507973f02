#pragma once

namespace quantelo::input {

// Unicode's Default_Ignorable_Code_Point: code points that a renderer shows
// as nothing. Read at build time from the Unicode Character Database's
// DerivedCoreProperties.txt (Debian's unicode-data), for the platforms whose
// toolkit has no such query (Qt 6.4 has none); a page asks the browser
// instead (box_text_c.h).
bool isDefaultIgnorable(char32_t c);

} // namespace quantelo::input
