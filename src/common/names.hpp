#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace skerry {

// An ASCII letter in lower case; every other byte as it is.
inline unsigned char FoldAscii(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// True when a and b are the same text but for ASCII letter case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The file called name in dir, found ignoring letter case; nothing when there is none. The
// game's files come from Windows, where RES2.GOB and res2.gob are one file.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& dir,
                                                          std::string_view name);

// The file at path, or the file beside it whose name differs only in letter case; the path
// itself when there is neither, so that messages name what was asked for.
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& path);

}  // namespace skerry
