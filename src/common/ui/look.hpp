#pragma once

#include <QLatin1String>
#include <QPlainTextEdit>
#include <QString>
#include <QTableWidgetItem>

namespace skerry::ui {

// The program's colours: teal and aqua text on black for the text views and lists.
inline constexpr const char* kTeal = "#008080";
inline constexpr const char* kAqua = "#00ffff";

// A style rule scoped to the widget's own class: a bare rule would reach its scroll bars too.
inline QString TextOnBlack(const char* widgetClass, const char* colour = kTeal) {
    return QStringLiteral("%1 { background-color: black; color: %2; }")
        .arg(QLatin1String(widgetClass), QLatin1String(colour));
}

// A cell of a table that is read, not edited; its tip shows a long text whole.
inline QTableWidgetItem* ReadOnlyCell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setToolTip(text);
    return item;
}

// A list of names in teal on black. The items get a pixel of air below, or the next item's
// background hides the underscore of names like "_weapon".
inline QString NameListLook() {
    return TextOnBlack("QListWidget") +
           QStringLiteral(" QListWidget::item { padding-bottom: 1px; }");
}

// The flag editor's bit list: on black the platform's check boxes vanish, so each entry gets
// a teal box, filled when ticked.
inline QString BitListLook() {
    return NameListLook() +
           QStringLiteral(
               " QListWidget::indicator { width: 9px; height: 9px; border: 1px solid %1;"
               " background-color: black; }"
               " QListWidget::indicator:checked { background-color: %1; }")
               .arg(QLatin1String(kTeal));
}

// The plain text views of the windows: no word wrap, both scroll bars always there, so long
// template lines scroll instead of folding.
inline QPlainTextEdit* TextView(const char* objectName, bool readOnly) {
    auto* view = new QPlainTextEdit;
    view->setObjectName(QLatin1String(objectName));
    view->setReadOnly(readOnly);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return view;
}

}  // namespace skerry::ui
