#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "sample/game_file_writers.hpp"

namespace skerry::bench {

// The largest sizes the program handles: the template table and the container directory.
inline constexpr std::size_t kFullTemplates = 1000;
inline constexpr std::size_t kFullEntries = 4096;
inline constexpr std::size_t kColormaps = 20;

// Growth is measured at a tenth, a half and the full size.
inline constexpr double kScales[] = {0.1, 0.5, 1.0};

// A template file of count templates, about 1 KB a line, with "# DESC: " and "# BBOX: "
// lines between them. "_weapon" has two fifths of them below it (399 of 1000) in a tree
// four wide and several levels deep; the rest hang from the bases of other types.
std::string TemplateFile(std::size_t count);

// The number of templates below "_weapon" in TemplateFile(count).
std::size_t WeaponDescendants(std::size_t count);

// The deepest weapon of TemplateFile(count): six levels from it up to "_weapon" at full size.
std::string DeepestWeapon(std::size_t count);

// A level of about bytes bytes, most of them its vertices, with a templates section of 200
// templates that holds the +bryarflash, +bryarhit and +bryarexp every weapon of TemplateFile
// names, and none of the weapons.
std::string Level(std::size_t bytes);

// The entries of a container of count entries in the mix of a game's resource container:
// textures (mostly small, the two "mat\\big0.mat" and "mat\\big1.mat" of 1024x1024 near
// the end), models, sounds, scripts and the rest, with a colormap every 200 entries (20 in
// the full container, "misc\\cmp\\dflt.cmp" the first). Names are in no particular order.
std::vector<ContainerEntry> ContainerEntries(std::size_t count);

std::vector<std::string> EntryNames(const std::vector<ContainerEntry>& entries);

// The model whose reading is measured: the largest real model when the collection stands
// beside the project, else one of our own making of about its size (100 KB), three meshes
// of spheres hanging from each other.
struct BenchModel {
    std::string name;
    std::string bytes;
};
BenchModel LargestModel();

// Everything the benchmarks read, made once at start into a folder of their own.
struct Inputs {
    explicit Inputs(const std::filesystem::path& folder);

    std::filesystem::path folder;
    std::filesystem::path jedFolder;      // master.tpl (1000 templates)
    std::filesystem::path jkFolder;       // res2.gob (4096 entries)
    std::filesystem::path motsFolder;     // jkmres.goo (a small one)
    std::filesystem::path programFolder;  // New.tpl, Old.tpl and exported bitmaps go here

    std::string templateFile;             // the bytes of master.tpl
    std::vector<std::string> entryNames;  // res2.gob's names in directory order
};

}  // namespace skerry::bench
