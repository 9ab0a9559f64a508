#include "resources/texture_png.hpp"

#include <gtest/gtest.h>
#include <png.h>

#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"

namespace skerry {
namespace {

// The picture as red, green and blue bytes, top row first: from a BMP that DecodeMat made...
std::string BmpColours(const DecodedTexture& t) {
    const std::uint64_t stride = BmpStride(t.width, t.sixteenBit ? 24 : 8);
    const std::size_t rowsAt = t.sixteenBit ? kRgbBmpHeaderBytes : kBmpHeaderBytes;
    std::string rgb;
    for (std::int32_t y = t.height - 1; y >= 0; --y) {
        const std::size_t row = rowsAt + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(t.width); ++x) {
            const std::size_t at =
                t.sixteenBit ? row + 3 * x : 54 + 4 * static_cast<unsigned char>(t.bmp[row + x]);
            rgb += {t.bmp[at + 2], t.bmp[at + 1], t.bmp[at]};
        }
    }
    return rgb;
}

// ... and from a PNG, read back by libpng.
std::string PngColours(const std::string& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
        return "unreadable";
    }
    image.format = PNG_FORMAT_RGB;
    std::string rgb(PNG_IMAGE_SIZE(image), '\0');
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        return "unreadable";
    }
    return rgb;
}

TEST(TexturePng, SamePixelsAsTheBmp) {
    ColormapTable colormaps;
    colormaps.Load(0, MakeColormap(SamplePalette()));
    std::string words;
    for (int i = 0; i < 30 * 7; ++i) {
        words += PackPixel(kFormat1555, static_cast<std::uint8_t>(i),
                           static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i));
    }
    struct Case {
        const char* name;
        std::string mat;
        char colourType;  // in the PNG's header: 3 with a palette, 2 for RGB
    };
    const Case cases[] = {
        {"8-bit, rows padded", MakeTextureMat(30, 5, BrickPixels(30, 5)), 3},
        {"solid colour", MakeSolidMat(40), 3},
        {"16-bit, rows padded", MakeMatOfPixels(kFormat1555, {{30, 7, words}}), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedTexture t = DecodeMat(c.mat, colormaps.Slot(0));
        const std::optional<std::string> png = PngFromBmp(t.bmp);
        ASSERT_TRUE(png);
        EXPECT_EQ(png->at(25), c.colourType);
        EXPECT_EQ(PngColours(*png), BmpColours(t));
    }
}

TEST(TexturePng, OnlyWholeBmpsOfOurKindsAreTaken) {
    const std::string bmp = DecodeMat(MakeTextureMat(4, 4, std::string(16, 'x')), {}).bmp;
    std::string rle = bmp;
    rle[30] = 1;
    for (const std::string& bad : {std::string(), bmp.substr(0, 53), bmp.substr(0, bmp.size() - 1),
                                   std::string("XX") + bmp.substr(2), rle}) {
        EXPECT_FALSE(PngFromBmp(bad));
    }
}

}  // namespace
}  // namespace skerry
