#include "resources/mat_fileops.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <iterator>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/byte_source.hpp"

namespace skerry {

namespace {

constexpr std::int32_t kTextureType = 2;
// Fields of the MAT header, and of a cel's texture header.
constexpr std::uint64_t kTypeAt = 8;
constexpr std::uint64_t kRecordCountAt = 12;
constexpr std::uint64_t kCelCountAt = 16;
constexpr std::uint64_t kBitsPerPixelAt = 24;
constexpr std::uint64_t kChannelBitsAt = 28;    // red, green, blue
constexpr std::uint64_t kChannelShiftsAt = 40;  // red, green, blue
constexpr std::uint64_t kMipMapCountAt = 20;
// Halving the largest side (8192 = 2^13) 13 times leaves 1 by 1.
constexpr std::int32_t kLevelsAboveOnePixel = 14;

void PutU16(std::string& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<char>(value & 0xff);
    out[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// The 14-byte file header and the 40-byte info header at the start of bmp, which is already
// its full size; an 8-bit one also gets the 256-colour table after them.
void WriteBmpHeaders(std::string& bmp, std::int32_t width, std::int32_t height,
                     std::uint16_t bitsPerPixel, const ColormapSlot* colormap) {
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutU32(bmp, 2, static_cast<std::uint32_t>(bmp.size()));
    PutU32(bmp, 10, static_cast<std::uint32_t>(colormap ? kBmpHeaderBytes : kRgbBmpHeaderBytes));
    PutU32(bmp, 14, 40);
    PutU32(bmp, 18, static_cast<std::uint32_t>(width));
    PutU32(bmp, 22, static_cast<std::uint32_t>(height));  // positive: rows run bottom-up
    PutU16(bmp, 26, 1);
    PutU16(bmp, 28, bitsPerPixel);
    // Compression, image size, resolutions and colour counts stay 0.
    if (!colormap) {
        return;
    }
    // The colours are put together as words in an array of our own, which the compiler can do
    // many at a time, then copied in: a byte at a time into the string was a third of a small
    // decode.
    std::array<std::uint32_t, 256> words;
    for (std::size_t i = 0; i < 256; ++i) {
        words[i] = static_cast<std::uint32_t>(colormap->blue[i]) |
                   static_cast<std::uint32_t>(colormap->green[i]) << 8 |
                   static_cast<std::uint32_t>(colormap->red[i]) << 16;
    }
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bmp.data() + 54, words.data(), sizeof words);
    } else {
        for (std::size_t i = 0; i < 256; ++i) {
            PutU32(bmp, 54 + 4 * i, words[i]);
        }
    }
}

bool IsSide(std::int32_t side) {
    return side >= 1 && side <= kMaxTextureSide;
}

// The bytes of a cel's pixels: every mip-map level, the largest first, each half the width and
// height of the one before, a side never below 1. Levels past the fourteenth are all 1 by 1,
// so they are counted, not walked: the count comes from the file.
std::uint64_t CelPixelBytes(std::int32_t width, std::int32_t height, std::int32_t mipMaps,
                            std::uint64_t bytesPerPixel) {
    const std::int32_t levels = std::max(mipMaps, 1);  // the largest is there whatever it says
    std::uint64_t pixels = 0;
    std::int32_t level = 0;
    for (; level < levels && level < kLevelsAboveOnePixel; ++level) {
        pixels += static_cast<std::uint64_t>(std::max(width >> level, 1)) *
                  static_cast<std::uint64_t>(std::max(height >> level, 1));
    }
    pixels += static_cast<std::uint64_t>(levels - level);
    return pixels * bytesPerPixel;
}

struct CelPlace {
    std::uint64_t pixelsAt = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Steps from the cel header at `at` to the next, through at most limit cels, while the entry
// holds each one's header and its sides are sound. Gives how many it passed and the last one.
struct CelWalk {
    std::int32_t count = 0;
    CelPlace last;
};
CelWalk WalkCels(const ByteReader& reader, std::uint64_t at, std::int32_t limit,
                 std::uint64_t bytesPerPixel) {
    CelWalk walk;
    // Each step adds at most a cel's header and pixels (below 2^34) to an offset within the
    // entry, so the offset cannot wrap.
    while (walk.count < limit && reader.Holds(at, kTextureHeaderBytes)) {
        const std::int32_t width = *reader.I32(at);
        const std::int32_t height = *reader.I32(at + 4);
        if (!IsSide(width) || !IsSide(height)) {
            break;
        }
        walk.last = {at + kTextureHeaderBytes, width, height};
        ++walk.count;
        at += kTextureHeaderBytes +
              CelPixelBytes(width, height, *reader.I32(at + kMipMapCountAt), bytesPerPixel);
    }
    return walk;
}

// The header's account of an entry, and where its first cel (or colour record) stands.
struct MatLayout {
    MatInfo info;
    std::uint64_t firstCelAt = 0;
};

MatLayout ReadLayout(const ByteReader& reader, std::string_view entryBytes) {
    if (!reader.Holds(0, kMatHeaderBytes) || entryBytes.substr(0, 4) != "MAT ") {
        throw MatError();
    }
    MatLayout layout;
    MatPixelFormat& format = layout.info.format;
    if (*reader.I32(kBitsPerPixelAt) == 16) {
        format.bitsPerPixel = 16;
        for (std::size_t c = 0; c < 3; ++c) {
            format.bits[c] = *reader.I32(kChannelBitsAt + 4 * c);
            format.shifts[c] = *reader.I32(kChannelShiftsAt + 4 * c);
        }
    }
    if (*reader.I32(kTypeAt) != kTextureType) {
        if (!reader.Holds(kMatHeaderBytes, kColourRecordBytes)) {
            throw MatError();
        }
        layout.info.solidColour = true;
        layout.firstCelAt = kMatHeaderBytes;
        const std::uint64_t whole = (reader.Size() - kMatHeaderBytes) / kColourRecordBytes;
        const std::int32_t records = *reader.I32(kRecordCountAt);
        layout.info.celCount = static_cast<std::int32_t>(
            std::clamp<std::int64_t>(records, 1, static_cast<std::int64_t>(whole)));
        return layout;
    }
    const std::int32_t records = *reader.I32(kRecordCountAt);
    if (records < 0) {
        throw MatError();
    }
    layout.firstCelAt = kMatHeaderBytes + kMatRecordBytes * static_cast<std::uint64_t>(records);
    const std::uint64_t bytesPerPixel = format.SixteenBit() ? 2 : 1;
    // A count of none still has the one cel every texture was always read with.
    const std::int32_t declared = std::max(*reader.I32(kCelCountAt), 1);
    layout.info.celCount = WalkCels(reader, layout.firstCelAt, declared, bytesPerPixel).count;
    if (layout.info.celCount == 0) {
        throw MatError();
    }
    return layout;
}

std::string NoSuchCelMessage(std::int32_t cel, std::int32_t celCount) {
    std::string message = "The texture has no cel " + std::to_string(cel) + "; ";
    if (celCount == 1) {
        return message + "its only cel is 0";
    }
    return message + "its cels are 0 to " + std::to_string(celCount - 1);
}

// What a 16-bit pixel becomes in the BMP, looked up by the pixel's two bytes apart: its colour
// is low[first byte] | high[second byte], blue, green and red in a little-endian word's low
// three bytes. Widening a channel only moves its bits, so the two halves combine by OR.
struct WordColours {
    std::array<std::uint32_t, 256> low{};
    std::array<std::uint32_t, 256> high{};
};

// A channel of `bits` bits made 8 bits wide by repeating its top bits below it (a 5-bit c
// becomes c * 8 + c / 4), so that full is 255 and none is 0; a wider one keeps its top 8.
std::uint32_t Widen(std::uint32_t value, std::int32_t bits) {
    if (bits >= 8) {
        return value >> (bits - 8);
    }
    std::uint32_t wide = 0;
    for (std::int32_t at = 8 - bits; at > -bits; at -= bits) {
        wide |= at >= 0 ? value << at : value >> -at;
    }
    return wide & 0xff;
}

WordColours MakeWordColours(const MatPixelFormat& format) {
    WordColours colours;
    for (std::size_t c = 0; c < 3; ++c) {
        const std::int32_t bits = std::min(format.bits[c], 16);
        const std::int32_t shift = format.shifts[c];
        // A channel the header puts outside the word stays black.
        if (bits <= 0 || shift < 0 || shift >= 16) {
            continue;
        }
        const std::uint32_t mask = (1u << bits) - 1;
        const std::uint32_t place = 8 * (2 - static_cast<std::uint32_t>(c));  // red highest
        for (std::uint32_t byte = 0; byte < 256; ++byte) {
            colours.low[byte] |= Widen((byte >> shift) & mask, bits) << place;
            colours.high[byte] |= Widen(((byte << 8) >> shift) & mask, bits) << place;
        }
    }
    return colours;
}

// Rows of 16-bit pixels, the top row first, into 24-bit BMP rows, bottom-up. Pixels the entry
// lacks stay black.
void DecodeWords(std::string_view pixels, std::uint64_t width, std::uint64_t height,
                 std::uint64_t stride, const WordColours& colours, char* rows) {
    const auto* words = reinterpret_cast<const unsigned char*>(pixels.data());
    const std::uint64_t present = pixels.size() / 2;
    for (std::uint64_t row = 0; row < height && row * width < present; ++row) {
        char* target = rows + (height - 1 - row) * stride;
        const unsigned char* from = words + 2 * row * width;
        const std::uint64_t count = std::min(width, present - row * width);
        std::uint64_t x = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Four bytes a pixel, three apart: the fourth is the next pixel's first, which
            // that pixel then writes. The last pixel of the row gets its three alone.
            for (; x + 1 < count; ++x) {
                const std::uint32_t colour =
                    colours.low[from[2 * x]] | colours.high[from[2 * x + 1]];
                std::memcpy(target + 3 * x, &colour, 4);
            }
        }
        for (; x < count; ++x) {
            const std::uint32_t colour = colours.low[from[2 * x]] | colours.high[from[2 * x + 1]];
            target[3 * x] = static_cast<char>(colour & 0xff);
            target[3 * x + 1] = static_cast<char>((colour >> 8) & 0xff);
            target[3 * x + 2] = static_cast<char>((colour >> 16) & 0xff);
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

std::uint64_t BmpStride(std::int32_t width, std::int32_t bitsPerPixel) {
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) / 8 + 3) /
           4 * 4;
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

MatInfo ReadMatInfo(std::string_view entryBytes) {
    return ReadLayout(ByteReader(entryBytes), entryBytes).info;
}

Rgb MatColour(std::string_view entryBytes, const ColormapSlot& colormap) {
    const ByteReader reader(entryBytes);
    const MatLayout layout = ReadLayout(reader, entryBytes);
    if (layout.info.solidColour) {
        const auto i = static_cast<std::uint8_t>(*reader.I32(layout.firstCelAt + 4) & 0xff);
        return {colormap.red[i], colormap.green[i], colormap.blue[i]};
    }
    const bool sixteenBit = layout.info.format.SixteenBit();
    const CelPlace place = WalkCels(reader, layout.firstCelAt, 1, sixteenBit ? 2 : 1).last;
    const std::uint64_t area =
        static_cast<std::uint64_t>(place.width) * static_cast<std::uint64_t>(place.height);
    std::uint64_t total = 0, red = 0, green = 0, blue = 0;
    if (sixteenBit) {
        const WordColours colours = MakeWordColours(layout.info.format);
        const std::string_view words = reader.Span(place.pixelsAt, 2 * area);
        for (std::size_t at = 0; at + 1 < words.size(); at += 2) {
            const std::uint32_t colour = colours.low[static_cast<std::uint8_t>(words[at])] |
                                         colours.high[static_cast<std::uint8_t>(words[at + 1])];
            red += (colour >> 16) & 0xff;
            green += (colour >> 8) & 0xff;
            blue += colour & 0xff;
        }
        total = area;  // the pixels the entry lacks are black
    } else {
        // Counted by index first: a colour per pixel would be three lookups for each of up to
        // 64 million pixels.
        std::array<std::uint64_t, 256> counts{};
        const std::string_view pixels = reader.Span(place.pixelsAt, area);
        for (const char pixel : pixels) {
            ++counts[static_cast<std::uint8_t>(pixel)];
        }
        counts[0] += area - pixels.size();
        const bool transparent = *reader.I32(place.pixelsAt - kTextureHeaderBytes + 8) != 0;
        if (transparent && counts[0] < area) {
            counts[0] = 0;
        }
        for (std::size_t i = 0; i < counts.size(); ++i) {
            total += counts[i];
            red += counts[i] * colormap.red[i];
            green += counts[i] * colormap.green[i];
            blue += counts[i] * colormap.blue[i];
        }
    }
    auto average = [total](std::uint64_t sum) {
        return static_cast<std::uint8_t>((sum + total / 2) / total);
    };
    return {average(red), average(green), average(blue)};
}

DecodedTexture DecodeMat(std::string_view entryBytes, const ColormapSlot& colormap,
                         char decimalSeparator, std::int32_t cel, std::int32_t maxRows) {
    const ByteReader reader(entryBytes);
    const MatLayout layout = ReadLayout(reader, entryBytes);
    if (cel < 0 || cel >= layout.info.celCount) {
        throw MatError(NoSuchCelMessage(cel, layout.info.celCount));
    }
    DecodedTexture texture;
    texture.cel = cel;
    texture.celCount = layout.info.celCount;
    texture.solidColour = layout.info.solidColour;
    texture.sixteenBit = !texture.solidColour && layout.info.format.SixteenBit();
    std::uint64_t pixelsAt = 0;
    std::uint8_t solidIndex = 0;
    if (texture.solidColour) {
        texture.width = kSolidColourSide;
        texture.height = kSolidColourSide;
        const std::uint64_t recordAt =
            layout.firstCelAt + kColourRecordBytes * static_cast<std::uint64_t>(cel);
        solidIndex = static_cast<std::uint8_t>(*reader.I32(recordAt + 4) & 0xff);
    } else {
        const CelPlace place =
            WalkCels(reader, layout.firstCelAt, cel + 1, texture.sixteenBit ? 2 : 1).last;
        texture.width = place.width;
        texture.height = place.height;
        pixelsAt = place.pixelsAt;
    }
    texture.pixelSizeText = PixelSizeText(texture.width, texture.height);
    texture.gridSizeText = GridSizeText(texture.width, texture.height, decimalSeparator);

    // One allocation for the whole image; every row goes straight to its place. Padding and
    // pixels a short entry lacks stay 0. Sides are at most 8192, so the size is below 2^28.
    const std::uint64_t width = static_cast<std::uint64_t>(texture.width);
    const std::int32_t shown = std::clamp(maxRows, 1, texture.height);
    const std::uint64_t height = static_cast<std::uint64_t>(shown);
    if (texture.sixteenBit) {
        const std::uint64_t stride = BmpStride(texture.width, 24);
        texture.bmp.resize(static_cast<std::size_t>(kRgbBmpHeaderBytes + height * stride));
        WriteBmpHeaders(texture.bmp, texture.width, shown, 24, nullptr);
        DecodeWords(reader.Span(pixelsAt, 2 * width * height), width, height, stride,
                    MakeWordColours(layout.info.format), texture.bmp.data() + kRgbBmpHeaderBytes);
        return texture;
    }
    const std::uint64_t stride = BmpStride(texture.width);
    texture.bmp.resize(static_cast<std::size_t>(kBmpHeaderBytes + height * stride));
    WriteBmpHeaders(texture.bmp, texture.width, shown, 8, &colormap);
    char* const rows = texture.bmp.data() + kBmpHeaderBytes;
    if (texture.solidColour) {
        // 64 wide: no padding, so every row at once.
        std::memset(rows, solidIndex, static_cast<std::size_t>(height * stride));
        return texture;
    }
    const std::string_view pixels = reader.Span(pixelsAt, width * height);
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

PictureFormat PictureFormatOf(const std::filesystem::path& path) {
    return EqualsIgnoringCase(Utf8Of(path.extension()), ".png") ? PictureFormat::Png
                                                                : PictureFormat::Bmp;
}

std::string ExportFileName(std::string_view entryName, PictureFormat format) {
    const std::size_t slash = entryName.find_last_of("\\/");
    std::string name(slash == std::string_view::npos ? entryName : entryName.substr(slash + 1));
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
#ifdef _WIN32
    // "c:x" would be a path on drive C rather than a name in the export folder, and Windows
    // takes no colon in a file's name anyway.
    std::replace(name.begin(), name.end(), ':', '_');
#endif
    return name + (format == PictureFormat::Png ? ".png" : ".bmp");
}

// An exported picture is made again by showing its texture, so it is not worth a sync.
std::optional<std::string> ExportBmp(const std::filesystem::path& path, std::string_view bmp) {
    return WriteFileWhole(path, bmp, Durability::Unsynced);
}

}  // namespace skerry
