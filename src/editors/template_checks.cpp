#include "editors/template_checks.hpp"

namespace skerry {

GridSearch IsInGrid(const ParamGrid& grid, std::string_view name) {
    GridSearch found;
    for (const GridRow& row : grid.Rows()) {
        if (row.name == name) {
            found.inGrid = true;
            if (!row.value.empty()) {
                found.valueEmpty = false;
            }
        }
    }
    return found;
}

bool PhysicsFlagsWithoutPhysicsMove(const ParamGrid& grid) {
    // A grid shorter than the generic rows has no "move" row: read it as not set.
    const std::string_view move =
        kMoveRow < grid.RowCount() ? std::string_view(grid.Row(kMoveRow).value) : "";
    const GridSearch physflags = IsInGrid(grid, "+ physflags");
    return physflags.inGrid && !physflags.valueEmpty && move != "physics";
}

bool HasDebris(const ParamGrid& grid) {
    const GridSearch debris = IsInGrid(grid, "debris");
    return debris.inGrid && !debris.valueEmpty;
}

std::vector<std::string> DoChecks(const ParamGrid& grid) {
    std::vector<std::string> report;
    if (PhysicsFlagsWithoutPhysicsMove(grid)) {
        report.emplace_back(kMoveFinding);
    }
    if (HasDebris(grid)) {
        report.emplace_back(kDebrisFinding);
    }
    return report;
}

}  // namespace skerry
