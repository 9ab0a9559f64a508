#include "app/ui/help_window.hpp"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace skerry::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Skerry Help"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(720, 560);
}

void HelpWindow::ShowTopic(const QString& helpFile, int context) {
    // Each topic of the help file is an anchor named after its context number.
    QUrl url = QUrl::fromLocalFile(helpFile);
    url.setFragment(QStringLiteral("context%1").arg(context));
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

}  // namespace skerry::ui
