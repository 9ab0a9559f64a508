#pragma once

#include <QDialog>
#include <QList>

class QAction;
class QMenuBar;
class QTableWidget;

namespace skerry::ui {

// Help > Keyboard shortcuts: every key of every window, the main window's read from its menus
// so that the list always says what the menus do.
class TKeys : public QDialog {
    Q_OBJECT
  public:
    explicit TKeys(const QMenuBar& mainMenus, QWidget* parent = nullptr);

  private:
    void AddRow(const QString& window, const QString& keys, const QString& what);

    QTableWidget* Keys = nullptr;
};

}  // namespace skerry::ui
