#include "editors/ui/finished_template_window.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/ui/look.hpp"
#include "common/ui/qt_text.hpp"

namespace skerry::ui {

namespace {

enum Column { kParam, kValue, kFrom, kColumns };

}  // namespace

FinishedTemplateWindow::FinishedTemplateWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FinishedTemplateWindow"));
    setWindowTitle(QStringLiteral("What the game uses"));
    ChainLabel = new QLabel;
    ChainLabel->setObjectName(QStringLiteral("ChainLabel"));
    ChainLabel->setTextFormat(Qt::PlainText);
    ChainLabel->setWordWrap(true);
    Params = new QTableWidget(0, kColumns);
    Params->setObjectName(QStringLiteral("Params"));
    Params->setHorizontalHeaderLabels(
        {QStringLiteral("Parameter"), QStringLiteral("Value"), QStringLiteral("From")});
    Params->verticalHeader()->hide();
    Params->setSelectionBehavior(QAbstractItemView::SelectRows);
    Params->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Params->setWordWrap(false);
    Params->setStyleSheet(TextOnBlack("QTableWidget", kAqua));
    Params->horizontalHeader()->setStretchLastSection(true);
    Params->setColumnWidth(kParam, 130);
    Params->setColumnWidth(kValue, 230);
    Unapplied = TextView("Unapplied", true);
    Unapplied->setStyleSheet(TextOnBlack("QPlainTextEdit"));
    BBClose = new QPushButton(QStringLiteral("Close"));
    BBClose->setObjectName(QStringLiteral("BBClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BBClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ChainLabel);
    layout->addWidget(Params, 3);
    layout->addWidget(new QLabel(QStringLiteral("What the game does not apply, and why:")));
    layout->addWidget(Unapplied, 1);
    layout->addLayout(buttons);
    resize(640, 560);
    connect(BBClose, &QPushButton::clicked, this, &FinishedTemplateWindow::reject);
}

void FinishedTemplateWindow::ShowFinished(const FinishedTemplate& finished) {
    std::string chain;
    for (const std::string& name : finished.chain) {
        chain += (chain.empty() ? "" : " > ") + (name.empty() ? std::string("(no name)") : name);
    }
    ChainLabel->setText(finished.dropped.empty()
                            ? QStringLiteral("The game builds %1").arg(FromBytes(chain))
                            : QStringLiteral("The game drops %1: %2")
                                  .arg(FromBytes(chain), FromBytes(finished.dropped)));
    Params->clearContents();
    Params->setRowCount(static_cast<int>(finished.params.size()));
    int row = 0;
    for (const FinishedParam& param : finished.params) {
        Params->setItem(row, kParam, ReadOnlyCell(FromBytes(param.name)));
        Params->setItem(row, kValue, ReadOnlyCell(FromBytes(param.value)));
        const std::string from = param.note.empty() ? param.from : param.from + "; " + param.note;
        Params->setItem(row, kFrom, ReadOnlyCell(FromBytes(from)));
        ++row;
    }
    QString text;
    for (const UnappliedField& field : finished.unapplied) {
        text += FromBytes(field.reason) + QLatin1Char('\n');
    }
    for (const std::string& note : finished.notes) {
        text += QStringLiteral("Note: ") + FromBytes(note) + QLatin1Char('\n');
    }
    Unapplied->setPlainText(text.isEmpty() ? QStringLiteral("The game applies every field.")
                                           : text);
}

}  // namespace skerry::ui
