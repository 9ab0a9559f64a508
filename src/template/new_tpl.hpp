#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

inline constexpr std::string_view kDescriptionPrefix = "# DESC: ";

// The working file rebuilt from a source template file: every line copied in order with its
// tabs turned into spaces and CR LF after it, and every line whose first field is the name
// replaced by the template line.
struct RebuiltTemplateFile {
    std::string bytes;
    bool replaced = false;  // false: the template is new to the file
};
RebuiltTemplateFile RebuildTemplateFile(std::string_view source, std::string_view name,
                                        std::string_view line);

// Adds a new template at the end, after its "# DESC: " line.
void AppendNewTemplate(RebuiltTemplateFile& file, std::string_view description,
                       std::string_view line);

// Replaces several files so that either all of them change or none does: every file is
// written beside its target first, and only when all are written whole are they renamed
// into place. Returns a message naming the file that failed.
struct FileWrite {
    std::filesystem::path path;
    std::string bytes;
};
std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files);

// True when two paths name the same file (or would, once created).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace skerry
