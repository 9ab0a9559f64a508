#include "template/open_template.hpp"

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

std::vector<ParamSplit> TemplateParameters(const Fields& fields) {
    std::vector<ParamSplit> pairs;
    for (std::size_t i = 2; i < fields.size(); ++i) {
        if (fields[i].empty()) {
            continue;
        }
        ParamSplit split = SplitParameter(fields[i]);
        if (split.hasEquals) {
            pairs.push_back(std::move(split));
        }
    }
    return pairs;
}

std::vector<std::string> FillParameters(ParamGrid& grid, const std::vector<ParamSplit>& pairs) {
    std::vector<std::string> unmatched;
    std::map<std::string, std::size_t> seen;
    for (const ParamSplit& pair : pairs) {
        const std::string marked = "+ " + pair.name;
        std::vector<std::size_t> rows;
        for (std::size_t r = 0; r < grid.RowCount(); ++r) {
            const std::string& rowName = grid.Row(r).name;
            if (rowName == pair.name || rowName == marked) {
                rows.push_back(r);
            }
        }
        if (rows.empty()) {
            unmatched.push_back(pair.name);
            continue;
        }
        const std::size_t occurrence = seen[pair.name]++;
        grid.Row(rows[std::min(occurrence, rows.size() - 1)]).value = pair.value;
    }
    return unmatched;
}

void FillGridTpl(ParamGrid& grid, const Fields& fields) {
    FillParameters(grid, TemplateParameters(fields));
}

OpenedTemplate OpenTemplate(TemplateStore& store, std::string_view name) {
    OpenedTemplate opened;
    opened.walk = WalkParents(store, name);
    if (!opened.walk.ok) {
        return opened;
    }
    LoadGridMain(opened.grid, opened.walk.typeText);
    store.Lookup(name);
    const Fields& fields = store.FoundFields();
    opened.name = std::string(name);
    opened.parent = fields[1];
    FillGridTpl(opened.grid, fields);
    if (opened.parent != "none" && opened.grid.RowCount() > 0) {
        opened.grid.Row(0).value.clear();
    }
    opened.line = ComposeLine(opened.name, opened.parent, opened.grid);
    return opened;
}

}  // namespace skerry
