#pragma once

#include <QDialog>

#include "template/param_grid.hpp"

class QPlainTextEdit;
class QPushButton;

namespace skerry::ui {

// Reports common mistakes in the template on the grid. It reads the grid and changes nothing;
// the report is made afresh at every showing.
class TCkr : public QDialog {
    Q_OBJECT
  public:
    explicit TCkr(const ParamGrid& grid);

    void FormShow();
    void BBOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QPlainTextEdit* Memo = nullptr;
    QPushButton* BBOK = nullptr;

    const ParamGrid& grid_;
};

}  // namespace skerry::ui
