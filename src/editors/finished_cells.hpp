#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/finished_template.hpp"
#include "template/param_grid.hpp"

namespace skerry {

// The grid beside what the game makes of it: which own values it does not apply, and what the
// game uses where the template gives nothing of its own.

// One field of the line the grid writes after the name and parent, with its row.
struct GridField {
    std::size_t row = 0;
    std::string text;
};
std::vector<GridField> GridFields(const ParamGrid& grid);

// The finished template of the grid's template over the chain its parent has in the source.
FinishedTemplate FinishGrid(const TemplateSource& source, Game game, const ModelRadius& radius,
                            std::string_view name, std::string_view parent, const ParamGrid& grid);

enum class CellLook : std::uint8_t {
    Empty,       // no value of its own, nor one the game takes from elsewhere
    Own,         // its own value, which the game applies
    NotApplied,  // its own value, which the game does not apply (tip: why)
    Inherited,   // the value the game takes from a parent or the model (tip: from where)
};
struct ValueCell {
    CellLook look = CellLook::Empty;
    std::string text;  // for Inherited: the value shown in place of the empty one
    std::string tip;
};

// A cell for every row of the grid. The k-th row of a parameter without a value of its own
// shows the k-th value of it that the template's own fields did not give (the four debris rows
// take the debris the parents set in turn).
std::vector<ValueCell> FinishedCells(const ParamGrid& grid, const FinishedTemplate& finished);

}  // namespace skerry
