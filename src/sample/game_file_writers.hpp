#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/model_3do.hpp"
#include "resources/texture_writer.hpp"

namespace skerry {

// Builders of the game's file formats, for our sample data, tests, fuzz seeds and benchmarks.

using Palette = std::array<std::uint8_t, 768>;  // 256 colours, red, green, blue each

// A colormap of the usual 82752 bytes: header, palette, light levels, transparency table.
std::string MakeColormap(const Palette& palette);

// One cel of a made texture: its largest level, top row first (a byte a pixel for 8 bits, a
// little-endian word for 16), and its number of mip-map levels. The smaller levels are drawn
// from the one before by taking every other pixel of every other row.
struct TextureCel {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string pixels;
    std::int32_t mipMaps = 1;
};

// A texture MAT (type 2) of these cels in this pixel format, one record for each, laid out by
// the program's own texture writer.
std::string MakeMatOfPixels(const MatPixelFormat& format, const std::vector<TextureCel>& cels);

// A texture MAT of 8-bit indices, top row first. Each record after the first is another cel
// of the same size, of the first one's pixels in reverse so that it differs visibly.
std::string MakeTextureMat(std::int32_t width, std::int32_t height, const std::string& pixels,
                           std::int32_t records = 1);

// The two little-endian bytes of a 16-bit pixel: each channel's top bits in its place, with
// the bits of extra (1-5-5-5's alpha) added.
std::string PackPixel(const MatPixelFormat& format, std::uint8_t red, std::uint8_t green,
                      std::uint8_t blue, std::uint16_t extra = 0);

// A solid-colour MAT (type 0) of one colour index.
std::string MakeSolidMat(std::uint8_t colourIndex);

// A 3DO 2.1 model's text as modelling tools lay it out, with comment on its first line.
// Numbers are written with six decimals. Each mesh also gets the tables the game reads and
// a preview does not: four texture vertices, vertex normals and face normals.
std::string MakeModel3do(const Model3do& model, std::string_view comment);

}  // namespace skerry
