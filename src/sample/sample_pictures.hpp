#pragma once

#include <cstdint>
#include <string>

#include "resources/picture_reader.hpp"

namespace skerry {

// Pictures of our own drawing, for the tests, fuzz seeds, benchmarks and the screenshots of
// textures made from pictures.

enum class PictureFileKind { Png, Bmp, Tga, TgaRunLength, Jpeg };

// A picture's file in one of the formats textures are made from (stb's writers: BMP and TGA
// keep alpha, JPEG drops it at quality 90).
std::string PictureFile(const Picture& picture, PictureFileKind kind);

// A picture as a modder might draw a texture: shaded stone blocks with a grain of noise, so
// that it has many thousands of colours, and with see-through=true a round hole of alpha 0 in
// the middle with a soft edge.
Picture StonePicture(std::int32_t width, std::int32_t height, bool seeThrough = false);

}  // namespace skerry
