#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "app/template_document.hpp"

namespace skerry::ui {

// The parameter grid as Qt sees it: a view over the document's rows, not a copy. Names and
// descriptions are fixed columns; only the value column can be selected and edited, and an
// edit is a step of the document's history.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kNameColumn = 0;
    static constexpr int kDescriptionColumn = 1;
    static constexpr int kValueColumn = 2;

    explicit GridTableModel(TemplateDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Brackets a change of the rows made in the document, so that views redraw.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    // One value changed in the document.
    void ValueChanged(int row);

    // What the game makes of the value cells changed (any change of the template may change
    // it): values from elsewhere in grey italics, own values it does not apply struck
    // through, each with its tooltip.
    void CellsChanged();

  private:
    const ParamGrid& Grid() const { return document_.Grid(); }
    const ValueCell* CellAt(int row) const;
    TemplateDocument& document_;
};

}  // namespace skerry::ui
