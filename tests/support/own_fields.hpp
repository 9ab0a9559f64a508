#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "template/template_line.hpp"

namespace skerry::testing {

// The fields a template line sets after its name and parent, sorted, leaving out empty
// fields and those whose value is empty (a value cell left empty is not set). A template
// opened and saved again must set exactly these.
inline std::vector<std::string> OwnFields(std::string_view line) {
    std::vector<std::string> fields = AllFields(line);
    fields.erase(fields.begin(), fields.begin() + std::min<std::size_t>(2, fields.size()));
    std::erase_if(fields, [](const std::string& field) {
        const ParamSplit split = SplitParameter(field);
        return field.empty() || (split.hasEquals && split.value.empty());
    });
    std::sort(fields.begin(), fields.end());
    return fields;
}

}  // namespace skerry::testing
