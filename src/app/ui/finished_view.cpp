#include "app/ui/finished_view.hpp"

#include "editors/ui/finished_template_window.hpp"

namespace skerry::ui {

FinishedView::FinishedView(TemplateDocument& document, QWidget* owner)
    : document_(document), owner_(owner) {}

FinishedView::~FinishedView() = default;

void FinishedView::Update() {
    if (window_ && window_->isVisible()) {
        window_->ShowFinished(document_.Finished());
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
    window.ShowFinished(document_.Finished());
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace skerry::ui
