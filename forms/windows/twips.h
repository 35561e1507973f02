#pragma once

#include <QRect>
#include <QSize>

namespace quantelo {

// Window and control geometry is described in twips, 1/1440 inch. At 96 dots
// per inch a pixel is 15 twips, and Qt's device-independent pixels are 96-dpi
// pixels, so Qt's high-DPI scaling keeps the proportions on any screen. This
// is the only place where twips become pixels.
inline constexpr int TwipsPerPixel = 15;

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

struct TwipSize {
    int width;
    int height;
};

// Nearest pixel, halves away from zero (237 twips are 15.8, so 16 pixels).
constexpr int twipsToPixels(int twips)
{
    const int half = TwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / TwipsPerPixel : -((-twips + half) / TwipsPerPixel);
}

// Position and size are each rounded to the nearest pixel.
inline QRect twipsToPixels(const TwipRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}

inline QSize twipsToPixels(const TwipSize& size)
{
    return {twipsToPixels(size.width), twipsToPixels(size.height)};
}

} // namespace quantelo
