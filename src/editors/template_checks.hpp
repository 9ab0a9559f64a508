#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "template/param_grid.hpp"

namespace skerry {

// The checker's two findings, one report line each.
inline constexpr std::string_view kMoveFinding =
    "ERROR --  \"move\" must be set to \"physics\" to use physics flags.";
inline constexpr std::string_view kDebrisFinding =
    "Info --  To use more than 1 debris the \"typeflag 0x80 RandDebris\" must also be set";

// Every type's grid starts with the same generic rows; the fourth is "move".
inline constexpr std::size_t kMoveRow = 3;

// What a search of the grid for one parameter name found.
struct GridSearch {
    bool inGrid = false;     // some row carries the name
    bool valueEmpty = true;  // no such row has a value
};

// Visits every row, since several rows may carry the same name (explosion has four "debris").
GridSearch IsInGrid(const ParamGrid& grid, std::string_view name);

// Physics flags are set but "move" is not exactly "physics" (CkMove).
bool PhysicsFlagsWithoutPhysicsMove(const ParamGrid& grid);
// Some debris row has a value: a reminder that more than one needs the RandDebris flag
// (CkDebris).
bool HasDebris(const ParamGrid& grid);

// The report lines, the move finding before the debris finding; empty when all is well.
std::vector<std::string> DoChecks(const ParamGrid& grid);

}  // namespace skerry
