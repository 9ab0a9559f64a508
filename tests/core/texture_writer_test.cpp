#include "resources/texture_writer.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "resources/byte_source.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_pictures.hpp"
#include "support/bad_inputs.hpp"

namespace skerry {
namespace {

Picture Pixels(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> rgba) {
    return {width, height, std::move(rgba)};
}

// A palette of black, then the given colours, the rest white.
ColormapSlot PaletteOf(std::vector<Rgb> colours) {
    ColormapSlot palette;
    palette.red.fill(255);
    palette.green.fill(255);
    palette.blue.fill(255);
    colours.insert(colours.begin(), Rgb{0, 0, 0});
    for (std::size_t i = 0; i < colours.size(); ++i) {
        palette.red[i] = colours[i].red;
        palette.green[i] = colours[i].green;
        palette.blue[i] = colours[i].blue;
    }
    return palette;
}

std::string Words(std::initializer_list<std::uint32_t> words) {
    std::string out;
    for (const std::uint32_t word : words) {
        AppendLe32(out, word);
    }
    return out;
}

// The pixels of a made MAT's first cel, after its headers: every level.
std::string CelPixels(const std::string& mat) {
    const std::int32_t records = *ByteReader(mat).I32(12);
    return mat.substr(76 + 40 * static_cast<std::size_t>(records) + 24);
}

// The nearest colour the slow way, the rule itself.
std::uint8_t Nearest(const ColormapSlot& palette, const std::uint8_t* rgb, int first) {
    int best = first, bestDistance = INT32_MAX;
    for (int i = first; i < 256; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const int dr = rgb[0] - palette.red[at], dg = rgb[1] - palette.green[at],
                  db = rgb[2] - palette.blue[at];
        if (dr * dr + dg * dg + db * db < bestDistance) {
            best = i;
            bestDistance = dr * dr + dg * dg + db * db;
        }
    }
    return static_cast<std::uint8_t>(best);
}

TEST(TextureWriter, EachPixelRuleOnAFewPixels) {
    // Index 1 is (10,10,10), 2 is (20,20,20), 3 is (10,10,20).
    const ColormapSlot palette = PaletteOf({{10, 10, 10}, {20, 20, 20}, {10, 10, 20}});
    struct Case {
        const char* name;
        std::vector<std::uint8_t> rgba;  // two pixels
        TextureOptions options;
        std::string pixels;
    };
    TextureOptions indexed;
    indexed.palette = palette;
    TextureOptions transparent = indexed;
    transparent.transparent = true;
    TextureOptions words565;
    words565.sixteenBit = true;
    TextureOptions words1555 = words565;
    words1555.transparent = true;
    const Case cases[] = {
        {"exact colours", {10, 10, 10, 255, 20, 20, 20, 255}, indexed, "\x01\x02"},
        // (15,15,15) is 75 from each of 1, 2 and 3: the lowest index wins.
        {"a tie goes to the lower index", {15, 15, 15, 255, 11, 10, 10, 255}, indexed, "\x01\x01"},
        {"nearest by the sum of squares",
         {10, 10, 16, 255, 0, 0, 1, 255},
         indexed,
         std::string("\x03\x00", 2)},
        {"alpha counts only when transparent",
         {0, 0, 0, 0, 0, 0, 0, 255},
         indexed,
         std::string("\x00\x00", 2)},
        // Black is index 0, kept for see-through: the opaque black takes the nearest of 1 up.
        {"transparent: below 128 is index 0",
         {20, 20, 20, 127, 0, 0, 0, 128},
         transparent,
         std::string("\x00\x01", 2)},
        // 5 bits: (c * 31 + 127) / 255; 6 bits: (c * 63 + 127) / 255.
        {"5-6-5 rounding",
         {4, 2, 5, 255, 255, 3, 0, 255},
         words565,
         std::string("\x01\x00\x20\xf8", 4)},
        {"1-5-5-5 rounding and alpha",
         {255, 255, 255, 127, 0, 0, 5, 128},
         words1555,
         std::string("\xff\x7f\x01\x80", 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CelPixels(MakeMat({Pixels(2, 1, c.rgba)}, c.options)), c.pixels);
    }
}

TEST(TextureWriter, MipMapsAverageEachBlockRoundingHalfUp) {
    // Greys index themselves, so the second level shows the averages: the left block is 0, 1,
    // 1 and 1, which makes 1; the right one 0, 0, 1 and 1, half way, which rounds up to 1; and
    // a block of 0, 0, 0 and 1 in the second picture makes 0.
    ColormapSlot greys;
    for (std::size_t i = 0; i < 256; ++i) {
        greys.red[i] = greys.green[i] = greys.blue[i] = static_cast<std::uint8_t>(i);
    }
    TextureOptions options;
    options.palette = greys;
    options.mipMaps = 2;
    auto picture = [](std::initializer_list<std::uint8_t> values) {
        std::vector<std::uint8_t> rgba;
        for (const std::uint8_t value : values) {
            rgba.insert(rgba.end(), {value, value, value, 255});
        }
        return Pixels(4, 2, rgba);
    };
    const std::string pixels = CelPixels(MakeMat({picture({0, 1, 0, 0, 1, 1, 1, 1})}, options));
    EXPECT_EQ(pixels.substr(8), "\x01\x01");
    const std::string other = CelPixels(MakeMat({picture({0, 0, 9, 9, 0, 1, 9, 9})}, options));
    EXPECT_EQ(other.substr(8), std::string("\x00\x09", 2));
}

TEST(TextureWriter, ExactBytesOfASmallMatOfEachFormat) {
    const Picture white = Pixels(1, 1, {255, 255, 255, 255});
    TextureOptions indexed;
    indexed.palette = PaletteOf({{255, 255, 255}});
    TextureOptions words = indexed;
    words.sixteenBit = true;
    TextureOptions glass = words;
    glass.transparent = true;
    const std::string cel = Words({8, 0, 0, 0, 0, 0, 0, 0, 0});
    struct Case {
        const char* name;
        TextureOptions options;
        std::string format;  // the header's 14 words after the counts
        std::string pixels;
    };
    const Case cases[] = {
        {"8-bit", indexed, Words({0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "\x01"},
        {"16-bit 5-6-5", words, Words({1, 16, 5, 6, 5, 11, 5, 0, 3, 2, 3, 0, 0, 0}), "\xff\xff"},
        {"16-bit 1-5-5-5", glass, Words({1, 16, 5, 5, 5, 10, 5, 0, 3, 3, 3, 1, 15, 7}), "\xff\xff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string header = "MAT " + Words({0x32, 2, 1, 1}) + c.format;
        EXPECT_EQ(MakeMat({white}, c.options),
                  header + cel + Words({0}) +
                      Words({1, 1, c.options.transparent ? 1u : 0u, 0, 0, 1}) + c.pixels);
    }
    // The records the game's single-colour MATs have: colour, index, four times 1.0.
    EXPECT_EQ(WriteColourMat({32, 112}),
              "MAT " + Words({0x32, 0, 2, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
                  Words({0, 32, 0x3f800000, 0x3f800000, 0x3f800000, 0x3f800000}) +
                  Words({0, 112, 0x3f800000, 0x3f800000, 0x3f800000, 0x3f800000}));
}

TEST(TextureWriter, CelsAndMipMapsReadBackToTheirColours) {
    ColormapTable colormaps;
    colormaps.Load(0, MakeColormap(SamplePalette()));
    const ColormapSlot& palette = colormaps.Slot(0);
    const Picture first = StonePicture(32, 16), second = StonePicture(32, 16, true);
    struct Case {
        const char* name;
        bool sixteenBit, transparent, dither;
    };
    for (const Case& c :
         {Case{"8-bit", false, false, false}, Case{"8-bit dithered", false, false, true},
          Case{"8-bit transparent", false, true, false}, Case{"16-bit", true, false, false},
          Case{"16-bit transparent", true, true, false}}) {
        SCOPED_TRACE(c.name);
        TextureOptions options{c.sixteenBit, palette, c.transparent, c.dither, 5};
        const std::string mat = MakeMat({first, second}, options);
        const MatInfo info = ReadMatInfo(mat);
        EXPECT_EQ(info.celCount, 2);
        EXPECT_EQ(mat.size(),
                  76 + 2 * (40 + 24 + (512 + 128 + 32 + 8 + 2) * (c.sixteenBit ? 2 : 1)));
        for (std::int32_t cel = 0; cel < 2; ++cel) {
            const Picture& picture = cel == 0 ? first : second;
            const DecodedTexture texture = DecodeMat(mat, palette, '.', cel);
            ASSERT_EQ(texture.width, 32);
            const std::vector<Rgb> colours = DecodedColours(texture);
            for (std::size_t i = 0; i < colours.size(); ++i) {
                const std::uint8_t* p = picture.rgba.data() + 4 * i;
                if (c.dither) {
                    continue;  // the mean error below says enough
                }
                Rgb want;
                if (c.sixteenBit) {
                    // The reader widens 5 bits c to c * 8 + c / 4, 6 bits to c * 4 + c / 16.
                    auto widen = [](int value, int bits) {
                        const int top = (1 << bits) - 1;
                        const int v = (value * top + 127) / 255;
                        return static_cast<std::uint8_t>(bits == 5 ? v * 8 + v / 4
                                                                   : v * 4 + v / 16);
                    };
                    want = {widen(p[0], 5), widen(p[1], c.transparent ? 5 : 6), widen(p[2], 5)};
                } else {
                    const std::uint8_t index = c.transparent && p[3] < 128
                                                   ? 0
                                                   : Nearest(palette, p, c.transparent ? 1 : 0);
                    want = {palette.red[index], palette.green[index], palette.blue[index]};
                }
                ASSERT_EQ(colours[i], want) << "cel " << cel << " pixel " << i;
            }
        }
        EXPECT_LT(MeanColourError({first, second}, mat, palette), c.sixteenBit ? 6.0 : 40.0);
    }
}

// The cache and the cells' candidates must give the rule's answer for every colour, on real
// palettes as on ours.
TEST(TextureWriter, NearestColourOnRealAndSamplePalettes) {
    std::vector<std::string> colormaps = {MakeColormap(SamplePalette(0)),
                                          MakeColormap(SamplePalette(2))};
    const std::filesystem::path realdata = std::filesystem::path(SKERRY_REALDATA_DIR) / "cmp";
    if (std::filesystem::is_directory(realdata)) {
        for (const auto& file : std::filesystem::directory_iterator(realdata)) {
            colormaps.push_back(ReadFileBytes(file.path()).bytes.value_or(""));
        }
    }
    // 64x64 pixels spread over the whole cube.
    Picture picture = Pixels(64, 64, std::vector<std::uint8_t>(64 * 64 * 4, 255));
    for (std::size_t i = 0; i < 64 * 64; ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            picture.rgba[4 * i + c] =
                static_cast<std::uint8_t>((i * (c * 2 + 37) + c * 91) * 2654435761u >> 24);
        }
    }
    for (const std::string& bytes : colormaps) {
        ColormapTable table;
        table.Load(0, bytes);
        TextureOptions options;
        options.palette = table.Slot(0);
        const std::string pixels = CelPixels(MakeMat({picture}, options));
        for (std::size_t i = 0; i < 64 * 64; ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(pixels[i]),
                      Nearest(options.palette, picture.rgba.data() + 4 * i, 0))
                << "pixel " << i;
        }
    }
}

TEST(TextureWriter, RefusesWhatCannotBeATexture) {
    TextureOptions options;
    TextureOptions fiveLevels = options;
    fiveLevels.mipMaps = 5;
    TextureOptions none = options;
    none.mipMaps = 0;
    const Picture square = StonePicture(16, 8);
    struct Case {
        const char* name;
        std::vector<Picture> cels;
        TextureOptions options;
        std::string message;
    };
    const Case cases[] = {
        {"no pictures", {}, options, "A texture needs a picture for each of its cels"},
        {"sides not powers of two",
         {StonePicture(300, 200)},
         options,
         "300x200 pixels will not do: a texture's sides are powers of two from 1 to 2048; 256 or "
         "512 wide and 128 or 256 high would"},
        {"wider than 2048",
         {Pixels(4096, 1, std::vector<std::uint8_t>(4096 * 4))},
         options,
         "4096x1 pixels will not do: a texture's sides are powers of two from 1 to 2048; 2048 "
         "wide and 1 high would"},
        {"cels of two sizes",
         {square, StonePicture(8, 8)},
         options,
         "Cel 1 is 8x8 pixels and cel 0 is 16x8: the cels of a texture are all of one size"},
        {"more mip-maps than the sides allow",
         {square},
         fiveLevels,
         "A 16x8 texture has 1 to 4 mip-map levels, not 5"},
        {"no level at all", {square}, none, "A 16x8 texture has 1 to 4 mip-map levels, not 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            MakeMat(c.cels, c.options);
            ADD_FAILURE() << "made";
        } catch (const TextureError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
}

TEST(TextureWriter, FitScalesToTheNearestPowerOfTwo) {
    const std::pair<std::int32_t, std::int32_t> sides[] = {
        {1, 1}, {3, 4}, {5, 4}, {6, 8}, {362, 256}, {363, 512}, {2048, 2048}, {3000, 2048}};
    for (const auto& [side, nearest] : sides) {
        EXPECT_EQ(NearestTextureSide(side), nearest) << side;
    }
    const Picture fitted = FitToTextureSides(StonePicture(300, 100));
    EXPECT_EQ(fitted.width, 256);
    EXPECT_EQ(fitted.height, 128);
    EXPECT_EQ(fitted.rgba.size(), 256u * 128 * 4);
}

TEST(PictureReader, BadPicturesAreRefusedWithTheirReason) {
    for (const auto& bad : testing::BadPictures()) {
        SCOPED_TRACE(bad.name);
        try {
            const Picture picture = ReadPicture(bad.bytes);
            ASSERT_TRUE(bad.message.empty());
            EXPECT_EQ(picture.width, bad.width);
            EXPECT_EQ(picture.height, bad.height);
            if (!bad.rgba.empty()) {
                EXPECT_EQ(picture.rgba, bad.rgba);
            }
        } catch (const PictureError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(bad.message)) << error.what();
            EXPECT_FALSE(bad.message.empty()) << error.what();
        }
    }
}

}  // namespace
}  // namespace skerry
