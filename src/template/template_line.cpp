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
    if (fields.empty()) {
        return;
    }
    std::size_t i = 0;
    ForEachField(line, [&](std::string_view field) {
        fields[i++] = field;
        return i < fields.size();
    });
}

std::vector<std::string> AllFields(std::string_view line) {
    std::vector<std::string> fields;
    ForEachField(line, [&fields](std::string_view field) {
        fields.emplace_back(field);
        return true;
    });
    return fields;
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
    const ParamView view = SplitParameterView(field);
    return {std::string(view.name), std::string(view.value), view.hasEquals};
}

ParamView SplitParameterView(std::string_view field) {
    ParamView split;
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

void AppendRowField(std::string& out, const GridRow& row) {
    switch (row.kind) {
        case RowKind::Catalogue:
            out += row.name.find('+') != std::string::npos ? RemovePlus(row.name) : row.name;
            out += '=';
            break;
        case RowKind::KeptField:
            // As read: a kept name carries no picker mark to remove.
            out += row.name;
            out += '=';
            break;
        case RowKind::KeptWord:
            break;
    }
    out += row.value;
}

}  // namespace

std::string RowFieldText(const GridRow& row) {
    std::string text;
    if (!row.value.empty()) {
        AppendRowField(text, row);
    }
    return text;
}

std::string ComposeLine(std::string_view name, std::string_view parent, const ParamGrid& grid) {
    std::string line;
    AppendColumn(line, name, true);
    AppendColumn(line, parent, false);
    for (const GridRow& row : grid.Rows()) {
        if (!row.value.empty()) {
            line += ' ';
            AppendRowField(line, row);
        }
    }
    return line;
}

}  // namespace skerry
