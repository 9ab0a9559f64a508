#include "editors/ui/chkr.hpp"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skerry::ui {

TCkr::TCkr() {
    setObjectName(QStringLiteral("TCkr"));
    setWindowTitle(QStringLiteral("Tpl Checker"));
    Memo = new QPlainTextEdit;
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo);
    layout->addWidget(BBOK, 0, Qt::AlignRight);
    resize(420, 240);
    connect(BBOK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace skerry::ui
