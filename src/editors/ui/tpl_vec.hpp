#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace skerry::ui {

// Edits a vector or a frame component by component; ETot holds the composed text.
class TVector : public QDialog {
    Q_OBJECT
  public:
    TVector();

    // Takes the cell's text and the mode, shows the dialog modally, returns its result.
    int ShowModal(const QString& cellText, bool vectorMode);
    QString Result() const;

    QLineEdit* ETot = nullptr;
    QPushButton* BBOK = nullptr;
};

}  // namespace skerry::ui
