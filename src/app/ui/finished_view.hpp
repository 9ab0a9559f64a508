#pragma once

#include <QPointer>

#include "app/template_document.hpp"

class QWidget;

namespace skerry::ui {

class FinishedTemplateWindow;

// View > What the game uses: the window of the document's finished template, kept in step
// with every change while it is open.
class FinishedView {
  public:
    FinishedView(TemplateDocument& document, QWidget* owner);
    ~FinishedView();

    // After any change of the template.
    void Update();
    void ShowWindow();
    FinishedTemplateWindow& Window();

  private:
    TemplateDocument& document_;
    QWidget* owner_;
    QPointer<FinishedTemplateWindow> window_;
};

}  // namespace skerry::ui
