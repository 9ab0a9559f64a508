#pragma once

#include <filesystem>
#include <functional>
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
// written beside its target (as TARGET.part) first, and only when all are written whole are
// they renamed into place, in order. A folder in a target's place is found before anything is
// written; only a rename that fails for a reason arising meanwhile (the folder taken away) can
// leave the files before it replaced. Returns a message naming the file that failed.
struct FileWrite {
    std::filesystem::path path;
    std::string bytes;
};
std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files);

// How WriteFilesTogether puts one temporary file's bytes on disk; false when it could not.
// Tests put a writer in its place that fails part way through.
using FileWriter = std::function<bool(const std::filesystem::path&, std::string_view)>;
// Returns the writer in place. An empty writer restores the plain one.
FileWriter SetFileWriter(FileWriter writer);

// True when two paths name the same file (or would, once created).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace skerry
