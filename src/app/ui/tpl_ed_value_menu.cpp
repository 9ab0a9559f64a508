// The main window's context menu on value cells: the radius of the model the template names,
// for the rows whose description calls them the 3do radius.
#include <QAction>
#include <QMenu>
#include <QTableView>

#include "app/ui/app_windows.hpp"
#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/model_preview.hpp"

namespace skerry::ui {

namespace {

bool TakesModelRadius(const GridRow& row) {
    return !row.Kept() && (row.name == "size" || row.name == "movesize");
}

}  // namespace

void TTplEd::BuildValueMenu() {
    ValueMenu = new QMenu(this);
    ValueMenu->setObjectName(QStringLiteral("ValueMenu"));
    ValueMenu->setToolTipsVisible(true);
    RadiusOfModel1 = ValueMenu->addAction(QStringLiteral("Radius of the model"));
    RadiusOfModel1->setObjectName(QStringLiteral("RadiusOfModel1"));
    SG1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SG1, &QWidget::customContextMenuRequested, this, &TTplEd::SG1ContextMenu);
    connect(RadiusOfModel1, &QAction::triggered, this, &TTplEd::RadiusOfModel1Click);
}

void TTplEd::SG1ContextMenu(const QPoint& position) {
    CommitPendingEdit();
    const QModelIndex cell = SG1->indexAt(position);
    if (!cell.isValid() || cell.column() != GridTableModel::kValueColumn ||
        !TakesModelRadius(Grid().Row(static_cast<std::size_t>(cell.row())))) {
        return;
    }
    // The model is looked up as the picker would find it, in the containers of the run.
    std::string model;
    for (const GridRow& row : Grid().Rows()) {
        if (row.name == "+ model3d") {
            model = row.value;
            break;
        }
    }
    const ListedModel listed = document_.ReadModel(model);
    const std::string detail =
        listed.model ? ModelNumberText(listed.model->radius) : listed.message;
    radiusRow_ = cell.row();
    radiusText_ = listed.model ? detail : std::string();
    RadiusOfModel1->setEnabled(listed.model.has_value());
    RadiusOfModel1->setText(QStringLiteral("Radius of the model: %1").arg(FromBytes(detail)));
    RadiusOfModel1->setToolTip(FromBytes(detail));
    ValueMenu->popup(SG1->viewport()->mapToGlobal(position));
}

void TTplEd::RadiusOfModel1Click() {
    if (radiusText_.empty()) {
        return;
    }
    if (radiusRow_ >= 0) {
        document_.SetValue(static_cast<std::size_t>(radiusRow_), radiusText_);
    }
    ViewSBClick();
}

}  // namespace skerry::ui
