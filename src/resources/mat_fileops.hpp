#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace skerry {

inline constexpr std::size_t kColormapSlots = 20;
inline constexpr std::size_t kColormapBytes = 832;  // 64 header bytes, then 256 RGB colours
inline constexpr std::size_t kBmpHeaderBytes = 14 + 40 + 1024;  // 8 bits: with the colour table
inline constexpr std::size_t kRgbBmpHeaderBytes = 14 + 40;      // 24 bits: no table
inline constexpr std::int32_t kMaxTextureSide = 8192;
// A MAT's layout, which its reader and its writer share: the header, then one record per cel
// (a colour record of a single-colour MAT), and before each cel's pixels its own header.
inline constexpr std::uint64_t kMatHeaderBytes = 76;
inline constexpr std::uint64_t kMatRecordBytes = 40;
inline constexpr std::uint64_t kColourRecordBytes = 24;
inline constexpr std::uint64_t kTextureHeaderBytes = 24;
inline constexpr std::int32_t kSolidColourSide = 64;

inline constexpr std::string_view kNotAMatMessage = "Not a Mat File";
// Why the colormap makes no difference to a 16-bit texture, for whoever offers the choice.
inline constexpr std::string_view kOwnColoursNote =
    "A 16-bit texture is shown in its own colours; the colormap has no effect on it";

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

// What a MAT entry holds that cannot be shown: "Not a Mat File", or a cel it does not have.
class MatError : public std::runtime_error {
  public:
    MatError() : std::runtime_error(std::string(kNotAMatMessage)) {}
    explicit MatError(const std::string& message) : std::runtime_error(message) {}
};

// How a MAT stores its pixels, from its header: 8-bit colour indices into a colormap, or
// 16-bit little-endian words whose red, green and blue take these bit counts and shifts
// (5-6-5 at 11, 5, 0 and 1-5-5-5 at 10, 5, 0 in the game). Any other bits per pixel reads as 8.
struct MatPixelFormat {
    std::int32_t bitsPerPixel = 8;
    std::array<std::int32_t, 3> bits{};  // red, green, blue
    std::array<std::int32_t, 3> shifts{};

    bool SixteenBit() const { return bitsPerPixel == 16; }
};

// What a MAT entry's headers say, read without decoding a pixel.
struct MatInfo {
    bool solidColour = false;
    MatPixelFormat format;
    // The cels that can be shown, 1 at least: of a texture, those up to the header's count
    // whose own headers the entry holds, each after the one before with all its mip-maps; of
    // a solid colour, its colour records.
    std::int32_t celCount = 1;
};

// Throws MatError for an entry that is not a MAT or does not hold its first cel's header.
MatInfo ReadMatInfo(std::string_view entryBytes);

// A texture decoded into a bottom-up BMP file held in memory, with its size texts: 8 bits
// with the colormap as colour table, or 24 bits for a 16-bit texture.
struct DecodedTexture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool solidColour = false;
    bool sixteenBit = false;  // in its own colours: the colormap played no part
    std::int32_t cel = 0;     // the cel shown, from 0
    std::int32_t celCount = 1;
    std::string bmp;
    std::string pixelSizeText;  // "Size in pixels = %3d Wide x %3d High"
    std::string gridSizeText;   // "Size in Jed Grid = %4f Wide x %4f High", two decimals
};

// Decodes the largest image of one cel of a MAT entry, with a colormap for 8-bit ones. Throws
// MatError for an entry that is not a MAT or does not hold its headers whole, and for a cel
// it does not have. Pixels a short entry lacks are index 0, or black. With maxRows, the BMP
// holds only the picture's top rows, up to that many, for checks that cannot pay for a whole
// picture at every try (width and height still give the texture's own size).
DecodedTexture DecodeMat(std::string_view entryBytes, const ColormapSlot& colormap,
                         char decimalSeparator = '.', std::int32_t cel = 0,
                         std::int32_t maxRows = INT32_MAX);

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour a material shows from a distance: a solid-colour MAT's colour through the
// colormap, or the average of its first cel's largest image (an 8-bit one through the
// colormap, a 16-bit one in its own colours). Pixels the entry lacks count as index 0 or
// black; the see-through ones of a transparent 8-bit texture do not count. Throws MatError.
Rgb MatColour(std::string_view entryBytes, const ColormapSlot& colormap);

std::string PixelSizeText(std::int32_t width, std::int32_t height);
std::string GridSizeText(std::int32_t width, std::int32_t height, char decimalSeparator);

// The stride of a BMP row: width pixels of bitsPerPixel rounded up to a multiple of 4 bytes.
std::uint64_t BmpStride(std::int32_t width, std::int32_t bitsPerPixel = 8);

enum class PictureFormat { Bmp, Png };

// The format a file's name asks for: PNG for ".png" in any letter case, else BMP.
PictureFormat PictureFormatOf(const std::filesystem::path& path);

// The file a texture is exported to: the entry's last name component with ".bmp" (or
// ".png") for its extension, so that a name from a container never leads outside the target
// folder.
std::string ExportFileName(std::string_view entryName, PictureFormat format = PictureFormat::Bmp);

// Writes the BMP bytes to path whole or not at all. Returns a message when that fails.
std::optional<std::string> ExportBmp(const std::filesystem::path& path, std::string_view bmp);

}  // namespace skerry
