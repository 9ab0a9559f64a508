#include "resources/mat_fileops.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <iterator>

#include "common/file_io.hpp"
#include "resources/byte_source.hpp"

namespace skerry {

namespace {

constexpr std::uint64_t kMatHeaderBytes = 76;
constexpr std::uint64_t kMatRecordBytes = 40;
constexpr std::uint64_t kTextureHeaderBytes = 24;
constexpr std::int32_t kTextureType = 2;

void PutU16(std::string& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<char>(value & 0xff);
    out[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// The 14-byte file header, the 40-byte info header and the 256-colour table, at the start of
// bmp, which is already its full size.
void WriteBmpHeaders(std::string& bmp, std::int32_t width, std::int32_t height,
                     const ColormapSlot& colormap) {
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutU32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    PutU32(bmp, 10, static_cast<std::uint32_t>(kBmpHeaderBytes));
    PutU32(bmp, 14, 40);
    PutU32(bmp, 18, static_cast<std::uint32_t>(width));
    PutU32(bmp, 22, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
    PutU16(bmp, 26, 1);
    PutU16(bmp, 28, 8);
    // Compression, image size, resolutions and colour counts stay 0. The colours are put
    // together as words in an array of our own, which the compiler can do many at a time,
    // then copied in: a byte at a time into the string was a third of a small decode.
    std::array<std::uint32_t, 256> words;
    for (std::size_t i = 0; i < 256; ++i) {
        words[i] = static_cast<std::uint32_t>(colormap.blue[i]) |
                   static_cast<std::uint32_t>(colormap.green[i]) << 8 |
                   static_cast<std::uint32_t>(colormap.red[i]) << 16;
    }
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bmp.data() + 54, words.data(), sizeof words);
    } else {
        for (std::size_t i = 0; i < 256; ++i) {
            PutU32(bmp, 54 + 4 * i, words[i]);
        }
    }
}

// Appends value right-aligned in a field of at least width characters, as printf's %*d.
void AppendNumber(std::string& out, std::int32_t value, std::size_t width) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    out.append(width > length ? width - length : 0, ' ');
    out.append(digits, length);
}

// A side in Jed grid units (320 pixels each), as printf's "%4.2f" writes side * 0.003125.
void AppendGridUnits(std::string& out, std::int32_t side, char separator) {
    // In hundredths a side is 5 * side / 16. Unless that ends in exactly a half, the last
    // bits of the product cannot carry it across a rounding step, and whole numbers give
    // printf's digits; at a half they decide, so printf's own rounding (to_chars) is asked.
    const std::int64_t sixteenths = 5 * std::int64_t{side};
    if (side >= 0 && sixteenths % 16 != 8) {
        const std::int64_t hundredths = (sixteenths + 8) / 16;
        AppendNumber(out, static_cast<std::int32_t>(hundredths / 100), 1);
        out += separator;
        out += static_cast<char>('0' + hundredths / 10 % 10);
        out += static_cast<char>('0' + hundredths % 10);
        return;
    }
    char digits[48];
    const auto end =
        std::to_chars(std::begin(digits), std::end(digits), static_cast<double>(side) * 0.003125,
                      std::chars_format::fixed, 2)
            .ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    std::replace(digits, end, '.', separator);
    out.append(length < 4 ? 4 - length : 0, ' ');
    out.append(digits, length);
}

}  // namespace

void ColormapTable::Load(std::size_t slot, std::string_view entryBytes) {
    ColormapSlot& target = slots_.at(slot);
    const ByteReader reader(entryBytes);
    const std::string_view palette = reader.Span(64, 768);
    target = ColormapSlot{};
    for (std::size_t i = 0; i < 256; ++i) {
        auto at = [&](std::size_t k) {
            return k < palette.size() ? static_cast<std::uint8_t>(palette[k]) : std::uint8_t{0};
        };
        target.red[i] = at(3 * i);
        target.green[i] = at(3 * i + 1);
        target.blue[i] = at(3 * i + 2);
    }
}

std::uint64_t BmpStride(std::int32_t width) {
    return (static_cast<std::uint64_t>(width) + 3) / 4 * 4;
}

// Both texts were made with snprintf, whose set-up cost more than decoding a small texture.
std::string PixelSizeText(std::int32_t width, std::int32_t height) {
    std::string text;
    text.reserve(48);  // one allocation for the whole text
    text = "Size in pixels = ";
    AppendNumber(text, width, 3);
    text += " Wide x ";
    AppendNumber(text, height, 3);
    text += " High";
    return text;
}

std::string GridSizeText(std::int32_t width, std::int32_t height, char decimalSeparator) {
    std::string text;
    text.reserve(48);
    text = "Size in Jed Grid = ";
    AppendGridUnits(text, width, decimalSeparator);
    text += " Wide x ";
    AppendGridUnits(text, height, decimalSeparator);
    text += " High";
    return text;
}

MatImage ReadMatImage(std::string_view entryBytes) {
    const ByteReader reader(entryBytes);
    if (!reader.Holds(0, kMatHeaderBytes) || entryBytes.substr(0, 4) != "MAT ") {
        throw MatError();
    }
    MatImage image;
    if (*reader.I32(8) != kTextureType) {
        if (!reader.Holds(kMatHeaderBytes, kTextureHeaderBytes)) {
            throw MatError();
        }
        image.solidColour = true;
        image.width = kSolidColourSide;
        image.height = kSolidColourSide;
        image.solidIndex = static_cast<std::uint8_t>(*reader.I32(kMatHeaderBytes + 4) & 0xff);
        return image;
    }
    const std::int32_t records = *reader.I32(12);
    if (records < 0) {
        throw MatError();
    }
    const std::uint64_t headerAt =
        kMatHeaderBytes + kMatRecordBytes * static_cast<std::uint64_t>(records);
    if (!reader.Holds(headerAt, kTextureHeaderBytes)) {
        throw MatError();
    }
    image.width = *reader.I32(headerAt);
    image.height = *reader.I32(headerAt + 4);
    if (image.width < 1 || image.width > kMaxTextureSide || image.height < 1 ||
        image.height > kMaxTextureSide) {
        throw MatError();
    }
    image.transparent = *reader.I32(headerAt + 8) != 0;
    image.pixels =
        reader.Span(headerAt + kTextureHeaderBytes, static_cast<std::uint64_t>(image.width) *
                                                        static_cast<std::uint64_t>(image.height));
    return image;
}

Rgb MatColour(std::string_view entryBytes, const ColormapSlot& colormap) {
    const MatImage image = ReadMatImage(entryBytes);
    if (image.solidColour) {
        const std::uint8_t i = image.solidIndex;
        return {colormap.red[i], colormap.green[i], colormap.blue[i]};
    }
    // Counted by index first: a colour per pixel would be three lookups for each of up to 64
    // million pixels.
    std::array<std::uint64_t, 256> counts{};
    for (const char pixel : image.pixels) {
        ++counts[static_cast<std::uint8_t>(pixel)];
    }
    counts[0] +=
        static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height) -
        image.pixels.size();
    if (image.transparent && counts[0] < static_cast<std::uint64_t>(image.width) *
                                             static_cast<std::uint64_t>(image.height)) {
        counts[0] = 0;
    }
    std::uint64_t total = 0, red = 0, green = 0, blue = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        total += counts[i];
        red += counts[i] * colormap.red[i];
        green += counts[i] * colormap.green[i];
        blue += counts[i] * colormap.blue[i];
    }
    auto average = [total](std::uint64_t sum) {
        return static_cast<std::uint8_t>((sum + total / 2) / total);
    };
    return {average(red), average(green), average(blue)};
}

DecodedTexture DecodeMat(std::string_view entryBytes, const ColormapSlot& colormap,
                         char decimalSeparator) {
    const MatImage image = ReadMatImage(entryBytes);
    DecodedTexture texture;
    texture.width = image.width;
    texture.height = image.height;
    texture.solidColour = image.solidColour;
    texture.pixelSizeText = PixelSizeText(texture.width, texture.height);
    texture.gridSizeText = GridSizeText(texture.width, texture.height, decimalSeparator);

    // One allocation for the whole image; every row goes straight to its place. Padding and
    // pixels a short entry lacks stay 0.
    const std::uint64_t width = static_cast<std::uint64_t>(texture.width);
    const std::uint64_t height = static_cast<std::uint64_t>(texture.height);
    const std::uint64_t stride = BmpStride(texture.width);
    texture.bmp.resize(static_cast<std::size_t>(kBmpHeaderBytes + height * stride));
    WriteBmpHeaders(texture.bmp, texture.width, texture.height, colormap);
    const std::string_view pixels = image.pixels;
    char* const rows = texture.bmp.data() + kBmpHeaderBytes;
    if (texture.solidColour) {
        // 64 wide: no padding, so every row at once.
        std::memset(rows, image.solidIndex, static_cast<std::size_t>(height * stride));
        return texture;
    }
    for (std::uint64_t row = 0; row < height; ++row) {
        // The first texture row is the top of the picture, so the last row of the BMP.
        char* target = rows + (height - 1 - row) * stride;
        const std::uint64_t from = row * width;
        if (from < pixels.size()) {
            std::memcpy(target, pixels.data() + from,
                        static_cast<std::size_t>(std::min(width, pixels.size() - from)));
        }
    }
    return texture;
}

std::string ExportFileName(std::string_view entryName) {
    const std::size_t slash = entryName.find_last_of("\\/");
    std::string name(slash == std::string_view::npos ? entryName : entryName.substr(slash + 1));
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name + ".bmp";
}

std::optional<std::string> ExportBmp(const std::filesystem::path& path, std::string_view bmp) {
    return WriteFileWhole(path, bmp);
}

}  // namespace skerry
