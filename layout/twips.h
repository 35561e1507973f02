#pragma once

namespace quantelo {

// Window and control geometry is described in twips, 1/1440 inch. At 96 dots
// per inch a pixel is 15 twips, and Qt's device-independent pixels (like a
// page's CSS pixels) are 96-dpi pixels, so high-DPI scaling keeps the
// proportions on any screen. This is the only place where twips become
// pixels.
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

// Device-independent pixels, as the front ends place their controls.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelSize {
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
constexpr PixelRect twipsToPixels(const TwipRect& rect)
{
    return {twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width), twipsToPixels(rect.height)};
}

constexpr PixelSize twipsToPixels(const TwipSize& size)
{
    return {twipsToPixels(size.width), twipsToPixels(size.height)};
}

} // namespace quantelo
