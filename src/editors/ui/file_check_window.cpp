#include "editors/ui/file_check_window.hpp"

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

enum Column { kLine, kCode, kName, kMessage, kColumns };

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
    LineView = TextView("LineView", true);
    LineView->setStyleSheet(TextOnBlack("QPlainTextEdit"));
    LineView->setFixedHeight(48);
    LineView->setToolTip(QStringLiteral("The line of the finding selected, as the file has it"));
    OpenProblem = new QLabel;
    OpenProblem->setObjectName(QStringLiteral("OpenProblem"));
    OpenProblem->setTextFormat(Qt::PlainText);
    OpenProblem->setWordWrap(true);
    OpenProblem->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    OpenProblem->hide();
    BBClose = new QPushButton(QStringLiteral("Close"));
    BBClose->setObjectName(QStringLiteral("BBClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BBOpen);
    buttons->addWidget(BBClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FileLabel);
    layout->addWidget(Findings, 1);
    layout->addWidget(LineView);
    layout->addWidget(OpenProblem);
    layout->addLayout(buttons);
    resize(1100, 420);

    connect(Findings, &QTableWidget::itemSelectionChanged, this,
            &FileCheckWindow::FindingsSelectionChange);
    connect(Findings, &QTableWidget::itemActivated, this, [this] { BBOpenClick(); });
    connect(BBOpen, &QPushButton::clicked, this, &FileCheckWindow::BBOpenClick);
    connect(BBClose, &QPushButton::clicked, this, &FileCheckWindow::reject);
}

bool FileCheckWindow::Choose(const QString& path, const std::vector<TemplateFinding>& findings,
                             std::vector<std::string> lines, Opener open, const QString& note) {
    ShowFindings(path, findings, std::move(lines), note);
    open_ = std::move(open);
    const bool opened = exec() == QDialog::Accepted;
    open_ = nullptr;
    return opened;
}

void FileCheckWindow::ShowFindings(const QString& path,
                                   const std::vector<TemplateFinding>& findings,
                                   std::vector<std::string> lines, const QString& note) {
    const QString found = findings.empty() ? QStringLiteral("Nothing found in %1").arg(path)
                          : findings.size() == 1
                              ? QStringLiteral("1 finding in %1").arg(path)
                              : QStringLiteral("%1 findings in %2").arg(findings.size()).arg(path);
    FileLabel->setText(note.isEmpty() ? found : note + QLatin1Char('\n') + found);
    lines_ = std::move(lines);
    OpenProblem->hide();
    Findings->clearContents();
    Findings->setRowCount(static_cast<int>(findings.size()));
    names_.clear();
    lineNumbers_.clear();
    for (const TemplateFinding& finding : findings) {
        const int row = static_cast<int>(names_.size());
        Findings->setItem(row, kLine, ReadOnlyCell(QString::number(finding.line)));
        Findings->setItem(row, kCode, ReadOnlyCell(FromBytes(finding.code)));
        Findings->setItem(row, kName, ReadOnlyCell(FromBytes(finding.name)));
        Findings->setItem(row, kMessage, ReadOnlyCell(FromMessage(finding.message)));
        names_.push_back(finding.name);
        lineNumbers_.push_back(finding.line);
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
    const bool listed = row >= 0 && static_cast<std::size_t>(row) < names_.size();
    BBOpen->setEnabled(listed && !names_[static_cast<std::size_t>(row)].empty());
    const std::size_t line = listed ? lineNumbers_[static_cast<std::size_t>(row)] : 0;
    LineView->setPlainText(line > 0 && line <= lines_.size() ? FromBytes(lines_[line - 1])
                                                             : QString());
    OpenProblem->hide();
}

void FileCheckWindow::BBOpenClick() {
    if (!BBOpen->isEnabled() || !open_) {
        return;
    }
    const std::string& name = names_[static_cast<std::size_t>(Findings->currentRow())];
    if (const std::optional<std::string> problem = open_(name)) {
        if (!problem->empty()) {
            OpenProblem->setText(QStringLiteral("%1 cannot be opened: %2")
                                     .arg(FromBytes(name), FromBytes(*problem)));
            OpenProblem->show();
        }
        return;
    }
    accept();
}

}  // namespace skerry::ui
