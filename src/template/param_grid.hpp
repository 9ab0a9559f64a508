#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skerry {

// One row of the parameter grid: name (column 0), description (column 1), value (column 2).
struct GridRow {
    std::string name;
    std::string description;
    std::string value;
};

// The rows of the main window's parameter grid. The window's table view reads and edits
// this one copy; nothing else holds the rows.
class ParamGrid {
  public:
    static constexpr std::size_t kStartRows = 4;

    ParamGrid() : rows_(kStartRows) {}

    std::size_t RowCount() const { return rows_.size(); }
    void SetRowCount(std::size_t count) { rows_.resize(count); }

    GridRow& Row(std::size_t index) { return rows_.at(index); }
    const GridRow& Row(std::size_t index) const { return rows_.at(index); }
    const std::vector<GridRow>& Rows() const { return rows_; }

  private:
    std::vector<GridRow> rows_;
};

}  // namespace skerry
