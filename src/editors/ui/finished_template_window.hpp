#pragma once

#include <QDialog>

#include "editors/finished_template.hpp"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace skerry::ui {

// View > What the game uses: the template being edited as the game finishes it over its
// chain, a parameter a row with the template it comes from, then the own fields the game does
// not apply and why. It stays open beside the main window and follows every change.
class FinishedTemplateWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FinishedTemplateWindow(QWidget* parent = nullptr);

    void ShowFinished(const FinishedTemplate& finished);

  private:
    QLabel* ChainLabel = nullptr;
    QTableWidget* Params = nullptr;
    QPlainTextEdit* Unapplied = nullptr;
    QPushButton* BBClose = nullptr;
};

}  // namespace skerry::ui
