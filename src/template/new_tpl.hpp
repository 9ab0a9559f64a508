#pragma once

#include <string>
#include <string_view>

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

}  // namespace skerry
