#include "template/ui/tpl_desc.hpp"

#include <QLineEdit>
#include <QPushButton>

#include "common/ui/qt_text.hpp"

namespace skerry::ui {

Ttpl_desc::Ttpl_desc() {
    setObjectName(QStringLiteral("Ttpl_desc"));
    setWindowTitle(QStringLiteral("Add Template Description"));
    setWindowFlag(Qt::Tool);
    setFixedSize(432, 44);
    E1 = new QLineEdit(this);
    E1->setObjectName(QStringLiteral("E1"));
    E1->setGeometry(5, 10, 336, 25);
    BBOK = new QPushButton(QStringLiteral("OK"), this);
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setGeometry(350, 10, 75, 25);
    BBOK->setDefault(true);
    connect(BBOK, &QPushButton::clicked, this, &Ttpl_desc::BBOKClick);
}

std::string Ttpl_desc::Ask(const std::string& start) {
    if (!start.empty()) {
        E1->setText(FromBytes(start));
    }
    exec();
    return ToBytes(E1->text());
}

void Ttpl_desc::BBOKClick() {
    accept();
}

}  // namespace skerry::ui
