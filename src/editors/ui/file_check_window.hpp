#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "editors/template_file_checks.hpp"

class QLabel;
class QPushButton;
class QTableWidget;

namespace skerry::ui {

// The findings of the whole-file check, a row each in line order. Choosing one (double-click,
// Enter or Open) hands its template's name back to the caller, who opens it.
class FileCheckWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FileCheckWindow(QWidget* parent = nullptr);

    // Lists the findings of the file at path and waits: the name of the template chosen, or
    // nothing when the window is closed. A note, when given, stands above them.
    std::optional<std::string> Choose(const QString& path,
                                      const std::vector<TemplateFinding>& findings,
                                      const QString& note = {});
    // Lists them without waiting.
    void ShowFindings(const QString& path, const std::vector<TemplateFinding>& findings,
                      const QString& note = {});

    void FindingsSelectionChange();
    void BBOpenClick();

  private:
    QLabel* FileLabel = nullptr;
    QTableWidget* Findings = nullptr;
    QPushButton* BBOpen = nullptr;
    QPushButton* BBClose = nullptr;

    std::vector<std::string> names_;  // the template of each row
    std::optional<std::string> chosen_;
};

}  // namespace skerry::ui
