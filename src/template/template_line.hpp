#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "template/param_grid.hpp"

namespace skerry {

// A template line has at most this many space-separated fields; later ones are not kept.
inline constexpr std::size_t kMaxFields = 50;
using Fields = std::array<std::string, kMaxFields>;

// Name and parent each fill a column of this width in a composed line.
inline constexpr std::size_t kHeadColumn = 17;

// Every tab becomes one space (no tab stops), so the line keeps its length.
std::string TabConvert(std::string line);
// The same, in place, for the text from `from` on (a line just added at the end).
void TabConvertTail(std::string& text, std::size_t from);

// Cuts a tab-converted line at spaces. The first space of every run starts the next field,
// so a leading space leaves field 0 empty and trailing spaces leave one empty field.
Fields SplitFields(std::string_view line);
// Calls each(field) for the fields of the same cut in order, as views into line, until each
// returns false.
template <typename Each>
void ForEachField(std::string_view line, Each&& each) {
    std::size_t start = 0;
    while (true) {
        const std::size_t space = line.find(' ', start);
        if (!each(
                line.substr(start, space == std::string_view::npos ? line.npos : space - start)) ||
            space == std::string_view::npos) {
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
// Every field of the same cut, however many the line holds.
std::vector<std::string> AllFields(std::string_view line);
// The first fields.size() fields of the same cut, as views into line; fields the line does
// not have are left as they are.
void FieldViews(std::string_view line, std::span<std::string_view> fields);

// A param=value field cut at its first "=" (the first character always belongs to the
// name). hasEquals is false for a field without "=": such a field is no parameter.
struct ParamSplit {
    std::string name;
    std::string value;
    bool hasEquals = false;
};
ParamSplit SplitParameter(std::string_view field);
// The same cut, as views into field.
struct ParamView {
    std::string_view name;
    std::string_view value;
    bool hasEquals = false;
};
ParamView SplitParameterView(std::string_view field);

// The parameter key of a grid name: the name without its first two characters ("+ ").
std::string RemovePlus(std::string_view name);

// What a grid row writes into the line: "name=value" (the picker mark taken off), a kept word
// as read; nothing for a row without a value.
std::string RowFieldText(const GridRow& row);

// The composed template line: name and parent each padded to 17 columns, then
// " name=value" for every grid row with a value, in grid order (kept rows as they were read).
// A name of 17 characters or more is followed by one space so that it stays a field of its
// own.
std::string ComposeLine(std::string_view name, std::string_view parent, const ParamGrid& grid);

}  // namespace skerry
