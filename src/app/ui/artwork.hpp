#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace skerry::ui {

// The program's own picture: a skerry, a low rock in a dark sea under a teal sky with a pale
// moon. Drawn in code so the program carries no picture files.
void DrawSkerry(QPainter& painter, const QRectF& area);

// The picture at a given size, as the About box shows it.
QPixmap SkerryPicture(int width, int height);

// The application icon: the picture in a rounded square, at the sizes desktops ask for.
QIcon SkerryIcon();
QPixmap SkerryIconPixmap(int side);
// The icon as a Windows .ico file, one PNG image per size, for the executable's resource.
QByteArray SkerryIconFile();

}  // namespace skerry::ui
