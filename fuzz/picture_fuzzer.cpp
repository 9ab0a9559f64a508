// A picture read as textures are made from it (PNG, BMP, TGA or JPEG), then, when it is small
// enough to be quick, made into an 8-bit or 16-bit MAT that is read back through our reader.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/picture_reader.hpp"
#include "resources/texture_writer.hpp"
#include "sample_colormap.hpp"

using namespace skerry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Picture picture;
    try {
        picture = ReadPicture(bytes);
    } catch (const PictureError& error) {
        FUZZ_REQUIRE(error.what()[0] != '\0');
        return 0;
    }
    FUZZ_REQUIRE(picture.width >= 1 && picture.width <= kMaxPictureSide);
    FUZZ_REQUIRE(picture.height >= 1 && picture.height <= kMaxPictureSide);
    FUZZ_REQUIRE(picture.rgba.size() == static_cast<std::size_t>(picture.width) *
                                            static_cast<std::size_t>(picture.height) * 4);
    const std::uint64_t area =
        static_cast<std::uint64_t>(picture.width) * static_cast<std::uint64_t>(picture.height);
    if (!TextureSideProblem(picture.width, picture.height).empty()) {
        if (area > 64 * 64) {
            return 0;
        }
        picture = FitToTextureSides(picture);
        FUZZ_REQUIRE(TextureSideProblem(picture.width, picture.height).empty());
    } else if (area > 256 * 256) {
        return 0;
    }
    // The input's length picks the options, so that each kind of texture is made.
    TextureOptions options;
    options.sixteenBit = size % 2 == 1;
    options.transparent = size / 2 % 2 == 1;
    options.dither = !options.sixteenBit && size / 4 % 2 == 1;
    options.palette = SampleColormap();
    options.mipMaps = MostMipMaps(picture.width, picture.height);
    const std::string mat = MakeMat({picture}, options);
    const MatInfo info = ReadMatInfo(mat);
    FUZZ_REQUIRE(info.celCount == 1 && !info.solidColour);
    FUZZ_REQUIRE(info.format.SixteenBit() == options.sixteenBit);
    const DecodedTexture texture = DecodeMat(mat, SampleColormap());
    FUZZ_REQUIRE(texture.width == picture.width && texture.height == picture.height);
    const double error = MeanColourError({picture}, mat, SampleColormap());
    FUZZ_REQUIRE(std::isfinite(error) && error >= 0 && error <= 442);
    if (options.sixteenBit && !options.transparent) {
        FUZZ_REQUIRE(error < 8);  // at most half a step of 5 bits in each channel
    }
    return 0;
}
