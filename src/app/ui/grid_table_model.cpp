#include "app/ui/grid_table_model.hpp"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "common/ui/qt_text.hpp"

namespace skerry::ui {

GridTableModel::GridTableModel(TemplateDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document) {}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Grid().RowCount());
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const GridRow& row = Grid().Row(static_cast<std::size_t>(index.row()));
    const ValueCell* cell = index.column() == kValueColumn ? CellAt(index.row()) : nullptr;
    const CellLook look = cell != nullptr ? cell->look : CellLook::Empty;
    switch (role) {
        case Qt::DisplayRole:
            if (look == CellLook::Inherited) {
                return FromBytes(cell->text);
            }
            [[fallthrough]];
        case Qt::EditRole:
            switch (index.column()) {
                case kNameColumn:
                    return FromBytes(row.name);
                case kDescriptionColumn:
                    return FromBytes(row.description);
                case kValueColumn:
                    return FromBytes(row.value);
                default:
                    return {};
            }
        case Qt::BackgroundRole:
            // Fixed columns in the face colour of buttons, values on the grid's grey.
            return QBrush(index.column() == kValueColumn ? QColor(0xd8, 0xd8, 0xd8)
                                                         : QColor(0xb8, 0xb8, 0xb8));
        case Qt::ForegroundRole:
            // Fixed columns are not enabled, yet must read as plainly as the values.
            return QBrush(look == CellLook::Inherited ? QColor(0x6e, 0x6e, 0x6e)
                                                      : QColor(Qt::black));
        case Qt::FontRole:
            if (look == CellLook::Inherited || look == CellLook::NotApplied) {
                QFont font;
                font.setItalic(look == CellLook::Inherited);
                font.setStrikeOut(look == CellLook::NotApplied);
                return font;
            }
            // A kept field reads apart from the type's own parameters.
            if (row.Kept() && index.column() != kValueColumn) {
                QFont font;
                font.setBold(true);
                font.setItalic(true);
                return font;
            }
            return {};
        case Qt::ToolTipRole:
            if (cell != nullptr && !cell->tip.empty()) {
                return FromBytes(cell->tip);
            }
            return index.column() == kDescriptionColumn ? FromBytes(row.description) : QVariant();
        default:
            return {};
    }
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != kValueColumn || role != Qt::EditRole ||
        index.row() >= rowCount()) {
        return false;
    }
    // The document tells the view of the change, as it does for every value.
    document_.SetValue(static_cast<std::size_t>(index.row()), ToBytes(value.toString()));
    return true;
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.column() != kValueColumn) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridTableModel::CellsChanged() {
    if (rowCount() > 0) {
        emit dataChanged(index(0, kValueColumn), index(rowCount() - 1, kValueColumn),
                         {Qt::DisplayRole, Qt::FontRole, Qt::ForegroundRole, Qt::ToolTipRole});
    }
}

const ValueCell* GridTableModel::CellAt(int row) const {
    const std::vector<ValueCell>& cells = document_.Cells();
    // Cells made for other rows (the grid reloaded since) are not shown.
    if (cells.size() != Grid().RowCount() || row < 0 ||
        static_cast<std::size_t>(row) >= cells.size()) {
        return nullptr;
    }
    return &cells[static_cast<std::size_t>(row)];
}

void GridTableModel::ValueChanged(int row) {
    const QModelIndex cell = index(row, kValueColumn);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace skerry::ui
