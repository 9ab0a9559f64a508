#include "template/template_line.hpp"

#include <algorithm>

namespace skerry {

std::string TabConvert(std::string line) {
    std::replace(line.begin(), line.end(), '\t', ' ');
    return line;
}

Fields SplitFields(std::string_view line) {
    Fields fields;
    std::size_t field = 0;
    bool inSeparator = false;
    for (const char c : line) {
        if (c != ' ') {
            if (field < kMaxFields) {
                fields[field] += c;
            }
            inSeparator = false;
        } else if (!inSeparator) {
            inSeparator = true;
            ++field;
        }
    }
    return fields;
}

ParamSplit SplitParameter(std::string_view field) {
    ParamSplit split;
    if (field.empty()) {
        return split;
    }
    // The search starts after the first character, which belongs to the name even when it
    // is "=" itself.
    const std::size_t equals = field.find('=', 1);
    if (equals == std::string_view::npos) {
        split.name = field;
        return split;
    }
    split.name = field.substr(0, equals);
    split.value = field.substr(equals + 1);
    split.hasEquals = true;
    return split;
}

std::string RemovePlus(std::string_view name) {
    return name.size() <= 2 ? std::string() : std::string(name.substr(2));
}

namespace {

void AppendColumn(std::string& out, std::string_view text, bool spaceAfterFullColumn) {
    out += text;
    if (text.size() < kHeadColumn) {
        out.append(kHeadColumn - text.size(), ' ');
    } else if (spaceAfterFullColumn) {
        out += ' ';
    }
}

}  // namespace

std::string ComposeLine(std::string_view name, std::string_view parent, const ParamGrid& grid) {
    std::string line;
    AppendColumn(line, name, true);
    AppendColumn(line, parent, false);
    for (const GridRow& row : grid.Rows()) {
        if (row.value.empty()) {
            continue;
        }
        line += ' ';
        line += row.name.find('+') != std::string::npos ? RemovePlus(row.name) : row.name;
        line += '=';
        line += row.value;
    }
    return line;
}

}  // namespace skerry
