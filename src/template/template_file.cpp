#include "template/template_file.hpp"

namespace skerry {

std::vector<std::string> SplitTemplateLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachTemplateLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

}  // namespace skerry
