#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "resources/mat_fileops.hpp"
#include "resources/model_3do.hpp"
#include "resources/model_preview.hpp"

namespace skerry::ui {

// The picker's picture of a model: its first geoset's faces filled far to near in their
// materials' colours, turned by dragging with the mouse.
class ModelView : public QWidget {
    Q_OBJECT
  public:
    explicit ModelView(QWidget* parent = nullptr);

    // Draws this model in these colours, one per material, from the side it is seen from now.
    void ShowModel(Model3do model, std::vector<Rgb> colours);
    // Back to the side a model is first seen from.
    void ResetView();
    const ViewRotation& View() const { return view_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    std::optional<Model3do> model_;
    std::vector<Rgb> colours_;
    ViewRotation view_;
    QPoint dragFrom_;
};

}  // namespace skerry::ui
