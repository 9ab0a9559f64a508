#include "resources/mat_fileops.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/file_io.hpp"
#include "sample/game_file_writers.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

ColormapSlot Ramp() {
    ColormapSlot slot;
    for (int i = 0; i < 256; ++i) {
        slot.red[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        slot.green[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
        slot.blue[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i / 2);
    }
    return slot;
}

std::string Pixels(int width, int height) {
    std::string pixels;
    for (int i = 0; i < width * height; ++i)
        pixels += static_cast<char>(i % 251);
    return pixels;
}

std::uint8_t At(const std::string& bmp, std::size_t offset) {
    return static_cast<std::uint8_t>(bmp.at(offset));
}

TEST(MatFileops, ExactBmpOfASmallTexture) {
    // 2x2: top row 1 2, bottom row 3 4; rows padded to 4 bytes and stored bottom-up.
    const DecodedTexture t = DecodeMat(MakeTextureMat(2, 2, "\x01\x02\x03\x04"), Ramp());
    std::string expected("BM", 2);
    const unsigned char headers[] = {
        0x3e, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0,                          // file header
        40,   0,    0, 0, 2, 0, 0, 0, 2,    0,    0, 0, 1, 0, 8, 0, 0, 0, 0, 0,  // info header
        0,    0,    0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    expected.append(reinterpret_cast<const char*>(headers), sizeof headers);
    ASSERT_EQ(t.bmp.size(), 1078u + 8u);
    EXPECT_EQ(t.bmp.substr(0, 54), expected);
    // Colour table: blue, green, red, 0.
    EXPECT_EQ(At(t.bmp, 54 + 4 * 200), 100);
    EXPECT_EQ(At(t.bmp, 54 + 4 * 200 + 1), 55);
    EXPECT_EQ(At(t.bmp, 54 + 4 * 200 + 2), 200);
    EXPECT_EQ(At(t.bmp, 54 + 4 * 200 + 3), 0);
    EXPECT_EQ(t.bmp.substr(1078), std::string("\x03\x04\0\0\x01\x02\0\0", 8));
}

TEST(MatFileops, StrideRowsAndSizeTexts) {
    const DecodedTexture odd = DecodeMat(MakeTextureMat(30, 5, Pixels(30, 5)), Ramp());
    EXPECT_EQ(BmpStride(30), 32u);
    EXPECT_EQ(odd.bmp.size(), 5u * 32u + 1078u);

    // The first 64 bytes of a 64x32 texture are the top row: the last row of the BMP.
    const std::string pixels = Pixels(64, 32);
    const DecodedTexture wide = DecodeMat(MakeTextureMat(64, 32, pixels), Ramp());
    EXPECT_EQ(wide.bmp.substr(1078 + 31 * 64, 64), pixels.substr(0, 64));
    EXPECT_EQ(wide.bmp.substr(1078, 64), pixels.substr(31 * 64, 64));
    EXPECT_EQ(wide.pixelSizeText, "Size in pixels =  64 Wide x  32 High");
    EXPECT_EQ(wide.gridSizeText, "Size in Jed Grid = 0.20 Wide x 0.10 High");

    EXPECT_EQ(GridSizeText(512, 64, ','), "Size in Jed Grid = 1,60 Wide x 0,20 High");
    EXPECT_EQ(PixelSizeText(1024, 8), "Size in pixels = 1024 Wide x   8 High");
}

TEST(MatFileops, SizeTextsReadAsPrintfWritesThem) {
    // Every side a texture can have, rounded exactly as "%4.2f" rounds and padded as "%3d".
    char expected[96];
    for (std::int32_t side = 1; side <= kMaxTextureSide; ++side) {
        const std::int32_t other = kMaxTextureSide + 1 - side;
        std::snprintf(expected, sizeof expected, "Size in Jed Grid = %4.2f Wide x %4.2f High",
                      side * 0.003125, other * 0.003125);
        ASSERT_EQ(GridSizeText(side, other, '.'), expected) << side;
        std::snprintf(expected, sizeof expected, "Size in pixels = %3d Wide x %3d High", side,
                      other);
        ASSERT_EQ(PixelSizeText(side, other), expected) << side;
    }
    EXPECT_EQ(GridSizeText(512, 64, ','), "Size in Jed Grid = 1,60 Wide x 0,20 High");
}

TEST(MatFileops, SolidColourIsA64SquareOfItsIndex) {
    const DecodedTexture t = DecodeMat(MakeSolidMat(5), Ramp());
    EXPECT_TRUE(t.solidColour);
    EXPECT_EQ(t.width, 64);
    EXPECT_EQ(t.bmp.size(), 1078u + 64u * 64u);
    EXPECT_EQ(t.bmp.substr(1078), std::string(64 * 64, '\x05'));
    EXPECT_EQ(t.pixelSizeText, "Size in pixels =  64 Wide x  64 High");
    EXPECT_EQ(t.gridSizeText, "Size in Jed Grid = 0.20 Wide x 0.20 High");
}

TEST(MatFileops, OnlyTheFirstCelIsShown) {
    const std::string pixels = Pixels(8, 4);
    const std::string mat = MakeTextureMat(8, 4, pixels, 3);
    EXPECT_EQ(mat.substr(196, 4), std::string("\x08\0\0\0", 4));  // header after 3 records
    const DecodedTexture t = DecodeMat(mat, Ramp());
    EXPECT_EQ(t.bmp.substr(1078 + 3 * 8, 8), pixels.substr(0, 8));
}

// The little-endian bytes of 16-bit pixels.
std::string Words(std::initializer_list<std::uint16_t> words) {
    std::string bytes;
    for (const std::uint16_t word : words) {
        bytes += static_cast<char>(word & 0xff);
        bytes += static_cast<char>(word >> 8);
    }
    return bytes;
}

TEST(MatFileops, SixteenBitTexturesBecomeExact24BitBmps) {
    struct Case {
        const char* name;
        MatPixelFormat format;
        std::int32_t width, height;
        std::string pixels;        // top row first
        std::string expectedRows;  // bottom row first: blue, green, red, padded to 4
    };
    const Case cases[] = {
        // Full channels, then halves and quarters widened by their top bits: 5-bit 16 is
        // 132, 6-bit 32 is 130, 5-bit 15 is 123, 6-bit 31 is 125.
        {"5-6-5", kFormat565, 3, 2, Words({0xf800, 0x07e0, 0x001f, 0xffff, 0x8410, 0x7bef}),
         std::string("\xff\xff\xff\x84\x82\x84\x7b\x7d\x7b\0\0\0"
                     "\0\0\xff\0\xff\0\xff\0\0\0\0\0",
                     24)},
        // The top bit is alpha and changes nothing.
        {"1-5-5-5", kFormat1555, 2, 2, Words({0xfc00, 0x03e0, 0x801f, 0x4210}),
         std::string("\xff\0\0\x84\x84\x84\0\0"
                     "\0\0\xff\0\xff\0\0\0",
                     16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string mat = MakeMatOfPixels(c.format, {{c.width, c.height, c.pixels}});
        const DecodedTexture t = DecodeMat(mat, Ramp());
        EXPECT_TRUE(t.sixteenBit);
        const std::size_t size = 54 + c.expectedRows.size();
        std::string headers("BM", 2);
        const unsigned char fields[] = {static_cast<unsigned char>(size),
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        54,
                                        0,
                                        0,
                                        0,  // file header
                                        40,
                                        0,
                                        0,
                                        0,
                                        static_cast<unsigned char>(c.width),
                                        0,
                                        0,
                                        0,  // info header
                                        static_cast<unsigned char>(c.height),
                                        0,
                                        0,
                                        0,
                                        1,
                                        0,
                                        24,
                                        0};
        headers.append(reinterpret_cast<const char*>(fields), sizeof fields);
        headers.append(24, '\0');  // compression, image size, resolutions, colour counts
        EXPECT_EQ(t.bmp, headers + c.expectedRows);
        // Shown in its own colours: the colormap makes no difference.
        EXPECT_EQ(DecodeMat(mat, ColormapSlot{}).bmp, t.bmp);
    }
}

TEST(MatFileops, EveryCelShowsItsLargestLevelPastTheMipMapsBeforeIt) {
    // Cels of other sizes and level counts, so that every step over the levels before a cel
    // counts: 8x2 in four levels halves to 4x1, 2x1 and 1x1, a side never below 1.
    const std::string first = Pixels(8 * 2, 1), second = "ABCDEFGHIJKLMNO", third = "wxyz";
    const std::string indexed =
        MakeMatOfPixels({}, {{8, 2, first, 4}, {5, 3, second, 3}, {2, 2, third, 1}});
    const std::string words = Words({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const std::string sixteen =
        MakeMatOfPixels(kFormat565, {{4, 4, words, 3}, {2, 1, Words({0xffff, 0xf800}), 1}});
    struct Case {
        const std::string& mat;
        std::int32_t cel, width, height;
        std::string topRow;  // as the BMP's last row holds it
    };
    const Case cases[] = {
        {indexed, 0, 8, 2, first.substr(0, 8)},
        {indexed, 1, 5, 3, second.substr(0, 5)},
        {indexed, 2, 2, 2, third.substr(0, 2)},
        {sixteen, 1, 2, 1, std::string("\xff\xff\xff\0\0\xff", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cel);
        const DecodedTexture t = DecodeMat(c.mat, Ramp(), '.', c.cel);
        EXPECT_EQ(t.cel, c.cel);
        EXPECT_EQ(t.celCount, &c.mat == &indexed ? 3 : 2);
        ASSERT_EQ(t.width, c.width);
        ASSERT_EQ(t.height, c.height);
        const std::uint64_t stride = BmpStride(t.width, t.sixteenBit ? 24 : 8);
        const std::size_t rowsAt = t.sixteenBit ? kRgbBmpHeaderBytes : kBmpHeaderBytes;
        EXPECT_EQ(t.bmp.substr(rowsAt + (c.height - 1) * stride, c.topRow.size()), c.topRow);
    }
    for (const std::int32_t missing : {3, -1}) {
        try {
            DecodeMat(indexed, Ramp(), '.', missing);
            ADD_FAILURE() << missing;
        } catch (const MatError& error) {
            EXPECT_EQ(error.what(), "The texture has no cel " + std::to_string(missing) +
                                        "; its cels are 0 to 2");
        }
    }
    // Cels the header counts but the entry does not hold are not offered.
    EXPECT_EQ(ReadMatInfo(indexed.substr(0, indexed.size() - 4 - 24)).celCount, 2);
}

TEST(MatFileops, ColormapsChangeOnlyTheColourTable) {
    const std::string mat = MakeTextureMat(4, 4, Pixels(4, 4));
    ColormapTable table;
    const DecodedTexture black = DecodeMat(mat, table.Slot(3));  // never loaded: all black
    const DecodedTexture ramp = DecodeMat(mat, Ramp());
    EXPECT_EQ(black.bmp.substr(1078), ramp.bmp.substr(1078));
    EXPECT_EQ(black.bmp.substr(54, 1024), std::string(1024, '\0'));
    EXPECT_NE(ramp.bmp.substr(54, 1024), black.bmp.substr(54, 1024));
}

TEST(MatFileops, ColormapPlanesAndShortEntries) {
    std::string cmp(64, 'h');
    cmp += std::string("\x0a\x0b\x0c\x0d\x0e\x0f", 6);
    ColormapTable table;
    table.Load(19, cmp);  // the palette stops after two colours
    EXPECT_EQ(table.Slot(19).red[0], 0x0a);
    EXPECT_EQ(table.Slot(19).green[0], 0x0b);
    EXPECT_EQ(table.Slot(19).blue[1], 0x0f);
    EXPECT_EQ(table.Slot(19).red[2], 0);
    table.Load(19, "");
    EXPECT_EQ(table.Slot(19).red[0], 0);
    EXPECT_THROW(table.Load(20, cmp), std::out_of_range);
}

TEST(MatFileops, TruncatedPixelsAreIndexZero) {
    const std::string mat = MakeTextureMat(4, 4, Pixels(4, 4));
    const DecodedTexture t = DecodeMat(mat.substr(0, mat.size() - 6), Ramp());
    ASSERT_EQ(t.bmp.size(), 1078u + 16u);
    // The bottom row lacks all its pixels, the one above it two of four.
    EXPECT_EQ(t.bmp.substr(1078, 8), std::string("\0\0\0\0\x08\x09\0\0", 8));
}

TEST(MatFileops, ExportNamesStayInTheTargetFolder) {
    EXPECT_EQ(ExportFileName("mat\\00brick.mat"), "00brick.bmp");
    EXPECT_EQ(ExportFileName("..\\..\\evil.MAT"), "evil.bmp");
    EXPECT_EQ(ExportFileName("a/../b/c.mat"), "c.bmp");
    EXPECT_EQ(ExportFileName("noext"), "noext.bmp");

    const auto dir = testing::UniqueTempPath("skerry_export_test");
    std::filesystem::create_directories(dir);
    const DecodedTexture t = DecodeMat(MakeSolidMat(9), Ramp());
    EXPECT_FALSE(ExportBmp(dir / "red.bmp", t.bmp));
    EXPECT_EQ(ReadFileBytes(dir / "red.bmp").bytes, t.bmp);
    EXPECT_FALSE(std::filesystem::exists(dir / "red.bmp.part"));
    const auto failure = ExportBmp(dir / "no" / "such" / "folder.bmp", t.bmp);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("folder.bmp"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace skerry
