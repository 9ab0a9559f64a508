// A MAT entry decoded with a colormap into the BMP the picker shows, with its size texts: the
// first cel and the last, and the PNG of a small one. A tall picture is decoded down to its top
// 96 KB of rows: a short input can claim 8192x8192 pixels, and every check holds of the
// rows it gets, while making the whole picture at every try made this the slowest target.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "resources/byte_source.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/texture_png.hpp"
#include "sample_colormap.hpp"

using namespace skerry;

namespace {

// Kept below what the sanitizer's allocator serves without a fresh mapping of its own.
constexpr std::uint64_t kRowBytes = 96 * 1024;

// The rows a decode keeps of a picture of this width.
std::int32_t MaxRows(std::int32_t width, bool sixteenBit) {
    return static_cast<std::int32_t>(
        std::max<std::uint64_t>(1, kRowBytes / BmpStride(width, sixteenBit ? 24 : 8)));
}

DecodedTexture Decode(std::string_view bytes, const ColormapSlot& colormap, std::int32_t cel,
                      const MatInfo& info) {
    // The widest texture's rows are the narrowest bound: a row of every width fits.
    const bool sixteenBit = !info.solidColour && info.format.SixteenBit();
    return DecodeMat(bytes, colormap, ',', cel, MaxRows(kMaxTextureSide, sixteenBit));
}

// The BMP of one cel: its headers, its size, and the top row against the entry's bytes where
// they can be found without walking the cels.
void CheckTexture(const DecodedTexture& texture, std::string_view bytes, std::int32_t cel,
                  const MatInfo& info) {
    FUZZ_REQUIRE(texture.cel == cel);
    FUZZ_REQUIRE(texture.width >= 1 && texture.width <= kMaxTextureSide);
    FUZZ_REQUIRE(texture.height >= 1 && texture.height <= kMaxTextureSide);
    const std::uint64_t width = static_cast<std::uint64_t>(texture.width);
    const std::uint64_t height = static_cast<std::uint64_t>(
        std::min(texture.height, MaxRows(kMaxTextureSide, texture.sixteenBit)));
    const std::uint64_t pixelBytes = texture.sixteenBit ? 3 : 1;
    const std::uint64_t stride = BmpStride(texture.width, texture.sixteenBit ? 24 : 8);
    FUZZ_REQUIRE(stride % 4 == 0 && stride >= width * pixelBytes &&
                 stride < width * pixelBytes + 4);
    const std::size_t rowsAt = texture.sixteenBit ? kRgbBmpHeaderBytes : kBmpHeaderBytes;
    FUZZ_REQUIRE(texture.bmp.size() == rowsAt + height * stride);

    const ByteReader bmp(texture.bmp);
    FUZZ_REQUIRE(texture.bmp.compare(0, 2, "BM") == 0);
    FUZZ_REQUIRE(static_cast<std::uint32_t>(*bmp.I32(2)) == texture.bmp.size());
    FUZZ_REQUIRE(*bmp.I32(10) == static_cast<std::int32_t>(rowsAt));
    FUZZ_REQUIRE(*bmp.I32(18) == texture.width &&
                 *bmp.I32(22) == static_cast<std::int32_t>(height));
    FUZZ_REQUIRE(*bmp.I32(26) == ((texture.sixteenBit ? 24 : 8) << 16 | 1));
    FUZZ_REQUIRE(texture.pixelSizeText.starts_with("Size in pixels = "));
    FUZZ_REQUIRE(texture.gridSizeText.find('.') == std::string::npos);

    // The texture's top row is the BMP's last row; what the entry lacks is index 0 or black,
    // and so is the padding.
    const std::string_view top(texture.bmp.data() + rowsAt + (height - 1) * stride,
                               static_cast<std::size_t>(stride));
    const ByteReader mat(bytes);
    if (texture.solidColour) {
        const char index = bytes[76 + 24 * static_cast<std::size_t>(cel) + 4];
        FUZZ_REQUIRE(std::all_of(top.begin(), top.end(), [&](char c) { return c == index; }));
    } else if (cel == 0) {
        const std::uint64_t pixelsAt = 76 + 40 * static_cast<std::uint64_t>(*mat.I32(12)) + 24;
        const std::uint64_t present =
            mat.Span(pixelsAt, width * (texture.sixteenBit ? 2 : 1)).size() /
            (texture.sixteenBit ? 2 : 1);
        if (!texture.sixteenBit) {
            FUZZ_REQUIRE(top.substr(0, present) == mat.Span(pixelsAt, present));
        }
        FUZZ_REQUIRE(top.find_first_not_of('\0', present * pixelBytes) == std::string_view::npos);
    }
    if (texture.sixteenBit) {
        // Its own colours: any colormap gives the same picture.
        FUZZ_REQUIRE(Decode(bytes, ColormapSlot{}, cel, info).bmp == texture.bmp);
    }
    if (width * height <= 64 * 64) {
        const std::optional<std::string> png = PngFromBmp(texture.bmp);
        FUZZ_REQUIRE(png && png->compare(1, 3, "PNG") == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MatInfo info;
    try {
        info = ReadMatInfo(bytes);
    } catch (const MatError&) {
        try {
            DecodeMat(bytes, SampleColormap(), ',');
        } catch (const MatError&) {
            return 0;
        }
        FUZZ_REQUIRE(!"an entry ReadMatInfo refuses decodes");
    }
    FUZZ_REQUIRE(info.celCount >= 1);
    // The first cel, the last (once, when it is the first), and one past it, which is refused.
    for (const std::int32_t cel : {0, info.celCount - 1}) {
        const DecodedTexture texture = Decode(bytes, SampleColormap(), cel, info);
        FUZZ_REQUIRE(texture.celCount == info.celCount);
        FUZZ_REQUIRE(texture.solidColour == info.solidColour);
        FUZZ_REQUIRE(texture.sixteenBit == (!info.solidColour && info.format.SixteenBit()));
        CheckTexture(texture, bytes, cel, info);
        if (info.celCount == 1) {
            break;
        }
    }
    try {
        DecodeMat(bytes, SampleColormap(), ',', info.celCount);
        FUZZ_REQUIRE(!"a cel past the last decodes");
    } catch (const MatError&) {
    }
    return 0;
}
