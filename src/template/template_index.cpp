#include "template/template_index.hpp"

#include <algorithm>

#include "common/names.hpp"
#include "template/template_file.hpp"
#include "template/template_line.hpp"

namespace skerry {

bool IsReferenceParam(std::string_view name) {
    return std::any_of(std::begin(kReferenceParams), std::end(kReferenceParams),
                       [name](std::string_view param) { return EqualsIgnoringCase(name, param); });
}

bool NamesNoTemplate(std::string_view name) {
    return name.empty() || EqualsIgnoringCase(name, "none");
}

std::vector<std::string_view> NeededTemplates(std::string_view line) {
    // The game splits at any blank, so a line that starts with blanks still names its
    // template first.
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    std::vector<std::string_view> needed;
    std::size_t index = 0;
    ForEachField(line, [&](std::string_view field) {
        if (index == 1 && !NamesNoTemplate(field)) {
            needed.push_back(field);
        } else if (index >= 2) {
            const ParamView param = SplitParameterView(field);
            if (param.hasEquals && IsReferenceParam(param.name) && !NamesNoTemplate(param.value)) {
                needed.push_back(param.value);
            }
        }
        ++index;
        return true;
    });
    return needed;
}

TemplateIndex::TemplateIndex(std::string_view bytes) {
    ForEachTemplateLine(bytes, [this](std::string_view line) {
        if (IsCommentLine(line)) {
            return;
        }
        // As the scan cuts it once tabs are blanks: a line that starts with one names nothing.
        const std::string_view name =
            line.substr(0, std::min(line.find_first_of(" \t"), line.size()));
        if (!name.empty()) {
            lines_.insert_or_assign(LowerAscii(name), line);
        }
    });
}

std::optional<std::string_view> TemplateIndex::Find(std::string_view name) const {
    const auto found = lines_.find(LowerAscii(name));
    if (found == lines_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace skerry
