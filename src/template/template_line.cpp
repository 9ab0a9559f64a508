#include "template/template_line.hpp"

#include <algorithm>

namespace skerry {

std::string TabConvert(std::string line) {
    TabConvertTail(line, 0);
    return line;
}

void TabConvertTail(std::string& text, std::size_t from) {
    // A line holds few tabs; searching for them is several times faster than testing every
    // byte.
    for (std::size_t tab = text.find('\t', from); tab != std::string::npos;
         tab = text.find('\t', tab + 1)) {
        text[tab] = ' ';
    }
}

void FieldViews(std::string_view line, std::span<std::string_view> fields) {
    std::size_t start = 0;
    for (std::string_view& field : fields) {
        const std::size_t space = line.find(' ', start);
        field = line.substr(start, space == std::string_view::npos ? line.npos : space - start);
        if (space == std::string_view::npos) {
            return;
        }
        // The rest of the run separates nothing more; spaces up to the end leave one empty
        // field.
        start = line.find_first_not_of(' ', space);
        if (start == std::string_view::npos) {
            start = line.size();
        }
    }
}

std::vector<std::string> AllFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t space = line.find(' ', start);
        fields.emplace_back(
            line.substr(start, space == std::string_view::npos ? line.npos : space - start));
        if (space == std::string_view::npos) {
            return fields;
        }
        start = line.find_first_not_of(' ', space);
        if (start == std::string_view::npos) {
            start = line.size();
        }
    }
}

Fields SplitFields(std::string_view line) {
    std::array<std::string_view, kMaxFields> views;
    FieldViews(line, views);
    Fields fields;
    for (std::size_t i = 0; i < kMaxFields; ++i) {
        fields[i] = views[i];
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
        switch (row.kind) {
            case RowKind::Catalogue:
                line += row.name.find('+') != std::string::npos ? RemovePlus(row.name) : row.name;
                line += '=';
                break;
            case RowKind::KeptField:
                // As read: a kept name carries no picker mark to remove.
                line += row.name;
                line += '=';
                break;
            case RowKind::KeptWord:
                break;
        }
        line += row.value;
    }
    return line;
}

}  // namespace skerry
