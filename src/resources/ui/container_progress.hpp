#pragma once

#include <QProgressDialog>
#include <functional>

#include "resources/container_files.hpp"

namespace skerry::ui {

// The progress of a pack or unpack: the entry at work, how many of how many, and Cancel. Esc
// and the close box cancel too; the dialog stays until the work has stopped.
class ContainerProgressDialog : public QProgressDialog {
    Q_OBJECT
  public:
    ContainerProgressDialog(QWidget* parent, const QString& title, const QString& verb);

    void Show(const ContainerProgress& at);
    // After Cancel: the work stops at the next entry or piece.
    void Stopping();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QString verb_;
};

// Runs work on a thread of its own while the dialog shows how far it has come, the windows
// painting all the while; Cancel asks the work to stop. The work's result once it has ended.
using ContainerWork = std::function<ContainerJob(const ProgressFn&)>;
ContainerJob RunWithProgress(QWidget* parent, const QString& title, const QString& verb,
                             const ContainerWork& work);

// What the user is told at the end: the summary, then the notes (the first twenty of them).
QString JobReport(const ContainerJob& job);

}  // namespace skerry::ui
