#include "template/new_tpl.hpp"

#include <array>

#include "template/template_file.hpp"
#include "template/template_line.hpp"

namespace skerry {

RebuiltTemplateFile RebuildTemplateFile(std::string_view source, std::string_view name,
                                        std::string_view line) {
    RebuiltTemplateFile file;
    file.bytes.reserve(source.size() + line.size() + 64);
    ForEachTemplateLine(source, [&](std::string_view raw) {
        const std::size_t at = file.bytes.size();
        file.bytes += raw;
        TabConvertTail(file.bytes, at);
        std::array<std::string_view, 1> first;
        FieldViews(std::string_view(file.bytes).substr(at), first);
        if (first[0] == name) {
            file.bytes.resize(at);
            file.bytes += line;
            file.replaced = true;
        }
        file.bytes += kLineEnd;
    });
    return file;
}

void AppendNewTemplate(RebuiltTemplateFile& file, std::string_view description,
                       std::string_view line) {
    file.bytes += kDescriptionPrefix;
    file.bytes += description;
    file.bytes += kLineEnd;
    file.bytes += line;
    file.bytes += kLineEnd;
}

}  // namespace skerry
