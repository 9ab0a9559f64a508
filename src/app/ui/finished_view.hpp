#pragma once

#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editors/finished_template.hpp"
#include "resources/model_radii.hpp"
#include "settings/settings.hpp"
#include "template/param_grid.hpp"
#include "template/template_store.hpp"

class QWidget;

namespace skerry::ui {

class FinishedTemplateWindow;
class GridTableModel;

// What the game makes of the template being edited, kept in step with it: the grid's cells of
// inherited and not applied values, and the window View > What the game uses.
class FinishedView {
  public:
    FinishedView(const ParamGrid& grid, GridTableModel& model, const TemplateStore& templates,
                 const Settings& settings, QWidget* owner);
    ~FinishedView();

    // After any change of the template: its name, parent or rows, the template file the names
    // come from, or the containers models are read from.
    void Update(const std::string& name, const std::string& parent,
                std::vector<std::filesystem::path> containers);
    void ShowWindow();
    FinishedTemplateWindow& Window();
    const FinishedTemplate& Finished() const { return finished_; }

  private:
    const ParamGrid& grid_;
    GridTableModel& model_;
    const TemplateStore& templates_;
    const Settings& settings_;
    QWidget* owner_;
    std::unique_ptr<TemplateSource> source_;  // the template table, indexed once per scan
    std::uint64_t generation_ = 0;
    ModelRadii radii_;
    FinishedTemplate finished_;
    QPointer<FinishedTemplateWindow> window_;
};

}  // namespace skerry::ui
