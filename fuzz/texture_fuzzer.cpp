// A MAT entry decoded with a colormap into the BMP the picker shows, with its size texts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "resources/byte_source.hpp"
#include "resources/mat_fileops.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"

using namespace skerry;

namespace {

const ColormapSlot& SampleColormap() {
    static const ColormapTable table = [] {
        ColormapTable made;
        made.Load(0, MakeColormap(SamplePalette()));
        return made;
    }();
    return table.Slot(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DecodedTexture texture;
    try {
        texture = DecodeMat(bytes, SampleColormap(), ',');
    } catch (const MatError&) {
        return 0;
    }
    FUZZ_REQUIRE(texture.width >= 1 && texture.width <= kMaxTextureSide);
    FUZZ_REQUIRE(texture.height >= 1 && texture.height <= kMaxTextureSide);
    const std::uint64_t width = static_cast<std::uint64_t>(texture.width);
    const std::uint64_t height = static_cast<std::uint64_t>(texture.height);
    const std::uint64_t stride = BmpStride(texture.width);
    FUZZ_REQUIRE(stride % 4 == 0 && stride >= width && stride < width + 4);
    FUZZ_REQUIRE(texture.bmp.size() == kBmpHeaderBytes + height * stride);

    const ByteReader bmp(texture.bmp);
    FUZZ_REQUIRE(texture.bmp.compare(0, 2, "BM") == 0);
    FUZZ_REQUIRE(static_cast<std::uint32_t>(*bmp.I32(2)) == texture.bmp.size());
    FUZZ_REQUIRE(*bmp.I32(10) == static_cast<std::int32_t>(kBmpHeaderBytes));
    FUZZ_REQUIRE(*bmp.I32(18) == texture.width && *bmp.I32(22) == texture.height);
    FUZZ_REQUIRE(texture.pixelSizeText.starts_with("Size in pixels = "));
    FUZZ_REQUIRE(texture.gridSizeText.find('.') == std::string::npos);

    // The texture's top row is the BMP's last row; what the entry lacks is index 0.
    const std::string_view top(texture.bmp.data() + kBmpHeaderBytes + (height - 1) * stride,
                               static_cast<std::size_t>(width));
    if (texture.solidColour) {
        const char index = bytes[76 + 4];
        FUZZ_REQUIRE(std::all_of(top.begin(), top.end(), [&](char c) { return c == index; }));
    } else {
        const ByteReader mat(bytes);
        const std::uint64_t pixelsAt = 76 + 40 * static_cast<std::uint64_t>(*mat.I32(12)) + 24;
        const std::string_view present = mat.Span(pixelsAt, width);
        FUZZ_REQUIRE(top.substr(0, present.size()) == present);
        FUZZ_REQUIRE(top.find_first_not_of('\0', present.size()) == std::string_view::npos);
    }
    return 0;
}
