#include "settings/ui/tpl_opt.hpp"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"

namespace skerry::ui {

// Templates, containers (either extension, any letter case) and executables.
const QStringList TTplOpt::kOd1Filters = {
    QStringLiteral("Templates *.tpl (*.tpl *.TPL *.Tpl)"),
    QStringLiteral("Containers *.GOB/GOO (*.[gG][oO][bB] *.[gG][oO][oO])"),
    QStringLiteral("Executables            *.Exe (*.exe *.EXE *.Exe)"),
};

namespace {

QToolButton* BrowseButton(const char* name, QStyle* style) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
    button->setAutoRaise(true);
    return button;
}

// The boxes only show the paths; the browse buttons change them.
QLineEdit* PathBox(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

QLabel* Caption(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

TTplOpt::TTplOpt(Settings& settings, SettingsStore& store, ProgramFolders folders)
    : settings_(settings), store_(store), folders_(std::move(folders)) {
    setObjectName(QStringLiteral("TTplOpt"));
    setWindowTitle(QStringLiteral("Template Options"));
    setWindowFlag(Qt::Tool);

    Label1 = Caption("Label1", QStringLiteral("Jed Directory"));
    Edit1 = PathBox("Edit1");
    JedSB = BrowseButton("JedSB", style());
    Label3 = Caption("Label3", QStringLiteral(" Jedi Knight Directory"));
    Edit3 = PathBox("Edit3");
    JKSB = BrowseButton("JKSB", style());
    Label4 = Caption("Label4", QStringLiteral("Mots Directory"));
    Edit4 = PathBox("Edit4");
    MotsSB = BrowseButton("MotsSB", style());

    RG1 = new QGroupBox(QStringLiteral("Template type"));
    RG1->setObjectName(QStringLiteral("RG1"));
    rg1Items_ = new QButtonGroup(RG1);
    auto* items = new QHBoxLayout(RG1);
    items->setContentsMargins(6, 2, 6, 2);
    for (const QString& caption : {QStringLiteral("JK tpl"), QStringLiteral("Mots tpl")}) {
        auto* item = new QRadioButton(caption);
        rg1Items_->addButton(item, static_cast<int>(rg1Items_->buttons().size()));
        items->addWidget(item, 1);
    }
    rg1Items_->button(0)->setChecked(true);

    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setVerticalSpacing(2);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0);
    grid->addWidget(JedSB, 1, 1);
    grid->addWidget(Label3, 2, 0, 1, 2);
    grid->addWidget(Edit3, 3, 0);
    grid->addWidget(JKSB, 3, 1);
    grid->addWidget(Label4, 4, 0, 1, 2);
    grid->addWidget(Edit4, 5, 0);
    grid->addWidget(MotsSB, 5, 1);
    grid->setRowMinimumHeight(6, 6);
    grid->addWidget(RG1, 7, 0, 1, 2);
    grid->addWidget(BBOK, 8, 0, 1, 2, Qt::AlignRight);
    setMinimumWidth(285);
    resize(320, 180);

    connect(JedSB, &QToolButton::clicked, this, &TTplOpt::JedSBClick);
    connect(JKSB, &QToolButton::clicked, this, &TTplOpt::JKSBClick);
    connect(MotsSB, &QToolButton::clicked, this, &TTplOpt::MotsSBClick);
    connect(rg1Items_, &QButtonGroup::idClicked, this, &TTplOpt::RG1Click);
    connect(BBOK, &QPushButton::clicked, this, &TTplOpt::BBOKClick);
    FormCreate();
}

void TTplOpt::FormCreate() {
    // The help file lives beside the program, and so do New.tpl, Old.tpl and exported bitmaps
    // when the program's folder can be written; an installed program keeps them in the
    // user's own data folder. Qt gives folders with forward slashes; Windows users read
    // backslashes in messages.
    settings_.programDir = WithTrailingSeparator(
        !folders_.programDir.empty()
            ? folders_.programDir
            : PathToBytes(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
    settings_.workDir = ChooseWorkDir(
        settings_.programDir,
        !folders_.perUserDir.empty()
            ? folders_.perUserDir
            : PathToBytes(QDir::toNativeSeparators(
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))));
    LoadStoredPaths(settings_, store_);
    Edit1->setText(PathFromBytes(settings_.jedTplPath));
    Edit3->setText(PathFromBytes(settings_.jkDir));
    Edit4->setText(PathFromBytes(settings_.motsDir));
    settings_.restartNeeded = false;
    settings_.dialectFixed = false;
    RG1Click();
    RG1->setEnabled(!settings_.motsDir.empty());
    for (const std::string& message : MissingPathMessages(settings_)) {
        ShowMessage(this, FromMessage(message));
    }
}

int TTplOpt::RG1ItemIndex() const {
    return rg1Items_->checkedId();
}

void TTplOpt::SetRG1ItemIndex(int index) {
    if (QAbstractButton* item = rg1Items_->button(index)) {
        item->setChecked(true);
        RG1Click();
    }
}

void TTplOpt::RG1Click() {
    switch (RG1ItemIndex()) {
        case 0:
            settings_.jkDialect = true;
            settings_.motsDialect = false;
            break;
        case 1:
            settings_.jkDialect = false;
            settings_.motsDialect = true;
            break;
        default:
            break;
    }
}

void TTplOpt::Browse(BrowsedPath which, int filterIndex, const QString& title,
                     const QString& proposedName) {
    const std::optional<QString> chosen =
        AskOpenFile(this, {title, kOd1Filters, filterIndex, proposedName, {}, false});
    if (!chosen) {
        return;
    }
    const std::optional<std::string> failure =
        ApplyBrowsedFile(settings_, store_, which, PathToBytes(*chosen));
    Edit1->setText(PathFromBytes(settings_.jedTplPath));
    Edit3->setText(PathFromBytes(settings_.jkDir));
    Edit4->setText(PathFromBytes(settings_.motsDir));
    if (failure) {
        ShowMessage(this, PathFromBytes(*failure));
    }
}

void TTplOpt::JedSBClick() {
    Browse(BrowsedPath::JedTemplate, 0, QStringLiteral("Locate Jed Master.tpl File"),
           QStringLiteral("master.tpl"));
}

void TTplOpt::JKSBClick() {
    Browse(BrowsedPath::JkContainer, 1, QStringLiteral("Locate The Gob File Res2.gob"),
           QStringLiteral("res2.gob"));
}

void TTplOpt::MotsSBClick() {
    Browse(BrowsedPath::MotsContainer, 1, QStringLiteral("Locate a Goo File In Resource Dir"),
           QStringLiteral("*.goo"));
}

void TTplOpt::FixDialect() {
    settings_.dialectFixed = true;
    RG1->setEnabled(false);
}

void TTplOpt::BBOKClick() {
    if (settings_.restartNeeded) {
        ShowMessage(this, FromMessage(kRestartMessage));
    }
    accept();
}

}  // namespace skerry::ui
