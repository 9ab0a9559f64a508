// The main window's file commands: New, Open, Open New.tpl, the parent choice, Save, Append,
// the view of New.tpl and the copy to a project folder.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolButton>

#include "app/ui/app_windows.hpp"
#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/ui/res_picker.hpp"
#include "template/new_tpl.hpp"
#include "template/open_template.hpp"
#include "template/ui/tpl_desc.hpp"

namespace skerry::ui {

namespace {

const QString kTplNamePlaceholder = QStringLiteral("Tpl Name");
const QString kBasedOnPlaceholder = QStringLiteral("Based On");

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
    BasedOnE->setEnabled(true);
    CB1->show();
    Open1->setEnabled(false);
    TplNameE->setText(kTplNamePlaceholder);
    BasedOnE->setText(kBasedOnPlaceholder);
    GetTplNam();
    ViewSBClick();
    Memo->clear();
    Memo->setPlainText(QStringLiteral("No Parent Template"));
}

void TTplEd::Open1Click() {
    OpenTemplate(false);
}

void TTplEd::OpenNewtpl1Click() {
    OpenTemplate(true);
}

void TTplEd::OpenTemplate(bool fromNewTpl) {
    BasedOnE->setEnabled(true);
    templates_.newTplMode = fromNewTpl;
    templateListing_ = true;
    GetTplNam();
    DisplayAll();
    templateListing_ = false;
    chosenName_ = windows_ != nullptr ? ToBytes(windows_->Res().ED->text()) : std::string();
    if (chosenName_.empty()) {
        return;  // the picker was closed without a choice: the memo and grid stay
    }
    QString chain = QStringLiteral("Parent template(s)\n\n");
    const ParentWalk walk = WalkParents(templates_, chosenName_);
    for (const std::string& line : walk.ancestorLines) {
        chain += FromBytes(line) + QLatin1Char('\n');
    }
    Memo->setPlainText(chain);
    if (!walk.ok) {
        ShowMessage(this, FromBytes(walk.error));
        return;
    }
    LoadGridMain(FromBytes(walk.typeText));
    LoadOpenTpl();
    Memo->moveCursor(QTextCursor::Start);
    SaveAS1->setEnabled(true);
    New1->setEnabled(false);
    TplNameE->setFocus();
}

void TTplEd::LoadOpenTpl() {
    TplNameE->setText(FromBytes(chosenName_));
    templates_.Lookup(chosenName_);
    BasedOnE->setText(FromBytes(templates_.FoundFields()[1]));
    FillGridTpl();
    if (BasedOnE->text() != QStringLiteral("none") && grid_.RowCount() > 0) {
        // Its type comes from the parent; the line view catches up at the next composition.
        SetRowValue(0, std::string());
    }
}

void TTplEd::FillGridTpl() {
    gridModel_->BeginReset();
    skerry::FillGridTpl(grid_, templates_.FoundFields());
    gridModel_->EndReset();
    ViewSBClick();
}

void TTplEd::BasedOnEClick() {
    templateListing_ = true;
    DisplayAll();
    templateListing_ = false;
    if (windows_ != nullptr) {
        BasedOnE->setText(windows_->Res().ED->text());
    }
    ViewSBClick();  // so the line shows the parent just chosen
}

void TTplEd::SaveAS1Click() {
    SaveTemplate(false);
}

void TTplEd::AppendtoNewtpl1Click() {
    SaveTemplate(true);
}

void TTplEd::SaveTemplate(bool append) {
    if (TplNameE->text() == kTplNamePlaceholder) {
        ShowMessage(this, QStringLiteral("Template \"Name\" Not Set"));
        return;
    }
    if (BasedOnE->text() == kBasedOnPlaceholder) {
        ShowMessage(this, QStringLiteral("Template \"Based on\" Not set"));
        return;
    }
    ViewSBClick();
    const QString line = RE1->toPlainText().section(QLatin1Char('\n'), 0, 0);
    NewTplRebuild(ToBytes(TplNameE->text()), ToBytes(line), append);
    if (!append) {
        // New.tpl's commands open up after the first Save, whatever became of it.
        for (QAction* action : {AppendtoNewtpl1, VNewtpl1, OpenNewtpl1, CopyNew}) {
            action->setEnabled(true);
        }
        VNtpl->setEnabled(true);
    }
}

bool TTplEd::NewTplRebuild(const std::string& name, const std::string& line, bool append) {
    std::vector<FileWrite> writes;
    std::string source;
    if (append) {
        const FileBytes current = ReadFileBytes(settings_.NewTplPath());
        if (!current.bytes) {
            ShowMessage(this, PathFromBytes(current.error));
            return false;
        }
        source = *current.bytes;
        // Old.tpl keeps New.tpl as it was before this Append.
        writes.push_back({settings_.OldTplPath(), source});
    } else {
        const bool mots = settings_.motsDialect;
        const std::string path = mots ? settings_.MotsTplPath() : settings_.MasterTplPath();
        if (!FileExists(path)) {
            ShowMessage(this, mots ? QStringLiteral("Cannot find Jed Mots.Tpl file")
                                   : QStringLiteral("Cannot find Jed Master.Tpl file"));
            return false;
        }
        const FileBytes master = ReadFileBytes(path);
        if (!master.bytes) {
            ShowMessage(this, PathFromBytes(master.error));
            return false;
        }
        source = *master.bytes;
    }
    RebuiltTemplateFile rebuilt = RebuildTemplateFile(source, name, line);
    if (!rebuilt.replaced) {
        std::string description;
        if (windows_ != nullptr) {
            // Closing the dialog any way still takes what it holds.
            Ttpl_desc& dialog = windows_->TplDesc();
            dialog.exec();
            description = ToBytes(dialog.E1->text());
        }
        AppendNewTemplate(rebuilt, description, line);
    }
    writes.push_back({settings_.NewTplPath(), std::move(rebuilt.bytes)});
    if (const std::optional<std::string> failure = WriteFilesTogether(writes)) {
        ShowMessage(this, PathFromBytes(ExplainProgramDirFailure(settings_, *failure)) +
                              QStringLiteral("\nNew.tpl and Old.tpl are as they were."));
        return false;
    }
    return true;
}

void TTplEd::VNewtpl1Click() {
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
    const QString fileName =
        settings_.motsDialect ? QStringLiteral("mots.tpl") : QStringLiteral("master.tpl");
    const std::optional<QString> target =
        AskSaveFile(this, {QStringLiteral("Save To Jed Project Directory"),
                           {QStringLiteral("Template *.tpl (*.tpl)")},
                           0,
                           fileName,
                           CopyStartFolder(settings_.jedTplPath),
                           true});
    if (!target) {
        return;
    }
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

}  // namespace skerry::ui
