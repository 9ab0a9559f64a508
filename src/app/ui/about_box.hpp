#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace skerry::ui {

// The About box: a picture, the product name, the version and a few words about the program.
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    TAboutBox();

    void FormCreate();
    // Says where New.tpl and exported bitmaps go.
    void SetWorkFolder(const QString& workFolder);
    // Shows the box modally, saying where New.tpl and exported bitmaps go.
    int ShowModal(const QString& workFolder);

  private:
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Purpose = nullptr;
    QPushButton* OKButton = nullptr;
};

}  // namespace skerry::ui
