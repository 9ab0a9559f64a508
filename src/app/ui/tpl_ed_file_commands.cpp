// The main window's file commands: New, Open, Open New.tpl, the parent choice, Save, Append,
// the view of New.tpl and the copy to a project folder, the check of the whole template file,
// and the question before a changed template is left.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "app/model_bounds.hpp"
#include "app/ui/app_windows.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_file_checks.hpp"
#include "editors/ui/file_check_window.hpp"
#include "template/new_tpl.hpp"
#include "template/open_template.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

namespace {

// Where Copy's dialog opens: the Jed template file's path up to its second separator (the
// folder above Jed's own), else that file's folder, else the home folder.
QString CopyStartFolder(const std::string& jedTplPath) {
    std::size_t separators = 0;
    for (std::size_t i = 0; i < jedTplPath.size(); ++i) {
        if ((jedTplPath[i] == '/' || jedTplPath[i] == '\\') && ++separators == 2) {
            return PathFromBytes(jedTplPath.substr(0, i + 1));
        }
    }
    const std::string folder = FolderOf(jedTplPath);
    return folder.empty() ? QDir::homePath() : PathFromBytes(folder);
}

}  // namespace

void TTplEd::New1Click() {
    if (!ConfirmDiscard()) {
        return;
    }
    BasedOnE->setEnabled(true);
    CB1->show();
    Open1->setEnabled(false);
    TplNameE->setText(FromBytes(kTplNamePlaceholder));
    BasedOnE->setText(FromBytes(kBasedOnPlaceholder));
    GetTplNam();
    ViewSBClick();
    Memo->clear();
    Memo->setPlainText(QStringLiteral("No Parent Template"));
    MarkClean();
}

void TTplEd::Open1Click() {
    OpenTemplate(false);
}

void TTplEd::OpenNewtpl1Click() {
    OpenTemplate(true);
}

void TTplEd::OpenTemplate(bool fromNewTpl, std::optional<std::string> name) {
    if (!ConfirmDiscard()) {
        return;
    }
    BasedOnE->setEnabled(true);
    templates_.newTplMode = fromNewTpl;
    GetTplNam();
    const std::optional<std::string> chosen = name ? name : ChooseTemplateName();
    if (!chosen) {
        return;  // no choice: the name, parent, memo and grid stay as they were
    }
    chosenName_ = *chosen;
    const OpenedTemplate opened = skerry::OpenTemplate(templates_, chosenName_);
    if (!opened.ok) {
        ShowMessage(this, FromBytes(opened.error));
        return;
    }
    ShowOpened(opened, templates_.TemplateFilePath(settings_));
}

void TTplEd::ShowOpened(const OpenedTemplate& opened, const std::string& file) {
    QString chain = QStringLiteral("Parent template(s)\n\n");
    for (const std::string& line : opened.walk.ancestorLines) {
        chain += FromBytes(line) + QLatin1Char('\n');
    }
    Memo->setPlainText(chain);
    LoadOpenTpl(opened);
    Memo->moveCursor(QTextCursor::Start);
    SaveAS1->setEnabled(true);
    New1->setEnabled(false);
    TplNameE->setFocus();
    MarkClean();
    Remember({opened.name, file});
}

void TTplEd::OpenRecent(const RecentTemplate& recent) {
    if (!ConfirmDiscard()) {
        return;
    }
    const QString file = PathFromBytes(recent.file);
    if (!FileExists(recent.file)) {
        ShowMessage(this, QStringLiteral("%1 is no longer there, so %2 is taken off the recent "
                                         "templates.")
                              .arg(file, FromBytes(recent.name)));
        Forget(recent);
        return;
    }
    // Later scans (New, the pickers) read the file this template came from; when it cannot
    // be opened, they go back to the file in use before.
    const bool wasNewTpl = templates_.newTplMode;
    templates_.newTplMode = SameFile(recent.file, settings_.NewTplPath());
    const auto restoreTemplateFile = [this, wasNewTpl] {
        templates_.newTplMode = wasNewTpl;
        GetTplNam();
    };
    const ScanResult scan = templates_.Scan(recent.file);
    if (scan.status != ScanResult::Status::Read) {
        ShowMessage(this, scan.error.empty() ? FromBytes(kMissingTplFileMessage)
                                             : PathFromBytes(scan.error));
        restoreTemplateFile();
        return;
    }
    if (!templates_.Lookup(recent.name)) {
        ShowMessage(this, QStringLiteral("%1 no longer holds the template %2, so it is taken off "
                                         "the recent templates.")
                              .arg(file, FromBytes(recent.name)));
        Forget(recent);
        restoreTemplateFile();
        return;
    }
    if (templates_.newTplMode) {
        // New.tpl is already there with its other templates, so Append (and the leave
        // question's Save) must be on offer, not only the rebuild of a plain Save.
        EnableNewTplCommands();
    }
    BasedOnE->setEnabled(true);
    chosenName_ = recent.name;
    const OpenedTemplate opened = skerry::OpenTemplate(templates_, recent.name);
    if (!opened.ok) {
        ShowMessage(this, FromBytes(opened.error));
        return;
    }
    ShowOpened(opened, recent.file);
}

void TTplEd::EnableNewTplCommands() {
    for (QAction* action : {AppendtoNewtpl1, VNewtpl1, OpenNewtpl1, CopyNew}) {
        action->setEnabled(true);
    }
    VNtpl->setEnabled(true);
}

void TTplEd::Remember(const RecentTemplate& recent) {
    recent_.Add(recent);
    recent_.Save(store_);
    FillRecentMenu();
}

void TTplEd::Forget(const RecentTemplate& recent) {
    recent_.Remove(recent);
    recent_.Save(store_);
    FillRecentMenu();
}

void TTplEd::FillRecentMenu() {
    OpenRecent1->clear();
    int number = 0;
    for (const RecentTemplate& recent : recent_.Items()) {
        const QString file = PathFromBytes(recent.file);
        QAction* item =
            OpenRecent1->addAction(QStringLiteral("&%1 %2   (%3)")
                                       .arg(++number)
                                       .arg(FromBytes(recent.name), QFileInfo(file).fileName()));
        item->setObjectName(QStringLiteral("OpenRecent%1").arg(number));
        item->setToolTip(file);
        connect(item, &QAction::triggered, this, [this, recent] { OpenRecent(recent); });
    }
    OpenRecent1->setEnabled(!recent_.Items().empty());
}

void TTplEd::CheckTemplateFile1Click() {
    CommitPendingEdit();
    // The check reads the file as it is on disk, whatever was scanned last.
    const bool fromNewTpl = templates_.newTplMode;
    const std::string path = templates_.TemplateFilePath(settings_);
    if (!FileExists(path)) {
        ShowMessage(this, FromBytes(kMissingTplFileMessage));
        return;
    }
    ShowFileCheck(path, fromNewTpl);
}

void TTplEd::ShowFileCheck(const std::string& path, bool fromNewTpl, const QString& note) {
    const SourceCheck check =
        CheckTemplateSource(path, settings_.motsDialect ? Game::Mots : Game::JediKnight);
    if (!check.read) {
        ShowMessage(this, PathFromBytes(check.error));
        return;
    }
    if (fileChecks_ == nullptr) {
        fileChecks_ = new FileCheckWindow(this);
    }
    if (const std::optional<std::string> name =
            fileChecks_->Choose(PathFromBytes(path), check.findings, note)) {
        OpenTemplate(fromNewTpl, *name);
    }
}

void TTplEd::LoadOpenTpl(const OpenedTemplate& opened) {
    TplNameE->setText(FromBytes(opened.name));
    BasedOnE->setText(FromBytes(opened.parent));
    ReplaceGrid(opened.grid);
    ViewSBClick();
}

void TTplEd::BasedOnEClick() {
    CommitPendingEdit();
    if (const std::optional<std::string> parent = ChooseTemplateName()) {
        BasedOnE->setText(FromBytes(*parent));
    }
    ViewSBClick();  // so the line shows the parent just chosen
}

void TTplEd::SaveAS1Click() {
    SaveTemplate(false);
}

void TTplEd::AppendtoNewtpl1Click() {
    SaveTemplate(true);
}

bool TTplEd::SaveTemplate(bool append) {
    CommitPendingEdit();
    const std::string name = ToBytes(TplNameE->text());
    const std::string parent = ToBytes(BasedOnE->text());
    if (const std::optional<std::string> refusal = SaveRefusal(name, parent)) {
        ShowMessage(this, FromBytes(*refusal));
        return false;
    }
    // The line comes from the grid itself, never back from the line view, whose text
    // would turn a no-break space into a blank.
    const std::string line = ComposeLine(name, parent, grid_);
    RE1->setPlainText(FromBytes(line));
    const SaveOutcome outcome = SaveTemplateLine(
        SaveFilesFor(settings_, append), name, line,
        [this] { return windows_ != nullptr ? windows_->TplDesc().Ask() : std::string(); },
        ContainerModelBounds(DialectContainers(settings_)));
    if (!append) {
        // New.tpl's commands open up after the first Save, whatever became of it.
        EnableNewTplCommands();
    }
    if (!outcome.saved) {
        QString message = PathFromBytes(ExplainWorkDirFailure(settings_, outcome.error));
        if (outcome.error.starts_with("Cannot create file")) {
            message += append ? QStringLiteral("\nNew.tpl and Old.tpl are as they were.")
                              : QStringLiteral("\nNew.tpl is as it was.");
        }
        ShowMessage(this, message);
        return false;
    }
    MarkClean();
    Remember({name, settings_.NewTplPath()});
    return true;
}

void TTplEd::VNewtpl1Click() {
    CommitPendingEdit();
    const FileBytes file = ReadFileBytes(settings_.NewTplPath());
    if (!file.bytes) {
        ShowMessage(this, PathFromBytes(file.error));
        return;
    }
    QString text = FromBytes(*file.bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    RE1->setPlainText(text);
}

void TTplEd::CopyNewClick() {
    CommitPendingEdit();
    // The dialog offers the file it was last given, so a second Copy to the same project is
    // one click; the first offers the dialect's own file name.
    const QString fileName =
        !lastCopyTarget_.isEmpty()
            ? lastCopyTarget_
            : (settings_.motsDialect ? QStringLiteral("mots.tpl") : QStringLiteral("master.tpl"));
    const QString folder = !lastCopyTarget_.isEmpty() ? QFileInfo(lastCopyTarget_).absolutePath()
                                                      : CopyStartFolder(settings_.jedTplPath);
    const std::optional<QString> target =
        AskSaveFile(this, {QStringLiteral("Save To Jed Project Directory"),
                           {QStringLiteral("Template *.tpl (*.tpl)")},
                           0,
                           fileName,
                           folder,
                           true});
    if (!target) {
        return;
    }
    lastCopyTarget_ = *target;
    const std::string targetPath = PathToBytes(*target);
    // Copying over Jed's own template files would lose the source of every later Save.
    if (SameFile(targetPath, settings_.MasterTplPath()) ||
        SameFile(targetPath, settings_.MotsTplPath())) {
        ShowMessage(this, QStringLiteral("Cannot Save to MASTER.TPL"));
        return;
    }
    const FileBytes newTpl = ReadFileBytes(settings_.NewTplPath());
    if (!newTpl.bytes) {
        ShowMessage(this, PathFromBytes(newTpl.error));
        return;
    }
    if (const std::optional<std::string> failure = WriteFileWhole(targetPath, *newTpl.bytes)) {
        ShowMessage(this, PathFromBytes(*failure));
    }
}

void TTplEd::MarkClean() {
    CommitPendingEdit();
    cleanLine_ = ComposeLine(ToBytes(TplNameE->text()), ToBytes(BasedOnE->text()), grid_);
}

bool TTplEd::Changed() {
    CommitPendingEdit();
    return ComposeLine(ToBytes(TplNameE->text()), ToBytes(BasedOnE->text()), grid_) != cleanLine_;
}

bool TTplEd::ConfirmDiscard() {
    if (!Changed()) {
        return true;
    }
    const QString name = TplNameE->text();
    const QString question =
        QStringLiteral("The template \"%1\" was changed and not saved. Save it to New.tpl?")
            .arg(name);
    switch (AskSaveDiscardCancel(this, question)) {
        case Answer::Save:
            // Once New.tpl has been written in this run it may hold other templates, which a
            // Save (a rebuild from the Jed file) would drop; Append keeps them.
            return SaveTemplate(AppendtoNewtpl1->isEnabled());
        case Answer::Discard:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void TTplEd::closeEvent(QCloseEvent* event) {
    if (ConfirmDiscard()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace skerry::ui
