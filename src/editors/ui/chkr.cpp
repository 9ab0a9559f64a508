#include "editors/ui/chkr.hpp"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/ui/look.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_checks.hpp"
#include "editors/template_file_checks.hpp"
#include "template/new_tpl.hpp"
#include "template/template_line.hpp"

namespace skerry::ui {

TCkr::TCkr(const TemplateStore& templates, const Settings& settings)
    : templates_(templates), settings_(settings) {
    setObjectName(QStringLiteral("TCkr"));
    setWindowTitle(QStringLiteral("Tpl Checker"));
    Memo = TextView("Memo", true);
    BBOK = new QPushButton(QStringLiteral("OK"));
    BBOK->setObjectName(QStringLiteral("BBOK"));
    BBOK->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    layout->addWidget(BBOK, 0, Qt::AlignRight);
    resize(600, 240);  // wide enough for the longer finding
    connect(BBOK, &QPushButton::clicked, this, &TCkr::BBOKClick);
}

void TCkr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TCkr::SetTemplate(std::string name, std::string parent, ParamGrid grid) {
    name_ = std::move(name);
    parent_ = std::move(parent);
    grid_ = std::move(grid);
}

void TCkr::FormShow() {
    Memo->clear();
    for (const std::string& line : DoChecks(grid_)) {
        Memo->appendPlainText(FromBytes(line));
    }
    // A template without a type, or without a name and parent a line can hold, is no line yet.
    if (grid_.RowCount() > 0 && !SaveRefusal(name_, parent_)) {
        const Game game = settings_.motsDialect ? Game::Mots : Game::JediKnight;
        for (const TemplateFinding& finding :
             CheckOneTemplate(ComposeLine(name_, parent_, grid_), templates_.Templates(), game)) {
            Memo->appendPlainText(FromBytes(std::string(finding.code) + " --  " + finding.message));
        }
    }
    if (Memo->document()->isEmpty()) {
        Memo->setPlainText(QStringLiteral("Nothing to report: no mistake found in this template."));
    }
}

void TCkr::BBOKClick() {
    accept();
}

}  // namespace skerry::ui
