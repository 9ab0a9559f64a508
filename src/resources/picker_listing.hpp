#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// The extension of a file name: from its last dot on, dot included; empty without a dot.
std::string_view FileExtension(std::string_view name);

// The folder the picker puts in front of a bare listed name to find its entry, by extension
// (exact, letter case included). Empty for extensions listed with their folders.
std::string_view FolderPrefix(std::string_view extension);

// The names the picker lists for an extension, from entry names in directory order: the bare
// file name of every entry with that extension, except textures and sounds, which are listed
// with their folders. Comparisons are exact, letter case included.
std::vector<std::string> ListEntries(const std::vector<std::string>& entryNames,
                                     std::string_view extension);

// The first entry whose name equals name ignoring ASCII letter case.
std::optional<std::size_t> FindName(const std::vector<std::string>& entryNames,
                                    std::string_view name);

// The names of the .gob and .goo files (any letter case) in a folder, sorted.
std::vector<std::string> ListContainerFiles(const std::filesystem::path& dir);

}  // namespace skerry
