#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skerry {

// Where a grid row comes from. The type's rows come from the catalogue. An opened template's
// own fields that those rows have no place for are kept in rows of their own after them, as
// read, so that nothing of a template's line is lost by opening and saving it again.
enum class RowKind {
    Catalogue,
    KeptField,  // param=value: written back as name=value while the value is not empty
    KeptWord,   // a field without "=": written back as the value alone
};

// One row of the parameter grid: name (column 0), description (column 1), value (column 2).
struct GridRow {
    std::string name;
    std::string description;
    std::string value;
    RowKind kind = RowKind::Catalogue;

    bool Kept() const { return kind != RowKind::Catalogue; }
};

// The rows of the main window's parameter grid. The window's table view reads and edits
// this one copy; nothing else holds the rows.
class ParamGrid {
  public:
    static constexpr std::size_t kStartRows = 4;

    ParamGrid() : rows_(kStartRows) {}

    std::size_t RowCount() const { return rows_.size(); }
    void SetRowCount(std::size_t count) { rows_.resize(count); }

    void AddRow(GridRow row) { rows_.push_back(std::move(row)); }

    GridRow& Row(std::size_t index) { return rows_.at(index); }
    const GridRow& Row(std::size_t index) const { return rows_.at(index); }
    const std::vector<GridRow>& Rows() const { return rows_; }

  private:
    std::vector<GridRow> rows_;
};

}  // namespace skerry
