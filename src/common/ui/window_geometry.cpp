#include "common/ui/window_geometry.hpp"

#include <QSplitter>
#include <QWidget>

namespace skerry::ui {

QString SaveWindowGeometry(const QWidget& window) {
    return QString::fromLatin1(window.saveGeometry().toBase64());
}

bool RestoreWindowGeometry(QWidget& window, const QString& stored) {
    // Qt puts a window whose place is off every screen back onto the nearest one.
    const QByteArray bytes = QByteArray::fromBase64(stored.toLatin1());
    return !bytes.isEmpty() && window.restoreGeometry(bytes);
}

QString SaveSplitters(const QList<QSplitter*>& splitters) {
    QStringList states;
    for (const QSplitter* splitter : splitters) {
        states << QString::fromLatin1(splitter->saveState().toBase64());
    }
    return states.join(QLatin1Char(','));
}

bool RestoreSplitters(const QList<QSplitter*>& splitters, const QString& stored) {
    const QStringList states = stored.split(QLatin1Char(','));
    if (states.size() != splitters.size()) {
        return false;
    }
    bool restored = true;
    for (qsizetype i = 0; i < splitters.size(); ++i) {
        restored =
            splitters[i]->restoreState(QByteArray::fromBase64(states[i].toLatin1())) && restored;
    }
    return restored;
}

}  // namespace skerry::ui
