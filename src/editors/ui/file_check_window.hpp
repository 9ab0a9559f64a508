#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/template_file_checks.hpp"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace skerry::ui {

// The findings of the whole-file check, a row each in line order, with the line of the one
// selected. Choosing one (double-click, Enter or Open) opens its template through the caller;
// when that template cannot be opened the window says why and stays, so that the other
// findings can still be looked at.
class FileCheckWindow : public QDialog {
    Q_OBJECT
  public:
    explicit FileCheckWindow(QWidget* parent = nullptr);

    // Opens the template of that name; why not, when it cannot be opened (an empty text: the
    // user chose to stay, and there is nothing to say).
    using Opener = std::function<std::optional<std::string>(const std::string& name)>;

    // Lists the findings of the file at path (whose lines are given, to show a finding's
    // line) and waits until a template is opened (true) or the window is closed (false). A
    // note, when given, stands above them.
    bool Choose(const QString& path, const std::vector<TemplateFinding>& findings,
                std::vector<std::string> lines, Opener open, const QString& note = {});
    // Lists them without waiting.
    void ShowFindings(const QString& path, const std::vector<TemplateFinding>& findings,
                      std::vector<std::string> lines = {}, const QString& note = {});

    void FindingsSelectionChange();
    void BBOpenClick();

  private:
    QLabel* FileLabel = nullptr;
    QTableWidget* Findings = nullptr;
    QPlainTextEdit* LineView = nullptr;
    QLabel* OpenProblem = nullptr;
    QPushButton* BBOpen = nullptr;
    QPushButton* BBClose = nullptr;

    std::vector<std::string> names_;        // the template of each row
    std::vector<std::size_t> lineNumbers_;  // its line, counted from 1
    std::vector<std::string> lines_;        // the file's lines
    Opener open_;
};

}  // namespace skerry::ui
