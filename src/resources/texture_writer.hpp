#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "resources/mat_fileops.hpp"
#include "resources/picture_reader.hpp"

namespace skerry {

// The sides a made texture may have: powers of two up to this.
inline constexpr std::int32_t kMaxMadeTextureSide = 2048;

// The game's 16-bit pixel formats; the 8-bit one is MatPixelFormat{}.
inline constexpr MatPixelFormat kFormat565{16, {5, 6, 5}, {11, 5, 0}};
inline constexpr MatPixelFormat kFormat1555{16, {5, 5, 5}, {10, 5, 0}};  // the top bit alpha

// One cel as a MAT stores it: every level, the largest first, each half the sides of the one
// before, rows top to bottom, a byte (8 bits) or a little-endian word (16) a pixel.
struct MatCelPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t mipMaps = 1;
    std::string pixels;
};

// A texture MAT (type 2) of these cels laid out as the game reads it: the header, one texture
// record per cel, then each cel's header and pixels. The pixels are taken as they are.
std::string WriteTextureMat(const MatPixelFormat& format, bool transparent,
                            const std::vector<MatCelPixels>& cels);

// A single-colour MAT (type 0) of one colour record per index.
std::string WriteColourMat(const std::vector<std::uint8_t>& indexes);

// What a texture made from pictures is to be.
struct TextureOptions {
    bool sixteenBit = false;  // 5-6-5, or 1-5-5-5 when transparent; else 8-bit indexes
    ColormapSlot palette;     // the colours the 8-bit indexes stand for
    bool transparent = false;
    bool dither = false;  // 8-bit: Floyd-Steinberg rather than the nearest colour alone
    std::int32_t mipMaps = 1;
};

// Why a texture cannot be made from the pictures: sides, counts, options.
class TextureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

bool IsTextureSide(std::int32_t side);
// The most mip-map levels sides allow: one more than the halvings of the smaller side.
std::int32_t MostMipMaps(std::int32_t width, std::int32_t height);
// What is wrong with a picture's size for a texture, naming the sides that would do; empty
// when it will do.
std::string TextureSideProblem(std::int32_t width, std::int32_t height);
// The power of two nearest a side (by ratio), from 1 to kMaxMadeTextureSide.
std::int32_t NearestTextureSide(std::int32_t side);
// The picture scaled to the nearest sides a texture may have; the same picture when it has them.
Picture FitToTextureSides(const Picture& picture);

// A texture MAT of the pictures, one cel each, all of one size. Throws TextureError.
std::string MakeMat(const std::vector<Picture>& cels, const TextureOptions& options);

// The colours of a decoded texture's BMP, top row first, left to right.
std::vector<Rgb> DecodedColours(const DecodedTexture& texture);

// How far the made MAT, read back through DecodeMat, is from the pictures it was made of: the
// mean distance in red, green and blue over every cel's largest image (0 to 441). The pixels
// of a transparent texture whose alpha is below 128 do not count. Throws MatError.
double MeanColourError(const std::vector<Picture>& cels, std::string_view mat,
                       const ColormapSlot& palette);

}  // namespace skerry
