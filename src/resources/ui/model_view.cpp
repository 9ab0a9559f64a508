#include "resources/ui/model_view.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

namespace skerry::ui {

ModelView::ModelView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ModelView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    setToolTip(QStringLiteral("Drag to turn the model"));
}

void ModelView::ShowModel(Model3do model, std::vector<Rgb> colours) {
    model_ = std::move(model);
    colours_ = std::move(colours);
    update();
}

void ModelView::ResetView() {
    view_ = ViewRotation{};
    update();
}

void ModelView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!model_) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const ModelPicture picture = PrepareModelPicture(*model_, colours_, view_, width(), height());
    QPolygonF polygon;
    for (const PictureFace& face : picture.faces) {
        polygon.clear();
        for (std::uint32_t k = face.first; k < face.first + face.count; ++k) {
            polygon.append(QPointF(picture.points[k].x, picture.points[k].y));
        }
        const QColor colour(face.colour.red, face.colour.green, face.colour.blue);
        // The edge in the face's own colour closes the hairline gaps antialiasing leaves
        // between neighbouring faces.
        painter.setPen(colour);
        painter.setBrush(colour);
        painter.drawPolygon(polygon);
    }
}

void ModelView::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position().toPoint();
}

void ModelView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint at = event->position().toPoint();
    view_ = TurnView(view_, at.x() - dragFrom_.x(), at.y() - dragFrom_.y());
    dragFrom_ = at;
    update();
}

}  // namespace skerry::ui
