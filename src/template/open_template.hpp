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

// Writes a template's param=value fields (2 to 49) into the grid rows of their names. When a
// name stands in several rows (the four debris rows), its values fill those rows in turn,
// so no value is lost and none is repeated. Fields without "=" are not parameters.
void FillGridTpl(ParamGrid& grid, const Fields& fields);

// The parameters of a template's fields, in field order.
std::vector<ParamSplit> TemplateParameters(const Fields& fields);

// Writes pairs into the grid: the k-th pair of a name goes into the k-th row of that name
// (plain or with the picker mark); a pair beyond that name's rows overwrites its last row.
// Returns the names that match no row.
std::vector<std::string> FillParameters(ParamGrid& grid, const std::vector<ParamSplit>& pairs);

// The line Save would write right after Open of name: the chain's grid, the template's own
// fields, the type row emptied when the parent is not "none".
struct OpenedTemplate {
    ParentWalk walk;
    ParamGrid grid;
    std::string name;
    std::string parent;
    std::string line;
};
OpenedTemplate OpenTemplate(TemplateStore& store, std::string_view name);

}  // namespace skerry
