#pragma once

#include <cstdint>

namespace quantelo {

// A picture compiled into the program: its pixels as 32-bit 0xAARRGGBB
// words, row by row, top row first, without padding (alpha 0xff throughout
// where `alpha` is false). resources/pictures.h hands them out as images.
struct PictureData {
    int width;
    int height;
    bool alpha;
    const std::uint32_t* pixels;
};

// The pictures the build converts from the files in resources/ (made by
// quantelo_picture_converter): the title picture from title.jpg, the 16 x 16
// icon from quantelo.ico and the larger icons from icons/quantelo-N.png.
namespace pictures {
extern const PictureData title;
extern const PictureData icon16;
extern const PictureData icon48;
extern const PictureData icon64;
extern const PictureData icon128;
} // namespace pictures

} // namespace quantelo
