#include "editors/finished_cells.hpp"

#include <map>

#include "common/names.hpp"
#include "template/template_line.hpp"

namespace skerry {

namespace {

// The parameter a row sets, in lower case; empty for a kept word.
std::string RowKey(const GridRow& row) {
    switch (row.kind) {
        case RowKind::Catalogue:
            return row.name.find('+') != std::string::npos ? RemovePlus(row.name) : row.name;
        case RowKind::KeptField:
            return LowerAscii(row.name);
        case RowKind::KeptWord:
            break;
    }
    return {};
}

std::string Source(const FinishedParam& param) {
    std::string tip = param.fromModel ? "the radius of " + param.model : "from " + param.from;
    if (!param.note.empty()) {
        tip += "; " + param.note;
    }
    return tip;
}

}  // namespace

std::vector<GridField> GridFields(const ParamGrid& grid) {
    std::vector<GridField> fields;
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
        // A value with blanks in it makes several fields of the line, as Save writes it.
        ForEachField(RowFieldText(grid.Row(row)), [&](std::string_view field) {
            if (!field.empty()) {
                fields.push_back({row, std::string(field)});
            }
            return true;
        });
    }
    return fields;
}

FinishedTemplate FinishGrid(const TemplateSource& source, Game game, const ModelRadius& radius,
                            std::string_view name, std::string_view parent, const ParamGrid& grid) {
    const std::vector<GridField> fields = GridFields(grid);
    std::vector<std::string_view> views;
    views.reserve(fields.size());
    for (const GridField& field : fields) {
        views.push_back(field.text);
    }
    Resolver resolver(source, game, radius);
    resolver.ApplyOutside(name, parent, views);
    return resolver.Finished();
}

std::vector<ValueCell> FinishedCells(const ParamGrid& grid, const FinishedTemplate& finished) {
    std::vector<ValueCell> cells(grid.RowCount());
    const std::vector<GridField> fields = GridFields(grid);
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
        if (!grid.Row(row).value.empty()) {
            cells[row].look = CellLook::Own;
        }
    }
    // What the game takes from elsewhere, parameter by parameter, in the order it came.
    std::map<std::string, std::vector<const FinishedParam*>, std::less<>> elsewhere;
    for (const FinishedParam& param : finished.params) {
        if (!param.own) {
            elsewhere[param.name].push_back(&param);
        }
    }
    for (const UnappliedField& unapplied : finished.unapplied) {
        if (unapplied.field >= fields.size()) {
            continue;
        }
        ValueCell& cell = cells[fields[unapplied.field].row];
        if (cell.look == CellLook::NotApplied) {
            continue;  // the first reason of a row is enough
        }
        cell.look = CellLook::NotApplied;
        cell.tip = unapplied.reason;
        const auto kept = elsewhere.find(RowKey(grid.Row(fields[unapplied.field].row)));
        if (kept != elsewhere.end()) {
            const FinishedParam& param = *kept->second.front();
            cell.tip += " (the game keeps " + param.value + ", " + Source(param) + ")";
        }
    }
    std::map<std::string, std::size_t, std::less<>> taken;
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
        const GridRow& cells_row = grid.Row(row);
        if (!cells_row.value.empty()) {
            continue;
        }
        const std::string key = RowKey(cells_row);
        const auto values = elsewhere.find(key);
        if (key.empty() || values == elsewhere.end()) {
            continue;
        }
        std::size_t& next = taken[key];
        if (next < values->second.size()) {
            const FinishedParam& param = *values->second[next++];
            cells[row] = {CellLook::Inherited, param.value, Source(param)};
        }
    }
    return cells;
}

}  // namespace skerry
