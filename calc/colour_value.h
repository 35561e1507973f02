#pragma once

#include <cstdint>

namespace quantelo {

// A 32-bit colour as the calculators store it: 0x80000000 + n names the
// desktop's system colour n (the user's colour scheme decides the actual
// colour); any other value is an RGB colour 0x00BBGGRR, red in the low byte.
using ColourValue = std::uint32_t;

namespace Colour {
inline constexpr ColourValue SystemFlag = 0x80000000U;

inline constexpr ColourValue Menu = 0x80000004U;             // system colour 4, menu background
inline constexpr ColourValue WindowBackground = 0x80000005U; // 5
inline constexpr ColourValue WindowText = 0x80000008U;       // 8
inline constexpr ColourValue InactiveBorder = 0x8000000BU;   // 11
inline constexpr ColourValue ButtonFace = 0x8000000FU;       // 15
inline constexpr ColourValue ButtonText = 0x80000012U;       // 18
inline constexpr ColourValue DarkShadow3D = 0x80000015U;     // 21

inline constexpr ColourValue Grey = 0x00808080U; // fixed RGB 128, 128, 128
} // namespace Colour

constexpr bool isSystemColour(ColourValue value)
{
    return (value & Colour::SystemFlag) != 0U;
}

} // namespace quantelo
