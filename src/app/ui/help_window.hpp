#pragma once

#include <QDialog>

class QTextBrowser;

namespace skerry::ui {

// Shows the program's HTML help file at the topic of a help context.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    // The topic Help Contents opens.
    static constexpr int kContentsContext = 10;

    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowTopic(const QString& helpFile, int context);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace skerry::ui
