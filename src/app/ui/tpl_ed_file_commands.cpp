// The main window's file commands: New, Open, Open New.tpl, Open Recent, the parent choice,
// Save, Append, the view of New.tpl and the copy to a project folder, the check of the whole
// template file, and the question before a changed template is left. What each does to the
// template is the document's; here is what the user is asked and told.
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>
#include <QToolButton>

#include "app/ui/app_windows.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "editors/template_file_checks.hpp"
#include "editors/ui/file_check_window.hpp"
#include "template/new_tpl.hpp"
#include "template/template_file.hpp"
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
    Tell(document_.New());
    // The name comes first, and typing replaces the placeholder rather than adding to it.
    TplNameE->setFocus();
    TplNameE->selectAll();
    ViewSBClick();
}

void TTplEd::Open1Click() {
    OpenFrom(settings_.JedTemplatePath());
}

void TTplEd::OpenNewtpl1Click() {
    OpenFrom(settings_.NewTplPath());
}

void TTplEd::OpenFileGiven(const QString& file) {
    OpenFrom(PathToBytes(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
}

void TTplEd::OpenFrom(const std::string& file) {
    if (!ConfirmDiscard()) {
        return;
    }
    ScanReport scan;
    const PickerRequest request = document_.NamesOf(file, scan);
    Tell(scan);
    if (!scan.read) {
        return;
    }
    const std::optional<std::string> chosen = ShowPicker(request);
    ViewSBClick();
    if (!chosen) {
        return;  // no choice: the name, parent, memo and grid stay as they were
    }
    if (const std::optional<std::string> problem = OpenTemplate(file, *chosen)) {
        ShowMessage(this, FromMessage(*problem));
    }
}

std::optional<std::string> TTplEd::OpenTemplate(const std::string& file, const std::string& name) {
    const OpenReport report = document_.Open(file, name);
    if (!report.Opened()) {
        return report.message;
    }
    if (report.warning) {
        ShowMessage(this, PathFromBytes(*report.warning));
    }
    Memo->moveCursor(QTextCursor::Start);
    TplNameE->setFocus();
    ViewSBClick();
    Remember({name, file});
    return std::nullopt;
}

void TTplEd::OpenRecent(const RecentTemplate& recent) {
    if (!ConfirmDiscard()) {
        return;
    }
    const QString file = PathFromBytes(recent.file);
    const OpenReport report = document_.Open(recent.file, recent.name);
    switch (report.failure) {
        case OpenFailure::None:
            if (report.warning) {
                ShowMessage(this, PathFromBytes(*report.warning));
            }
            Memo->moveCursor(QTextCursor::Start);
            TplNameE->setFocus();
            ViewSBClick();
            Remember(recent);
            return;
        case OpenFailure::FileMissing:
            ShowMessage(this, QStringLiteral("%1 is no longer there, so %2 is taken off the recent "
                                             "templates.")
                                  .arg(file, FromBytes(recent.name)));
            Forget(recent);
            return;
        case OpenFailure::NotInFile:
            ShowMessage(this, QStringLiteral("%1 no longer holds the template %2, so it is taken "
                                             "off the recent templates.")
                                  .arg(file, FromBytes(recent.name)));
            Forget(recent);
            return;
        case OpenFailure::FileUnreadable:
        case OpenFailure::CannotOpen:
            ShowMessage(this, PathFromBytes(report.message));
            return;
    }
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
    // The check reads the file as it is on disk, whatever was read last.
    const std::string path = document_.TemplateFilePath();
    if (!FileExists(PathFromUtf8(path))) {
        ShowMessage(this, FromMessage(kMissingTplFileMessage));
        return;
    }
    ShowFileCheck(path, path);
}

void TTplEd::ShowFileCheck(const std::string& path, const std::string& openFrom,
                           const QString& note) {
    const SourceCheck check = CheckTemplateSource(path, document_.GameInUse());
    const FileBytes bytes = ReadFileBytes(PathFromUtf8(path));
    if (!check.read || !bytes.bytes) {
        ShowMessage(this, PathFromBytes(check.read ? bytes.error : check.error));
        return;
    }
    if (fileChecks_ == nullptr) {
        fileChecks_ = new FileCheckWindow(this);
    }
    // A template that cannot be opened leaves the window open, saying why, so that the
    // file's other findings can still be looked at.
    fileChecks_->Choose(
        PathFromBytes(path), check.findings, SplitTemplateLines(*bytes.bytes),
        [this, openFrom](const std::string& name) -> std::optional<std::string> {
            if (!ConfirmDiscard()) {
                return std::string();  // stays, with nothing to say
            }
            return OpenTemplate(openFrom, name);
        },
        note);
}

void TTplEd::BasedOnEClick() {
    CommitPendingEdit();
    ScanReport scan;
    // The picker starts from the parent in use; a placeholder is none.
    const std::string& inUse = document_.State().parent;
    const bool placeholder = inUse == kBasedOnPlaceholder || inUse == kStartParent;
    const PickerRequest request =
        document_.TemplateNames(placeholder ? std::string() : inUse, scan);
    Tell(scan);
    if (const std::optional<std::string> parent = ShowPicker(request)) {
        document_.SetParent(*parent);
    }
    ViewSBClick();  // so the line shows the parent just chosen
}

void TTplEd::SaveAS1Click() {
    SaveTemplate(SaveKind::Save);
}

void TTplEd::AppendtoNewtpl1Click() {
    SaveTemplate(SaveKind::Append);
}

bool TTplEd::SaveTemplate(SaveKind kind) {
    CommitPendingEdit();
    if (const std::optional<std::string> refusal = document_.SaveRefusal()) {
        ShowMessage(this, FromMessage(*refusal));
        return false;
    }
    // The line comes from the document itself, never back from the line view, whose text
    // would turn a no-break space into a blank.
    RE1->setPlainText(FromBytes(document_.Line()));
    if (kind == SaveKind::Save) {
        const std::vector<std::string> dropped = document_.TemplatesSaveWouldDrop();
        if (!dropped.empty()) {
            switch (AskAppendSaveAnywayCancel(
                this, FromBytes(DropQuestion(dropped, settings_.JedTemplateName())))) {
                case Answer::Append:
                    kind = SaveKind::Append;
                    break;
                case Answer::SaveAnyway:
                    kind = SaveKind::SaveKeepingOld;
                    break;
                default:
                    return false;
            }
        }
    }
    const SaveReport report = document_.Save(kind, [this](const std::string& start) {
        return windows_ != nullptr ? windows_->TplDesc().Ask(start) : std::string();
    });
    if (!report.saved) {
        ShowMessage(this, PathFromBytes(report.error));
        return false;
    }
    const QString name = FromBytes(document_.State().name);
    const QString path = PathFromBytes(report.path);
    // An Append of a template New.tpl holds already puts it in place of its line.
    statusBar()->showMessage(kind != SaveKind::Append
                                 ? QStringLiteral("Saved %1 into %2").arg(name, path)
                             : report.added ? QStringLiteral("Appended %1 to %2").arg(name, path)
                                            : QStringLiteral("Replaced %1 in %2").arg(name, path));
    Remember({document_.State().name, settings_.NewTplPath()});
    ShowCommands();
    return true;
}

void TTplEd::VNewtpl1Click() {
    CommitPendingEdit();
    const FileBytes file = ReadFileBytes(PathFromUtf8(settings_.NewTplPath()));
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
    if (SameFile(PathFromUtf8(targetPath), PathFromUtf8(settings_.MasterTplPath())) ||
        SameFile(PathFromUtf8(targetPath), PathFromUtf8(settings_.MotsTplPath()))) {
        ShowMessage(this, QStringLiteral("Cannot Save to MASTER.TPL"));
        return;
    }
    const FileBytes newTpl = ReadFileBytes(PathFromUtf8(settings_.NewTplPath()));
    if (!newTpl.bytes) {
        ShowMessage(this, PathFromBytes(newTpl.error));
        return;
    }
    if (const std::optional<std::string> failure =
            WriteFileWhole(PathFromUtf8(targetPath), *newTpl.bytes)) {
        ShowMessage(this, PathFromBytes(*failure));
    }
}

bool TTplEd::ConfirmDiscard() {
    CommitPendingEdit();
    if (!document_.Changed()) {
        return true;
    }
    QString called = FromBytes(document_.Called());
    called[0] = called[0].toUpper();
    const QString question =
        QStringLiteral("%1 was changed and not saved. Save it to New.tpl?").arg(called);
    switch (AskSaveDiscardCancel(this, question)) {
        case Answer::Save:
            return SaveTemplate(document_.KindForLeaving());
        case Answer::Discard:
            return true;
        default:
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
