#include "app/ui/finished_view.hpp"

#include "app/ui/grid_table_model.hpp"
#include "editors/finished_cells.hpp"
#include "editors/ui/finished_template_window.hpp"

namespace skerry::ui {

FinishedView::FinishedView(const ParamGrid& grid, GridTableModel& model,
                           const TemplateStore& templates, const Settings& settings, QWidget* owner)
    : grid_(grid), model_(model), templates_(templates), settings_(settings), owner_(owner) {}

FinishedView::~FinishedView() = default;

void FinishedView::Update(const std::string& name, const std::string& parent,
                          std::vector<std::filesystem::path> containers) {
    if (!source_ || generation_ != templates_.Generation()) {
        source_ = std::make_unique<TemplateSource>();
        source_->AddTable(templates_.Templates());
        source_->Index(false);
        generation_ = templates_.Generation();
    }
    radii_.SetContainers(std::move(containers));
    const Game game = settings_.motsDialect ? Game::Mots : Game::JediKnight;
    finished_ = FinishGrid(
        *source_, game, [this](std::string_view model) { return radii_.Radius(model); }, name,
        parent, grid_);
    model_.SetCells(FinishedCells(grid_, finished_));
    if (window_ && window_->isVisible()) {
        window_->ShowFinished(finished_);
    }
}

FinishedTemplateWindow& FinishedView::Window() {
    if (!window_) {
        window_ = new FinishedTemplateWindow(owner_);
    }
    return *window_;
}

void FinishedView::ShowWindow() {
    FinishedTemplateWindow& window = Window();
    window.ShowFinished(finished_);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace skerry::ui
