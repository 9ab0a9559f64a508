#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skerry::testing {

// Malformed game files, one per kind of fault, each with what the readers must make of it.
// The core tests, the window tests and the fuzz seeds all draw on these tables.

struct BadContainer {
    std::string name;
    std::string bytes;
    bool isContainer = true;  // passes the container test
    std::size_t listed = 0;   // entries the directory read lists
    std::string firstName;    // the first listed entry's name as text
    std::string firstEntry;   // the bytes reading that entry gives
    bool unsafeName = false;  // a name unpacking must not write: it would lead out of the folder
};
std::vector<BadContainer> BadContainers();

struct BadTexture {
    std::string name;
    std::string bytes;
    bool decodes = false;  // false: refused as "Not a Mat File"
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool sixteenBit = false;  // a 24-bit BMP
    std::int32_t cels = 1;    // the cels offered
};
std::vector<BadTexture> BadTextures();

// Colormap entries of a few lengths short of the 832 bytes that are read.
struct BadColormap {
    std::string name;
    std::string bytes;
};
std::vector<BadColormap> BadColormaps();

struct BadTemplateFile {
    std::string name;
    std::string bytes;
    std::size_t offered = 0;  // names the picker offers
    std::string firstName;    // the first of them
    bool truncated = false;   // more template lines than the table holds
};
std::vector<BadTemplateFile> BadTemplateFiles();

// 3DO models: a small two-node model written with short numbers (".5", "-.022", "0x2"),
// and that model with one fault each.
struct BadModel {
    std::string name;
    std::string bytes;
    std::string message;  // what reading it says; empty when it reads
};
std::vector<BadModel> BadModels();

// Pictures textures are made from, broken or odd, each with what reading it gives: the
// message's start when it is refused, else its size and (where given) its pixels.
struct BadPicture {
    std::string name;
    std::string bytes;
    std::string message;  // empty when it reads
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;
};
std::vector<BadPicture> BadPictures();

// Cases larger than this stay out of the fuzz seeds.
inline constexpr std::size_t kLargestSeed = 16 * 1024;

}  // namespace skerry::testing
