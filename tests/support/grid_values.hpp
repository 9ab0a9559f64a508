#pragma once

#include <string>

#include "template/param_grid.hpp"

namespace skerry::testing {

// Sets the value of every row named key, or key with the picker mark in front.
inline void SetEvery(ParamGrid& grid, const std::string& key, const std::string& value) {
    for (std::size_t r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).name == key || grid.Row(r).name == "+ " + key) {
            grid.Row(r).value = value;
        }
    }
}

}  // namespace skerry::testing
