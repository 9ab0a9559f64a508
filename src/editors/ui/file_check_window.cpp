#include "editors/ui/file_check_window.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/ui/look.hpp"
#include "common/ui/qt_text.hpp"

namespace skerry::ui {

namespace {

enum Column { kLine, kCode, kName, kMessage, kColumns };

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setToolTip(text);
    return item;
}

}  // namespace

FileCheckWindow::FileCheckWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FileCheckWindow"));
    setWindowTitle(QStringLiteral("Template File Check"));
    FileLabel = new QLabel;
    FileLabel->setObjectName(QStringLiteral("FileLabel"));
    FileLabel->setTextFormat(Qt::PlainText);
    Findings = new QTableWidget(0, kColumns);
    Findings->setObjectName(QStringLiteral("Findings"));
    Findings->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Code"),
                                         QStringLiteral("Template"),
                                         QStringLiteral("What the game does")});
    Findings->verticalHeader()->hide();
    Findings->setSelectionBehavior(QAbstractItemView::SelectRows);
    Findings->setSelectionMode(QAbstractItemView::SingleSelection);
    Findings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Findings->setWordWrap(false);
    Findings->setStyleSheet(TextOnBlack("QTableWidget", kAqua));
    Findings->horizontalHeader()->setStretchLastSection(true);
    Findings->setColumnWidth(kLine, 50);
    Findings->setColumnWidth(kCode, 130);
    Findings->setColumnWidth(kName, 280);
    BBOpen = new QPushButton(QStringLiteral("Open"));
    BBOpen->setObjectName(QStringLiteral("BBOpen"));
    BBOpen->setToolTip(QStringLiteral("Opens the template of the finding, as File > Open does"));
    BBOpen->setDefault(true);
    BBClose = new QPushButton(QStringLiteral("Close"));
    BBClose->setObjectName(QStringLiteral("BBClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BBOpen);
    buttons->addWidget(BBClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FileLabel);
    layout->addWidget(Findings, 1);
    layout->addLayout(buttons);
    resize(1100, 420);

    connect(Findings, &QTableWidget::itemSelectionChanged, this,
            &FileCheckWindow::FindingsSelectionChange);
    connect(Findings, &QTableWidget::itemActivated, this, [this] { BBOpenClick(); });
    connect(BBOpen, &QPushButton::clicked, this, &FileCheckWindow::BBOpenClick);
    connect(BBClose, &QPushButton::clicked, this, &FileCheckWindow::reject);
}

std::optional<std::string> FileCheckWindow::Choose(const QString& path,
                                                   const std::vector<TemplateFinding>& findings,
                                                   const QString& note) {
    ShowFindings(path, findings, note);
    chosen_.reset();
    return exec() == QDialog::Accepted ? chosen_ : std::nullopt;
}

void FileCheckWindow::ShowFindings(const QString& path,
                                   const std::vector<TemplateFinding>& findings,
                                   const QString& note) {
    const QString found = findings.empty() ? QStringLiteral("Nothing found in %1").arg(path)
                          : findings.size() == 1
                              ? QStringLiteral("1 finding in %1").arg(path)
                              : QStringLiteral("%1 findings in %2").arg(findings.size()).arg(path);
    FileLabel->setText(note.isEmpty() ? found : note + QLatin1Char('\n') + found);
    Findings->clearContents();
    Findings->setRowCount(static_cast<int>(findings.size()));
    names_.clear();
    for (const TemplateFinding& finding : findings) {
        const int row = static_cast<int>(names_.size());
        Findings->setItem(row, kLine, Cell(QString::number(finding.line)));
        Findings->setItem(row, kCode, Cell(FromBytes(finding.code)));
        Findings->setItem(row, kName, Cell(FromBytes(finding.name)));
        Findings->setItem(row, kMessage, Cell(FromBytes(finding.message)));
        names_.push_back(finding.name);
    }
    if (!findings.empty()) {
        Findings->selectRow(0);
    }
    FindingsSelectionChange();
    Findings->setFocus();
}

void FileCheckWindow::FindingsSelectionChange() {
    // A finding about the file as a whole names no template to open.
    const int row = Findings->currentRow();
    BBOpen->setEnabled(row >= 0 && static_cast<std::size_t>(row) < names_.size() &&
                       !names_[static_cast<std::size_t>(row)].empty());
}

void FileCheckWindow::BBOpenClick() {
    if (!BBOpen->isEnabled()) {
        return;
    }
    chosen_ = names_[static_cast<std::size_t>(Findings->currentRow())];
    accept();
}

}  // namespace skerry::ui
