#include "sample/game_file_writers.hpp"

#include <algorithm>

namespace skerry {

namespace {

void AppendI32(std::string& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((u >> (8 * i)) & 0xff);
    }
}

std::string MatHeader(std::int32_t type, std::int32_t records, std::int32_t textures,
                      const MatPixelFormat& format = {}) {
    std::string header = "MAT ";
    AppendI32(header, 0x32);  // version
    AppendI32(header, type);
    AppendI32(header, records);
    AppendI32(header, textures);
    AppendI32(header, format.SixteenBit() ? 1 : 0);  // indexed or RGB colour
    AppendI32(header, format.bitsPerPixel);
    if (format.SixteenBit()) {
        for (const std::int32_t bits : format.bits)
            AppendI32(header, bits);
        for (const std::int32_t shift : format.shifts)
            AppendI32(header, shift);
        for (const std::int32_t bits : format.bits)
            AppendI32(header, 8 - bits);  // how far each channel is from 8 bits, as the game keeps
    }
    header.resize(76, '\0');
    return header;
}

// Every other pixel of every other row: the next mip-map level, a side never below 1.
std::string HalfLevel(const std::string& pixels, std::int32_t width, std::int32_t height,
                      std::size_t bytesPerPixel) {
    const std::int32_t halfWidth = std::max(width / 2, 1);
    const std::int32_t halfHeight = std::max(height / 2, 1);
    std::string half;
    for (std::int32_t y = 0; y < halfHeight; ++y) {
        for (std::int32_t x = 0; x < halfWidth; ++x) {
            const auto at = static_cast<std::size_t>(2 * y * width + 2 * x) * bytesPerPixel;
            half += pixels.substr(std::min(at, pixels.size()), bytesPerPixel);
        }
    }
    return half;
}
}  // namespace

std::string MakeContainer(const std::vector<ContainerEntry>& entries) {
    std::string out = "GOB ";
    AppendI32(out, 20);
    AppendI32(out, 12);
    AppendI32(out, static_cast<std::int32_t>(entries.size()));
    std::size_t dataAt = out.size() + 136 * entries.size();
    for (const ContainerEntry& entry : entries) {
        AppendI32(out, static_cast<std::int32_t>(dataAt));
        AppendI32(out, static_cast<std::int32_t>(entry.bytes.size()));
        std::string name = entry.name.substr(0, 127);
        name.resize(128, '\0');
        out += name;
        dataAt += entry.bytes.size();
    }
    for (const ContainerEntry& entry : entries) {
        out += entry.bytes;
    }
    return out;
}

std::string MakeColormap(const Palette& palette) {
    std::string out = "CMP ";
    AppendI32(out, 30);  // version
    AppendI32(out, 1);   // has a transparency table
    out.resize(64, '\0');
    out.append(palette.begin(), palette.end());
    // Light levels: each level darkens towards index 0 in steps of the palette's own ramps.
    for (int level = 0; level < 64; ++level) {
        for (int i = 0; i < 256; ++i) {
            const int ramp = i & ~15;
            const int shade = (i & 15) * level / 63;
            out += static_cast<char>(ramp + shade);
        }
    }
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            out += static_cast<char>((a + b) / 2);
        }
    }
    return out;
}

std::string MakeMat(const MatPixelFormat& format, const std::vector<TextureCel>& cels) {
    const auto count = static_cast<std::int32_t>(cels.size());
    std::string out = MatHeader(2, count, count, format);
    for (std::int32_t r = 0; r < count; ++r) {
        std::string record;
        AppendI32(record, 8);  // a texture record
        AppendI32(record, 0);
        record.resize(40, '\0');
        out += record;
    }
    const std::size_t bytesPerPixel = format.SixteenBit() ? 2 : 1;
    for (const TextureCel& cel : cels) {
        AppendI32(out, cel.width);
        AppendI32(out, cel.height);
        AppendI32(out, 0);  // transparency
        AppendI32(out, 0);
        AppendI32(out, 0);
        AppendI32(out, cel.mipMaps);
        std::string level = cel.pixels;
        std::int32_t width = cel.width, height = cel.height;
        for (std::int32_t mip = 0; mip < cel.mipMaps; ++mip) {
            out += level;
            level = HalfLevel(level, width, height, bytesPerPixel);
            width = std::max(width / 2, 1);
            height = std::max(height / 2, 1);
        }
    }
    return out;
}

std::string MakeTextureMat(std::int32_t width, std::int32_t height, const std::string& pixels,
                           std::int32_t records) {
    std::vector<TextureCel> cels;
    for (std::int32_t cel = 0; cel < records; ++cel) {
        cels.push_back(
            {width, height, cel == 0 ? pixels : std::string(pixels.rbegin(), pixels.rend())});
    }
    return MakeMat({}, cels);
}

std::string PackPixel(const MatPixelFormat& format, std::uint8_t red, std::uint8_t green,
                      std::uint8_t blue, std::uint16_t extra) {
    const std::uint8_t channels[3] = {red, green, blue};
    std::uint32_t word = extra;
    for (std::size_t c = 0; c < 3; ++c) {
        word |= static_cast<std::uint32_t>(channels[c] >> (8 - format.bits[c])) << format.shifts[c];
    }
    return {static_cast<char>(word & 0xff), static_cast<char>((word >> 8) & 0xff)};
}

std::string MakeSolidMat(std::uint8_t colourIndex) {
    std::string out = MatHeader(0, 1, 0);
    AppendI32(out, 0);  // a colour record
    AppendI32(out, colourIndex);
    out.resize(out.size() + 16, '\0');
    return out;
}

}  // namespace skerry
