#include "app/ui/artwork.hpp"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skerry::ui {

void DrawSkerry(QPainter& p, const QRectF& area) {
    // Designed on a 160 x 120 canvas and scaled to the area.
    p.save();
    p.translate(area.topLeft());
    p.scale(area.width() / 160.0, area.height() / 120.0);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 78);
    sky.setColorAt(0, QColor(0, 40, 48));
    sky.setColorAt(1, QColor(0, 128, 128));
    p.fillRect(QRectF(0, 0, 160, 78), sky);
    p.fillRect(QRectF(0, 78, 160, 42), QColor(0, 24, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 200));
    p.drawEllipse(QPointF(122, 26), 11, 11);
    QPainterPath rock;
    rock.moveTo(20, 82);
    rock.cubicTo(38, 48, 60, 42, 78, 56);
    rock.cubicTo(92, 38, 116, 50, 140, 82);
    rock.closeSubpath();
    p.setBrush(QColor(40, 44, 48));
    p.drawPath(rock);
    p.setPen(QPen(QColor(0, 255, 255), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int y = 90; y < 118; y += 9) {
        p.drawLine(QPointF(10 + (y % 3) * 12, y), QPointF(60 + (y % 5) * 14, y));
        p.drawLine(QPointF(90 - (y % 4) * 6, y + 3), QPointF(150, y + 3));
    }
    p.restore();
}

QPixmap SkerryPicture(int width, int height) {
    QPixmap picture(width, height);
    QPainter p(&picture);
    DrawSkerry(p, QRectF(0, 0, width, height));
    return picture;
}

QPixmap SkerryIconPixmap(int side) {
    QPixmap icon(side, side);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath frame;
    const double radius = side * 0.18;
    frame.addRoundedRect(QRectF(0, 0, side, side), radius, radius);
    p.setClipPath(frame);
    // The scene is wider than tall; the square shows its middle.
    DrawSkerry(p, QRectF(-side * 0.17, 0, side * 1.34, side));
    return icon;
}

namespace {

constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128, 256};

void AppendLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

QByteArray SkerryIconFile() {
    QList<QByteArray> images;
    for (const int side : kIconSides) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        SkerryIconPixmap(side).save(&buffer, "PNG");
        images.append(png);
    }
    // ICONDIR, then an ICONDIRENTRY per image (a side of 256 is written 0), then the images.
    QByteArray out;
    AppendLittleEndian(out, 0, 2);
    AppendLittleEndian(out, 1, 2);  // an icon, not a cursor
    AppendLittleEndian(out, static_cast<quint32>(images.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int side = kIconSides[i];
        AppendLittleEndian(out, side >= 256 ? 0 : static_cast<quint32>(side), 1);
        AppendLittleEndian(out, side >= 256 ? 0 : static_cast<quint32>(side), 1);
        AppendLittleEndian(out, 0, 1);   // no palette
        AppendLittleEndian(out, 0, 1);   // reserved
        AppendLittleEndian(out, 1, 2);   // colour planes
        AppendLittleEndian(out, 32, 2);  // bits per pixel
        AppendLittleEndian(out, static_cast<quint32>(images[i].size()), 4);
        AppendLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    return out;
}

QIcon SkerryIcon() {
    QIcon icon;
    for (const int side : kIconSides) {
        icon.addPixmap(SkerryIconPixmap(side));
    }
    return icon;
}

}  // namespace skerry::ui
