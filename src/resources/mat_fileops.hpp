#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace skerry {

inline constexpr std::size_t kColormapSlots = 20;
inline constexpr std::size_t kColormapBytes = 832;  // 64 header bytes, then 256 RGB colours
inline constexpr std::size_t kBmpHeaderBytes = 14 + 40 + 1024;
inline constexpr std::int32_t kMaxTextureSide = 8192;
inline constexpr std::int32_t kSolidColourSide = 64;

inline constexpr std::string_view kNotAMatMessage = "Not a Mat File";

// A colormap's palette, stored as three planes: 256 reds, 256 greens, 256 blues.
struct ColormapSlot {
    std::array<std::uint8_t, 256> red{};
    std::array<std::uint8_t, 256> green{};
    std::array<std::uint8_t, 256> blue{};
};

// The colormaps textures can be shown with. Slots never loaded stay black.
class ColormapTable {
  public:
    // Takes the palette of a .cmp entry's bytes; bytes the entry lacks count as 0.
    void Load(std::size_t slot, std::string_view entryBytes);
    const ColormapSlot& Slot(std::size_t slot) const { return slots_.at(slot); }

  private:
    std::array<ColormapSlot, kColormapSlots> slots_{};
};

// What a MAT entry holds that cannot be shown.
class MatError : public std::runtime_error {
  public:
    MatError() : std::runtime_error(std::string(kNotAMatMessage)) {}
};

// A texture decoded into an 8-bit bottom-up BMP file held in memory, with its size texts.
struct DecodedTexture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool solidColour = false;
    std::string bmp;
    std::string pixelSizeText;  // "Size in pixels = %3d Wide x %3d High"
    std::string gridSizeText;   // "Size in Jed Grid = %4f Wide x %4f High", two decimals
};

// Where the first image of a MAT entry stands in its bytes. Throws MatError for an entry that
// is not a MAT or does not hold its headers whole.
struct MatImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool solidColour = false;
    std::uint8_t solidIndex = 0;  // the colour of a solid-colour MAT
    bool transparent = false;     // index 0 of the texture is see-through
    std::string_view pixels;      // the texture's pixels the entry holds, top row first
};
MatImage ReadMatImage(std::string_view entryBytes);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour a material shows from a distance, through the colormap: a solid-colour MAT's
// colour, or the average of its first texture's pixels (those the entry lacks are index 0;
// the see-through ones of a transparent texture do not count). Throws MatError.
Rgb MatColour(std::string_view entryBytes, const ColormapSlot& colormap);

// Decodes the first image of a MAT entry with a colormap. Throws MatError for an entry that
// is not a MAT or does not hold its headers whole. Pixels a short entry lacks are index 0.
DecodedTexture DecodeMat(std::string_view entryBytes, const ColormapSlot& colormap,
                         char decimalSeparator = '.');

std::string PixelSizeText(std::int32_t width, std::int32_t height);
std::string GridSizeText(std::int32_t width, std::int32_t height, char decimalSeparator);

// The stride of an 8-bit BMP row: the width rounded up to a multiple of 4.
std::uint64_t BmpStride(std::int32_t width);

// The file a texture is exported to: the entry's last name component with ".bmp" for its
// extension, so that a name from a container never leads outside the target folder.
std::string ExportFileName(std::string_view entryName);

// Writes the BMP bytes to path whole or not at all. Returns a message when that fails.
std::optional<std::string> ExportBmp(const std::filesystem::path& path, std::string_view bmp);

}  // namespace skerry
