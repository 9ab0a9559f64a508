#include "editors/ui/chkr.hpp"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "common/ui/look.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_checks.hpp"

namespace skerry::ui {

TCkr::TCkr(const ParamGrid& grid) : grid_(grid) {
    setObjectName(QStringLiteral("TCkr"));
    setWindowTitle(QStringLiteral("Tpl Checker"));
    Memo = TextView("Memo", true);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    layout->addWidget(BBOK, 0, Qt::AlignRight);
    resize(600, 240);  // wide enough for the longer finding
    connect(BBOK, &QPushButton::clicked, this, &TCkr::BBOKClick);
}

void TCkr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TCkr::FormShow() {
    Memo->clear();
    for (const std::string& line : DoChecks(grid_)) {
        Memo->appendPlainText(FromBytes(line));
    }
}

void TCkr::BBOKClick() {
    accept();
}

}  // namespace skerry::ui
