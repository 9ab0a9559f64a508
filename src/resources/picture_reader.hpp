#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// What a picture may be before it is decoded: sides up to 4096 pixels, and at most 64 MB of
// pixels at the file's own depth (a 16-bit PNG counts twice). The file itself is read only up
// to 128 MB.
inline constexpr std::int32_t kMaxPictureSide = 4096;
inline constexpr std::uint64_t kMaxPicturePixelBytes = std::uint64_t{64} << 20;
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{128} << 20;

// A picture in 8-bit red, green, blue and alpha, four bytes a pixel, the top row first.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// Why a picture cannot be read: its size, or what is broken in it.
class PictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a PNG, BMP, TGA or JPEG picture. Its size is checked before anything is decoded; a
// broken or cut-short picture is refused with the reason. Throws PictureError.
Picture ReadPicture(std::string_view bytes);

// The same from a file; the message names the file. Throws PictureError.
Picture ReadPictureFile(const std::filesystem::path& path);

// The picture resampled to width by height (each side from 1 to kMaxPictureSide), alpha kept
// apart from the colours so that see-through pixels do not darken their neighbours.
Picture ResizePicture(const Picture& picture, std::int32_t width, std::int32_t height);

}  // namespace skerry
