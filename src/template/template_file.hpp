#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// Template files are single-byte text. A line ends at CR, at LF, or at CR LF (one end), and
// a Ctrl-Z byte ends the file. A last line without an end is still a line.
std::vector<std::string> SplitTemplateLines(std::string_view bytes);

// The line end the program writes after every line of a template file.
inline constexpr std::string_view kLineEnd = "\r\n";

// The whole file as bytes, or nothing with a message naming the file when it cannot be read.
struct FileBytes {
    std::optional<std::string> bytes;
    std::string error;
};
FileBytes ReadFileBytes(const std::filesystem::path& path);

// Writes the file whole or not at all: a temporary file beside the target is renamed over it
// once every byte is written, so a failure never leaves a half-written file. Returns a message
// naming the file when it fails.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& path,
                                          std::string_view bytes);

// True when path names an existing regular file (or a link to one).
bool FileExists(const std::filesystem::path& path);

}  // namespace skerry
