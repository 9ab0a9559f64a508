#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace skerry::ui {

// Reports common mistakes in the template on the grid.
class TCkr : public QDialog {
    Q_OBJECT
  public:
    TCkr();

    QPlainTextEdit* Memo = nullptr;
    QPushButton* BBOK = nullptr;
};

}  // namespace skerry::ui
