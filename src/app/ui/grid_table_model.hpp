#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "editors/finished_cells.hpp"
#include "template/param_grid.hpp"

namespace skerry::ui {

// The parameter grid as Qt sees it: a view over the core's rows, not a copy. Names and
// descriptions are fixed columns; only the value column can be selected and edited.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kNameColumn = 0;
    static constexpr int kDescriptionColumn = 1;
    static constexpr int kValueColumn = 2;

    explicit GridTableModel(ParamGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Brackets a change of the rows made through the core, so that views redraw.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    // One value changed through the core.
    void ValueChanged(int row);

    // What the game makes of each value cell: values from elsewhere in grey italics, own
    // values it does not apply struck through, each with its tooltip.
    void SetCells(std::vector<ValueCell> cells);

  private:
    const ValueCell* CellAt(int row) const;

    ParamGrid& grid_;
    std::vector<ValueCell> cells_;
};

}  // namespace skerry::ui
