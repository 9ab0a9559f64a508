#include "template/param_grid.hpp"

namespace skerry {

std::size_t ParamGrid::SetParameter(const std::string& key, const std::string& value) {
    const std::string marked = "+ " + key;
    std::size_t taken = 0;
    for (GridRow& row : rows_) {
        if (row.name == key || row.name == marked) {
            row.value = value;
            ++taken;
        }
    }
    return taken;
}

}  // namespace skerry
