#include "resources/mat_fileops.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "resources/byte_source.hpp"
#include "template/template_file.hpp"

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

// The 14-byte file header, the 40-byte info header and the 256-colour table.
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
    // Compression, image size, resolutions and colour counts stay 0.
    for (std::size_t i = 0; i < 256; ++i) {
        const std::size_t at = 54 + 4 * i;
        bmp[at] = static_cast<char>(colormap.blue[i]);
        bmp[at + 1] = static_cast<char>(colormap.green[i]);
        bmp[at + 2] = static_cast<char>(colormap.red[i]);
    }
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

std::string PixelSizeText(std::int32_t width, std::int32_t height) {
    char text[64];
    std::snprintf(text, sizeof text, "Size in pixels = %3d Wide x %3d High", width, height);
    return text;
}

std::string GridSizeText(std::int32_t width, std::int32_t height, char decimalSeparator) {
    // One Jed grid unit is 320 pixels.
    char text[96];
    std::snprintf(text, sizeof text, "Size in Jed Grid = %4.2f Wide x %4.2f High",
                  static_cast<double>(width) * 0.003125, static_cast<double>(height) * 0.003125);
    std::string result = text;
    std::replace(result.begin(), result.end(), '.', decimalSeparator);
    return result;
}

DecodedTexture DecodeMat(std::string_view entryBytes, const ColormapSlot& colormap,
                         char decimalSeparator) {
    const ByteReader reader(entryBytes);
    if (!reader.Holds(0, kMatHeaderBytes) || entryBytes.substr(0, 4) != "MAT ") {
        throw MatError();
    }
    DecodedTexture texture;
    std::uint64_t pixelsAt = 0;
    std::uint8_t solidIndex = 0;
    if (*reader.I32(8) == kTextureType) {
        const std::int32_t records = *reader.I32(12);
        if (records < 0) {
            throw MatError();
        }
        const std::uint64_t headerAt =
            kMatHeaderBytes + kMatRecordBytes * static_cast<std::uint64_t>(records);
        if (!reader.Holds(headerAt, kTextureHeaderBytes)) {
            throw MatError();
        }
        texture.width = *reader.I32(headerAt);
        texture.height = *reader.I32(headerAt + 4);
        if (texture.width < 1 || texture.width > kMaxTextureSide || texture.height < 1 ||
            texture.height > kMaxTextureSide) {
            throw MatError();
        }
        pixelsAt = headerAt + kTextureHeaderBytes;
    } else {
        if (!reader.Holds(kMatHeaderBytes, kTextureHeaderBytes)) {
            throw MatError();
        }
        texture.solidColour = true;
        texture.width = kSolidColourSide;
        texture.height = kSolidColourSide;
        solidIndex = static_cast<std::uint8_t>(*reader.I32(kMatHeaderBytes + 4) & 0xff);
    }
    texture.pixelSizeText = PixelSizeText(texture.width, texture.height);
    texture.gridSizeText = GridSizeText(texture.width, texture.height, decimalSeparator);

    // One allocation for the whole image; every row goes straight to its place. Padding and
    // pixels a short entry lacks stay 0.
    const std::uint64_t width = static_cast<std::uint64_t>(texture.width);
    const std::uint64_t height = static_cast<std::uint64_t>(texture.height);
    const std::uint64_t stride = BmpStride(texture.width);
    texture.bmp.assign(static_cast<std::size_t>(kBmpHeaderBytes + height * stride), '\0');
    WriteBmpHeaders(texture.bmp, texture.width, texture.height, colormap);
    const std::string_view pixels = reader.Span(pixelsAt, width * height);
    for (std::uint64_t row = 0; row < height; ++row) {
        // The first texture row is the top of the picture, so the last row of the BMP.
        char* target = texture.bmp.data() + kBmpHeaderBytes + (height - 1 - row) * stride;
        if (texture.solidColour) {
            std::memset(target, solidIndex, static_cast<std::size_t>(width));
            continue;
        }
        const std::uint64_t from = row * width;
        if (from < pixels.size()) {
            const auto count = static_cast<std::size_t>(std::min(width, pixels.size() - from));
            std::memcpy(target, pixels.data() + from, count);
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
