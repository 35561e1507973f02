#pragma once

// The box rule (box_text.h) as a plain C interface, for a page that calls
// the core compiled to WebAssembly. The page supplies the Unicode facts as
// data, computed with the browser's own Unicode support; the core answers
// what goes in. Nothing here allocates: the caller owns every buffer (in a
// module, memory it got from the module's malloc).
//
// What JavaScript passes for a text `s` brought into a box:
//   codePoints     s as code points, one uint32 each: Array.from(s, c =>
//                  c.codePointAt(0)). A half of a surrogate pair standing
//                  alone is passed as itself (0xD800..0xDFFF).
//   facts          one uint8 per code point, bits as follows:
//                    bits 0-2  the category: 1 /\p{Cc}/u, 2 /\p{Cf}/u,
//                              3 /\p{Cn}/u, 4 /\p{Cs}/u, 5 /\p{Zs}/u,
//                              6 /\p{Nd}/u, 0 anything else
//                    bit 3     /\p{Default_Ignorable_Code_Point}/u
//                    bits 4-7  the digit's value, 0 to 9, of an Nd: its
//                              distance from the start of its run of
//                              /\p{Nd}/u code points, modulo 10 (Unicode
//                              assigns decimal digits only in runs of ten
//                              that start at zero)
//                  quantelo_box_facts() packs these.
//   clusterStarts  one uint8 per code point: 1 where a grapheme cluster of s
//                  begins, else 0; from new Intl.Segmenter(undefined,
//                  {granularity: "grapheme"}).segment(s), whose segments'
//                  `index` (UTF-16) is turned into a code point index. The
//                  first code point always begins one.
//   count          the number of code points.
//   room           what quantelo_box_room() gives for the box's typing limit
//                  and the characters it keeps (its text's code points less
//                  the selection's, which the text replaces).
//   out            room for `count` uint32: the result is never longer.
// quantelo_box_text() returns how many code points it wrote to `out`: the
// text as the box takes it, to be inserted in place of the selection. It
// returns 0 (nothing goes in) when a buffer is missing.

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

size_t quantelo_box_text(const uint32_t* codePoints, const uint8_t* facts, const uint8_t* clusterStarts, size_t count,
                         uint32_t room, uint32_t* out);

// The room, in code points, that a typing limit of `limit` characters (0:
// none) leaves when the box keeps `kept`: 0 or more; 0xFFFFFFFF for no
// limit.
uint32_t quantelo_box_room(int32_t limit, uint32_t kept);

// The facts byte of one code point as described above. `category` is 0 to 6,
// `digitValue` 0 to 9.
uint8_t quantelo_box_facts(uint8_t category, int defaultIgnorable, uint8_t digitValue);

#ifdef __cplusplus
}
#endif
