#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// Paths are held as UTF-8 text everywhere but at the file system. On Linux that is the bytes
// of the name as they are; on Windows, where names are UTF-16, a std::filesystem::path built
// straight from a std::string reads the bytes in the C locale and garbles every letter
// outside ASCII, so text becomes a path here and a path becomes text here, nowhere else.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8Of(const std::filesystem::path& path);
std::vector<std::filesystem::path> PathsFromUtf8(const std::vector<std::string>& texts);

// The program's arguments as UTF-8. On Windows the narrow argv is in the ANSI code page and
// loses every name outside it, so the wide command line is read instead; elsewhere argv as it
// is.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace skerry
