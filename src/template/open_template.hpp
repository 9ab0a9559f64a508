#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "template/param_grid.hpp"
#include "template/template_line.hpp"
#include "template/template_store.hpp"

namespace skerry {

// The walk from a template up its parents to the first one that names its type among its
// first ten fields. It ends with a message when a parent is missing, the parents loop, or no
// template of the chain names a type.
struct ParentWalk {
    bool ok = false;
    std::string typeText;                    // the value of the "type=" field that ends the walk
    std::vector<std::string> ancestorLines;  // parent first
    std::string error;
};
ParentWalk WalkParents(TemplateStore& store, std::string_view name);

// The descriptions of the rows that keep an opened template's fields the type's rows have no
// place for.
inline constexpr std::string_view kKeptFieldDescription = "not in this type's list; kept as read";
inline constexpr std::string_view kKeptRepeatDescription =
    "more of these than this type's rows hold; kept as read";
inline constexpr std::string_view kKeptWordDescription = "a field without \"=\"; kept as read";

// The fields of a template line from its third on, each cut at its first "=". Empty fields
// (trailing blanks) are no fields.
std::vector<ParamSplit> TemplateParameters(const std::vector<std::string>& fields);
std::vector<ParamSplit> TemplateParameters(const Fields& fields);

// Writes a template's fields into the grid: the k-th field of a name goes into the k-th row of
// that name (plain or with the picker mark), so the four debris rows take four debris in turn.
// A field whose name has no row, or no row left, and a word without "=", go into kept rows
// after the type's rows, in the order read. Returns the names of the kept fields.
std::vector<std::string> FillParameters(ParamGrid& grid, const std::vector<ParamSplit>& pairs);
void FillGridTpl(ParamGrid& grid, const Fields& fields);

// A template opened as Open does it: the chain's type loads the grid, the template's own
// fields fill it (every one of them, kept rows included), and the type row keeps a value only
// when the template's own line names its type. The line is what Save would write right away.
// When ok is false, error says why (a broken chain, a type Skerry does not know).
struct OpenedTemplate {
    bool ok = false;
    std::string error;
    ParentWalk walk;
    ParamGrid grid;
    std::string name;
    std::string parent;
    std::string line;
};
OpenedTemplate OpenTemplate(TemplateStore& store, std::string_view name);

}  // namespace skerry
