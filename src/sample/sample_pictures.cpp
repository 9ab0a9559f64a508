#include "sample/sample_pictures.hpp"

#include <algorithm>
#include <cmath>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace skerry {

namespace {

void Append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

// A small deterministic noise, the same on every machine.
std::uint32_t Hash(std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

}  // namespace

std::string PictureFile(const Picture& picture, PictureFileKind kind) {
    std::string out;
    const void* pixels = picture.rgba.data();
    switch (kind) {
        case PictureFileKind::Png:
            stbi_write_png_to_func(Append, &out, picture.width, picture.height, 4, pixels,
                                   picture.width * 4);
            break;
        case PictureFileKind::Bmp:
            stbi_write_bmp_to_func(Append, &out, picture.width, picture.height, 4, pixels);
            break;
        case PictureFileKind::Tga:
        case PictureFileKind::TgaRunLength:
            stbi_write_tga_with_rle = kind == PictureFileKind::TgaRunLength ? 1 : 0;
            stbi_write_tga_to_func(Append, &out, picture.width, picture.height, 4, pixels);
            break;
        case PictureFileKind::Jpeg:
            stbi_write_jpg_to_func(Append, &out, picture.width, picture.height, 4, pixels, 90);
            break;
    }
    return out;
}

Picture StonePicture(std::int32_t width, std::int32_t height, bool seeThrough) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const double block = std::max(4.0, width / 4.0);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const auto row = static_cast<std::int32_t>(y / (block / 2));
            const double bx = std::fmod(x + (row % 2) * block / 2, block) / block;
            const double by = std::fmod(y, block / 2) / (block / 2);
            const bool joint = bx > 0.95 || by > 0.9;
            // Each block its own hue of sandstone, lit from the top left.
            const std::uint32_t stone =
                Hash(static_cast<std::uint32_t>(row),
                     static_cast<std::uint32_t>((x + (row % 2) * block / 2) / block));
            const double light = 1.15 - 0.35 * (bx + by) / 2;
            const int grain =
                static_cast<int>(
                    Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) % 25) -
                12;
            int rgb[3] = {150 + static_cast<int>(stone % 40),
                          120 + static_cast<int>(stone / 40 % 30),
                          90 + static_cast<int>(stone / 1200 % 30)};
            std::uint8_t* p = picture.rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
            for (int c = 0; c < 3; ++c) {
                const double value = joint ? 60 + grain : rgb[c] * light + grain;
                p[c] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
            }
            p[3] = 255;
            if (seeThrough) {
                const double dx = (x + 0.5) / width - 0.5, dy = (y + 0.5) / height - 0.5;
                const double reach = std::sqrt(dx * dx + dy * dy) / 0.3;
                p[3] = static_cast<std::uint8_t>(std::clamp((reach - 0.9) * 10, 0.0, 1.0) * 255);
            }
        }
    }
    return picture;
}

}  // namespace skerry
