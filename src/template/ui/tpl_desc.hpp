#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace skerry::ui {

// Asks for the description that goes on the "# DESC: " line above a new template. It keeps
// the last description, so the next template offers it again.
class Ttpl_desc : public QDialog {
    Q_OBJECT
  public:
    Ttpl_desc();

    void BBOKClick();
    // Shows the dialog modally and returns the description it holds. Closing it any way
    // still takes what it holds, as OK does. A template that has a description of its own
    // starts from it; otherwise the last one is offered again.
    std::string Ask(const std::string& start = {});

  private:
    QLineEdit* E1 = nullptr;
    QPushButton* BBOK = nullptr;
};

}  // namespace skerry::ui
