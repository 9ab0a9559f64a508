#pragma once

#include <QDialog>
#include <string>

#include "settings/settings.hpp"
#include "template/param_grid.hpp"
#include "template/template_store.hpp"

class QPlainTextEdit;
class QPushButton;

namespace skerry::ui {

// Reports common mistakes in the template on the grid, and what the game would make of its
// line against the template file the names come from. It reads and changes nothing else; the
// report is made afresh at every showing.
class TCkr : public QDialog {
    Q_OBJECT
  public:
    TCkr(const TemplateStore& templates, const Settings& settings);

    // The template to check, before each showing: its name, parent and rows.
    void SetTemplate(std::string name, std::string parent, ParamGrid grid);

    void FormShow();
    void BBOKClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QPlainTextEdit* Memo = nullptr;
    QPushButton* BBOK = nullptr;

    ParamGrid grid_;
    const TemplateStore& templates_;
    const Settings& settings_;
    std::string name_;
    std::string parent_;
};

}  // namespace skerry::ui
