#include "editors/ui/tpl_vec.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace skerry::ui {

TVector::TVector() {
    setObjectName(QStringLiteral("TVector"));
    setWindowTitle(QStringLiteral("Vector/Frame"));
    setWindowFlag(Qt::Tool);
    ETot = new QLineEdit;
    ETot->setObjectName(QStringLiteral("ETot"));
    ETot->setReadOnly(true);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ETot);
    layout->addWidget(BBOK, 0, Qt::AlignRight);
    connect(BBOK, &QPushButton::clicked, this, &QDialog::accept);
}

int TVector::ShowModal(const QString& cellText, bool /*vectorMode*/) {
    ETot->setText(cellText);
    return exec();
}

QString TVector::Result() const {
    return ETot->text();
}

}  // namespace skerry::ui
