// The committed picture and icon files, read byte by byte: the formats the
// program promises must not depend on what an image library is willing to
// decode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le16(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}
std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}
std::uint32_t be16(const Bytes& b, std::size_t at)
{
    return b.at(at) << 8 | b.at(at + 1);
}
std::uint32_t be32(const Bytes& b, std::size_t at)
{
    return be16(b, at) << 16 | be16(b, at + 2);
}

// --- JPEG ------------------------------------------------------------------

struct JpegComponent {
    int id;
    int sampling; // horizontal factor in the high nibble, vertical in the low
};

struct JpegLayout {
    std::vector<int> frameMarkers; // every SOFn found (0xC0..0xCF less DHT, JPG, DAC)
    int precision = 0;
    int height = 0;
    int width = 0;
    std::vector<JpegComponent> components;
    int scans = 0;
    bool jfif = false;
    std::optional<int> adobeTransform;
    bool endsWithEoi = false;
};

// Walks the marker segments from SOI to EOI, stepping over each scan's
// entropy-coded data (where 0xFF is followed by 0x00 or by a restart marker).
JpegLayout readJpeg(const Bytes& b)
{
    JpegLayout layout;
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        throw std::runtime_error("no SOI marker");
    std::size_t at = 2;
    while (at + 1 < b.size()) {
        if (b[at] != 0xFF)
            throw std::runtime_error("expected a marker at offset " + std::to_string(at));
        const int marker = b[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9) {
            layout.endsWithEoi = at + 2 == b.size();
            return layout;
        }
        const std::size_t length = be16(b, at + 2);
        const std::size_t segment = at + 4;
        const bool isFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            layout.frameMarkers.push_back(marker);
            layout.precision = b.at(segment);
            layout.height = static_cast<int>(be16(b, segment + 1));
            layout.width = static_cast<int>(be16(b, segment + 3));
            const int count = b.at(segment + 5);
            for (int i = 0; i < count; ++i)
                layout.components.push_back({b.at(segment + 6 + 3 * static_cast<std::size_t>(i)),
                                             b.at(segment + 7 + 3 * static_cast<std::size_t>(i))});
        } else if (marker == 0xE0 && length >= 7 && be32(b, segment) == 0x4A464946 && b.at(segment + 4) == 0) {
            layout.jfif = true;
        } else if (marker == 0xEE && length >= 14 && be32(b, segment) == 0x41646F62) { // "Adob"
            layout.adobeTransform = b.at(segment + 11);
        }
        at += 2 + length;
        if (marker == 0xDA) {
            ++layout.scans;
            while (at + 1 < b.size() && !(b[at] == 0xFF && b[at + 1] != 0x00 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7)))
                ++at;
        }
    }
    throw std::runtime_error("no EOI marker");
}

class TitlePicture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_layout = readJpeg(readFile(QUANTELO_RESOURCES_DIR "/title.jpg")); }
    static inline JpegLayout s_layout;
};

TEST_F(TitlePicture, IsOneProgressiveHuffmanFrame)
{
    EXPECT_EQ(s_layout.frameMarkers, std::vector<int>{0xC2});
    // A progressive picture comes in several scans; one scan would mean the
    // frame marker is not telling the truth about the data.
    EXPECT_GT(s_layout.scans, 1);
    EXPECT_TRUE(s_layout.endsWithEoi);
}

TEST_F(TitlePicture, Has8BitSamplesAt400By311)
{
    EXPECT_EQ(s_layout.precision, 8);
    EXPECT_EQ(s_layout.width, 400);
    EXPECT_EQ(s_layout.height, 311);
}

TEST_F(TitlePicture, HasYCbCrWithoutSubsampling)
{
    ASSERT_EQ(s_layout.components.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("component " + std::to_string(i));
        EXPECT_EQ(s_layout.components[i].id, i + 1);
        EXPECT_EQ(s_layout.components[i].sampling, 0x11);
    }
    // Ids 1, 2, 3 mean Y, Cb, Cr under JFIF; an Adobe marker with transform 0
    // would declare RGB instead.
    EXPECT_TRUE(s_layout.jfif);
    if (s_layout.adobeTransform) {
        EXPECT_EQ(*s_layout.adobeTransform, 1);
    }
}

// --- ICO -------------------------------------------------------------------

class IconFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_ico = readFile(QUANTELO_RESOURCES_DIR "/quantelo.ico"); }
    static inline Bytes s_ico;
};

TEST_F(IconFile, DirectoryHoldsOne16By16ImageOf256Colours)
{
    ASSERT_GE(s_ico.size(), 22u);
    EXPECT_EQ(le16(s_ico, 0), 0u) << "reserved";
    EXPECT_EQ(le16(s_ico, 2), 1u) << "type: icon";
    EXPECT_EQ(le16(s_ico, 4), 1u) << "image count";
    EXPECT_EQ(s_ico[6], 16) << "width";
    EXPECT_EQ(s_ico[7], 16) << "height";
    EXPECT_EQ(s_ico[8], 0) << "colour count: 0 stands for 256";
    EXPECT_EQ(s_ico[9], 0) << "reserved";
    EXPECT_EQ(le16(s_ico, 12), 8u) << "bits per pixel";
    EXPECT_EQ(le32(s_ico, 14), 1384u) << "image size";
    EXPECT_EQ(le32(s_ico, 18), 22u) << "image offset";
    EXPECT_EQ(s_ico.size(), 22u + 1384u) << "nothing may follow the image";
}

TEST_F(IconFile, ImageIs8BitBitmapWithPaletteAndMask)
{
    ASSERT_EQ(s_ico.size(), 22u + 1384u);
    const std::size_t h = 22;
    EXPECT_EQ(le32(s_ico, h), 40u) << "BITMAPINFOHEADER size";
    EXPECT_EQ(le32(s_ico, h + 4), 16u) << "width";
    EXPECT_EQ(le32(s_ico, h + 8), 32u) << "height counts pixel and mask rows";
    EXPECT_EQ(le16(s_ico, h + 12), 1u) << "planes";
    EXPECT_EQ(le16(s_ico, h + 14), 8u) << "bits per pixel";
    EXPECT_EQ(le32(s_ico, h + 16), 0u) << "no compression";
    const std::uint32_t coloursUsed = le32(s_ico, h + 32);
    EXPECT_TRUE(coloursUsed == 0 || coloursUsed == 256) << "palette of " << coloursUsed;
}

TEST_F(IconFile, MaskHidesExactlyTheFourCornersOfTheFrame)
{
    ASSERT_EQ(s_ico.size(), 22u + 1384u);
    const std::size_t mask = 22 + 40 + 1024 + 256;
    for (std::size_t row = 0; row < 16; ++row) { // bottom-up, 4 bytes a row
        const std::uint32_t bits = be16(s_ico, mask + 4 * row);
        const std::uint32_t expected = (row == 0 || row == 15) ? 0x8001 : 0x0000;
        EXPECT_EQ(bits, expected) << "mask row " << row;
        EXPECT_EQ(be16(s_ico, mask + 4 * row + 2), 0u) << "padding of mask row " << row;
    }
}

// --- hicolor PNGs ----------------------------------------------------------

class HicolorIcon : public ::testing::TestWithParam<int> { };

TEST_P(HicolorIcon, IsSquarePngOfItsSize)
{
    const int size = GetParam();
    const Bytes png = readFile(QUANTELO_RESOURCES_DIR "/icons/quantelo-" + std::to_string(size) + ".png");
    ASSERT_GE(png.size(), 33u);
    const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    EXPECT_EQ(be32(png, 12), 0x49484452u) << "IHDR first";
    EXPECT_EQ(be32(png, 16), static_cast<std::uint32_t>(size));
    EXPECT_EQ(be32(png, 20), static_cast<std::uint32_t>(size));
    EXPECT_EQ(png[25], 6) << "RGBA, so that the rounded corners stay transparent";
}

// 192 and 512: the page's manifest icons.
INSTANTIATE_TEST_SUITE_P(Sizes, HicolorIcon, ::testing::Values(16, 48, 64, 128, 192, 512),
                         [](const auto& info) { return "px" + std::to_string(info.param); });

} // namespace
