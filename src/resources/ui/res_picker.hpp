#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "settings/settings.hpp"
#include "template/template_store.hpp"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace skerry::ui {

// The Resource Picker: a list of names to choose from, what the clicked name holds, and the
// name field that goes back to the main window.
class TRes : public QDialog {
    Q_OBJECT
  public:
    TRes(Settings& settings, TemplateStore& templates);

    // Shows the picker maximised and modal; returns Accepted for OK, Rejected for Cancel.
    int ShowModal();

    void FormCreate();
    void FormHide();
    void LB1Click();
    void BBokClick();
    void BBCloseClick();

    // Resource mode lists container entries; otherwise the list holds template names.
    void SetResourceMode(bool resourceMode) { resourceMode_ = resourceMode; }
    bool ResourceMode() const { return resourceMode_; }

    void ClearList();
    // Adds names to the visible list, which stays in picker order.
    void AddNames(const std::vector<std::string>& names);
    const std::vector<std::string>& ListedNames() const { return listed_; }

    QListWidget* LB1 = nullptr;
    QPlainTextEdit* Memo = nullptr;
    QLineEdit* ED = nullptr;
    QPushButton* BBok = nullptr;
    QPushButton* BBClose = nullptr;

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    Settings& settings_;
    TemplateStore& templates_;
    bool resourceMode_ = true;
    std::vector<std::string> listed_;  // LB1's names as bytes, in the list's order
};

}  // namespace skerry::ui
