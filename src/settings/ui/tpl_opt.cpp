#include "settings/ui/tpl_opt.hpp"

#include <QCoreApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/qt_text.hpp"

namespace skerry::ui {

TTplOpt::TTplOpt(Settings& settings) : settings_(settings) {
    setObjectName(QStringLiteral("TTplOpt"));
    setWindowTitle(QStringLiteral("Template Options"));
    setWindowFlag(Qt::Tool);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(BBOK, 0, Qt::AlignRight);
    resize(285, 180);
    connect(BBOK, &QPushButton::clicked, this, &TTplOpt::BBOKClick);
    FormCreate();
}

void TTplOpt::FormCreate() {
    // New.tpl, Old.tpl, the help file and exported bitmaps live beside the program.
    settings_.programDir = WithTrailingSeparator(ToBytes(QCoreApplication::applicationDirPath()));
}

void TTplOpt::BBOKClick() {
    accept();
}

}  // namespace skerry::ui
