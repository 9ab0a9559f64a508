#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSplitter;
class QWidget;

namespace skerry::ui {

// A window's size and place as text for the settings store; empty for a window never shown.
QString SaveWindowGeometry(const QWidget& window);
// Puts a window back where it was. A stored value that cannot be used is ignored (false);
// a place off every screen (a smaller screen, a monitor gone) is brought back onto the one
// the window is on.
bool RestoreWindowGeometry(QWidget& window, const QString& stored);

// The positions of splitters' bars, as one text, and back.
QString SaveSplitters(const QList<QSplitter*>& splitters);
bool RestoreSplitters(const QList<QSplitter*>& splitters, const QString& stored);

}  // namespace skerry::ui
