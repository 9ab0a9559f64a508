#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/model_3do.hpp"

namespace skerry {

// Builders of the game's file formats, for our sample data, tests, fuzz seeds and benchmarks.

struct ContainerEntry {
    std::string name;  // path inside the container, folders separated by backslashes
    std::string bytes;
};

// A GOB/GOO container: "GOB ", 20, 12, the count, the directory, then the entries' bytes.
std::string MakeContainer(const std::vector<ContainerEntry>& entries);

using Palette = std::array<std::uint8_t, 768>;  // 256 colours, red, green, blue each

// A colormap of the usual 82752 bytes: header, palette, light levels, transparency table.
std::string MakeColormap(const Palette& palette);

// A texture MAT (type 2) of 8-bit indices, top row first. Each record after the first is
// another cel of the same size; only the first is ever shown.
std::string MakeTextureMat(std::int32_t width, std::int32_t height, const std::string& pixels,
                           std::int32_t records = 1);

// A solid-colour MAT (type 0) of one colour index.
std::string MakeSolidMat(std::uint8_t colourIndex);

// A 3DO 2.1 model's text as modelling tools lay it out, with comment on its first line.
// Numbers are written with six decimals. Each mesh also gets the tables the game reads and
// a preview does not: four texture vertices, vertex normals and face normals.
std::string MakeModel3do(const Model3do& model, std::string_view comment);

}  // namespace skerry
