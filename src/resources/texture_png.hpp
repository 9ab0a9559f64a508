#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "resources/mat_fileops.hpp"

namespace skerry {

// A PNG with the same pixels as a BMP that DecodeMat made: an 8-bit one becomes a palette PNG
// of its 256-colour table, a 24-bit one an RGB PNG. Nothing for bytes that are not such a
// BMP (an uncompressed, bottom-up one of 8 or 24 bits whose rows it holds whole).
std::optional<std::string> PngFromBmp(std::string_view bmp);

// Writes a decoded texture's BMP to path as a BMP or a PNG, whole or not at all. Returns a
// message naming the file when that fails.
std::optional<std::string> SavePicture(const std::filesystem::path& path, std::string_view bmp,
                                       PictureFormat format);

}  // namespace skerry
