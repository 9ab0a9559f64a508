#include "sample/game_file_writers.hpp"

namespace skerry {

namespace {

void AppendI32(std::string& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((u >> (8 * i)) & 0xff);
    }
}

std::string MatHeader(std::int32_t type, std::int32_t records, std::int32_t textures) {
    std::string header = "MAT ";
    AppendI32(header, 0x32);  // version
    AppendI32(header, type);
    AppendI32(header, records);
    AppendI32(header, textures);
    AppendI32(header, 0);  // indexed colour
    AppendI32(header, 8);  // bits per pixel
    header.resize(76, '\0');
    return header;
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

std::string MakeTextureMat(std::int32_t width, std::int32_t height, const std::string& pixels,
                           std::int32_t records) {
    std::string out = MatHeader(2, records, records);
    for (std::int32_t r = 0; r < records; ++r) {
        std::string record;
        AppendI32(record, 8);  // a texture record
        AppendI32(record, 0);
        record.resize(40, '\0');
        out += record;
    }
    for (std::int32_t cel = 0; cel < records; ++cel) {
        AppendI32(out, width);
        AppendI32(out, height);
        AppendI32(out, 0);  // transparency
        AppendI32(out, 0);
        AppendI32(out, 0);
        AppendI32(out, 1);  // mipmaps
        // Later cels are the first one's pixels in reverse, so they differ visibly.
        out += cel == 0 ? pixels : std::string(pixels.rbegin(), pixels.rend());
    }
    return out;
}

std::string MakeSolidMat(std::uint8_t colourIndex) {
    std::string out = MatHeader(0, 1, 0);
    AppendI32(out, 0);  // a colour record
    AppendI32(out, colourIndex);
    out.resize(out.size() + 16, '\0');
    return out;
}

}  // namespace skerry
