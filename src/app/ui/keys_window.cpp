#include "app/ui/keys_window.hpp"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace skerry::ui {

namespace {

QString Caption(const QAction& action) {
    QString text = action.text();
    text.remove(QLatin1Char('&'));
    return text.trimmed();
}

// Alt and the underlined letter of a caption, as the menus take it.
QString MnemonicKey(const QAction& action) {
    const QString text = action.text();
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= text.size()) {
        return {};
    }
    return QKeySequence(
               QKeyCombination(Qt::AltModifier, Qt::Key(text[amp + 1].toUpper().unicode())))
        .toString(QKeySequence::NativeText);
}

}  // namespace

TKeys::TKeys(const QMenuBar& mainMenus, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TKeys"));
    setWindowTitle(QStringLiteral("Keyboard shortcuts"));
    Keys = new QTableWidget(0, 3, this);
    Keys->setObjectName(QStringLiteral("Keys"));
    Keys->setHorizontalHeaderLabels(
        {QStringLiteral("Window"), QStringLiteral("Keys"), QStringLiteral("What they do")});
    Keys->verticalHeader()->hide();
    Keys->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Keys->setSelectionBehavior(QAbstractItemView::SelectRows);
    Keys->horizontalHeader()->setStretchLastSection(true);

    const QString main = QStringLiteral("Main window");
    for (QAction* top : mainMenus.actions()) {
        const QString menuKey = MnemonicKey(*top);
        if (!menuKey.isEmpty()) {
            AddRow(main, menuKey,
                   top->menu() != nullptr ? QStringLiteral("opens the %1 menu").arg(Caption(*top))
                                          : Caption(*top));
        }
        if (top->menu() == nullptr) {
            continue;
        }
        for (const QAction* item : top->menu()->actions()) {
            if (!item->shortcut().isEmpty()) {
                AddRow(main, item->shortcut().toString(QKeySequence::NativeText),
                       QStringLiteral("%1 > %2").arg(Caption(*top), Caption(*item)));
            }
        }
    }
    AddRow(main, QStringLiteral("Arrow keys, Tab"),
           QStringLiteral("move between the value cells; a row with a picker opens it"));
    AddRow(main, QStringLiteral("Typing, F2"), QStringLiteral("edits the value of the cell"));
    AddRow(main, QStringLiteral("Enter / Esc"),
           QStringLiteral("keeps / drops the value being typed"));
    const QString picker = QStringLiteral("Resource Picker");
    AddRow(picker, QStringLiteral("Letters"), QStringLiteral("find a name in the list"));
    AddRow(picker, QStringLiteral("Arrow keys"), QStringLiteral("show the name above or below"));
    AddRow(picker, QStringLiteral("Up, Down in the cel box"),
           QStringLiteral("show the next or the previous cel of a texture"));
    AddRow(picker, QStringLiteral("Enter"), QStringLiteral("OK: takes the name"));
    AddRow(picker, QStringLiteral("Esc"), QStringLiteral("Cancel: keeps the old value"));
    for (const char* dialog :
         {"Vector/Frame", "Template Options", "Add Template Description", "Tpl Checker", "About"}) {
        AddRow(QString::fromLatin1(dialog), QStringLiteral("Enter"), QStringLiteral("OK"));
    }
    AddRow(QStringLiteral("Vector/Frame"), QStringLiteral("Tab"),
           QStringLiteral("the next component"));
    AddRow(QStringLiteral("Vector/Frame"), QStringLiteral("Esc"),
           QStringLiteral("Cancel: keeps the old value"));
    Keys->resizeColumnsToContents();

    auto* close = new QPushButton(QStringLiteral("OK"));
    close->setObjectName(QStringLiteral("BBOK"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Keys, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(620, 520);
}

void TKeys::AddRow(const QString& window, const QString& keys, const QString& what) {
    const int row = Keys->rowCount();
    Keys->insertRow(row);
    Keys->setItem(row, 0, new QTableWidgetItem(window));
    Keys->setItem(row, 1, new QTableWidgetItem(keys));
    Keys->setItem(row, 2, new QTableWidgetItem(what));
}

}  // namespace skerry::ui
