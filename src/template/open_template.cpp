#include "template/open_template.hpp"

#include <algorithm>
#include <map>
#include <set>

#include "template/catalogue.hpp"

namespace skerry {

namespace {

constexpr std::size_t kTypeFieldsSearched = 10;

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

}  // namespace

ParentWalk WalkParents(TemplateStore& store, std::string_view name) {
    ParentWalk walk;
    // Unused table entries have empty names, so an empty name is never a template.
    if (name.empty() || !store.Lookup(name)) {
        walk.error = "Template " + Quoted(name) + " is not in the template file";
        return walk;
    }
    std::set<std::string> visited{std::string(name)};
    while (true) {
        const Fields& fields = store.FoundFields();
        const std::string* typeField = nullptr;
        for (std::size_t i = 0; i < kTypeFieldsSearched; ++i) {
            if (fields[i].find("type=") != std::string::npos) {
                typeField = &fields[i];
            }
        }
        if (typeField != nullptr) {
            walk.typeText = SplitParameter(*typeField).value;
            walk.ok = true;
            return walk;
        }
        const std::string current = fields[0];
        const std::string parent = fields[1];
        if (parent.empty() || parent == "none") {
            walk.error = "No template in the chain of " + Quoted(name) + " names its type";
            return walk;
        }
        if (!visited.insert(parent).second) {
            walk.error = "The parents of " + Quoted(name) + " lead back to " + Quoted(parent);
            return walk;
        }
        const std::optional<std::string> line = store.Lookup(parent);
        if (!line) {
            walk.error = "The parent " + Quoted(parent) + " of " + Quoted(current) +
                         " is not in the template file";
            return walk;
        }
        walk.ancestorLines.push_back(*line);
    }
}

namespace {

template <typename FieldList>
std::vector<ParamSplit> ParametersOf(const FieldList& fields) {
    std::vector<ParamSplit> pairs;
    for (std::size_t i = 2; i < fields.size(); ++i) {
        if (!fields[i].empty()) {
            pairs.push_back(SplitParameter(fields[i]));
        }
    }
    return pairs;
}

std::string KnownTypes() {
    std::string list;
    for (const std::string_view word : catalogue::kTypeWords) {
        list += list.empty() ? "" : ", ";
        list += word;
    }
    return list;
}

}  // namespace

std::vector<ParamSplit> TemplateParameters(const std::vector<std::string>& fields) {
    return ParametersOf(fields);
}

std::vector<ParamSplit> TemplateParameters(const Fields& fields) {
    return ParametersOf(fields);
}

std::vector<std::string> FillParameters(ParamGrid& grid, const std::vector<ParamSplit>& pairs) {
    std::vector<std::string> kept;
    std::map<std::string, std::size_t> seen;
    const std::size_t typeRows = grid.RowCount();  // kept rows added below take no values
    for (const ParamSplit& pair : pairs) {
        if (!pair.hasEquals) {
            grid.AddRow(
                {pair.name, std::string(kKeptWordDescription), pair.name, RowKind::KeptWord});
            kept.push_back(pair.name);
            continue;
        }
        const std::string marked = "+ " + pair.name;
        std::vector<std::size_t> rows;
        for (std::size_t r = 0; r < typeRows; ++r) {
            const GridRow& row = grid.Row(r);
            if (!row.Kept() && (row.name == pair.name || row.name == marked)) {
                rows.push_back(r);
            }
        }
        const std::size_t occurrence = seen[pair.name]++;
        if (occurrence < rows.size()) {
            grid.Row(rows[occurrence]).value = pair.value;
            continue;
        }
        const std::string_view why = rows.empty() ? kKeptFieldDescription : kKeptRepeatDescription;
        grid.AddRow({pair.name, std::string(why), pair.value, RowKind::KeptField});
        kept.push_back(pair.name);
    }
    return kept;
}

void FillGridTpl(ParamGrid& grid, const Fields& fields) {
    FillParameters(grid, TemplateParameters(fields));
}

OpenedTemplate OpenTemplate(TemplateStore& store, std::string_view name) {
    OpenedTemplate opened;
    opened.walk = WalkParents(store, name);
    if (!opened.walk.ok) {
        opened.error = opened.walk.error;
        return opened;
    }
    if (!LoadGridMain(opened.grid, opened.walk.typeText)) {
        opened.error = "The type " + Quoted(opened.walk.typeText) + " of " + Quoted(name) +
                       " is none of the types Skerry knows (" + KnownTypes() + ")";
        return opened;
    }
    // Every field of the template's own line, not only the fifty the lookup keeps.
    const std::vector<std::string> fields = AllFields(store.Lookup(name).value_or(""));
    opened.name = std::string(name);
    opened.parent = fields.size() > 1 ? fields[1] : std::string();
    const std::vector<ParamSplit> pairs = TemplateParameters(fields);
    FillParameters(opened.grid, pairs);
    // A type inherited from a parent is not the template's own, so it is not written back; a
    // type the template names itself is.
    const bool namesItsType = std::any_of(pairs.begin(), pairs.end(), [](const ParamSplit& p) {
        return p.hasEquals && p.name == "type";
    });
    if (!namesItsType && opened.grid.RowCount() > 0) {
        opened.grid.Row(0).value.clear();
    }
    opened.line = ComposeLine(opened.name, opened.parent, opened.grid);
    opened.ok = true;
    return opened;
}

}  // namespace skerry
