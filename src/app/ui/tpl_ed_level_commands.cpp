// The main window's File > Put into level: the template being edited, saved first, goes into a
// level's templates section with every template it needs, and the level's check is shown.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

#include "app/ui/tpl_ed.hpp"
#include "common/file_path.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/messages.hpp"
#include "common/ui/qt_text.hpp"
#include "template/level_put.hpp"

namespace skerry::ui {

namespace {

QString NameList(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names) {
        list << FromBytes(name);
    }
    return list.join(QStringLiteral(", "));
}

// What the put did, above the level's findings.
QString PutSummary(const LevelPutOutcome& outcome) {
    QStringList lines;
    if (!outcome.put.added.empty()) {
        lines << QStringLiteral("Added: %1").arg(NameList(outcome.put.added));
    }
    if (!outcome.put.replaced.empty()) {
        lines << QStringLiteral("Replaced: %1").arg(NameList(outcome.put.replaced));
    }
    for (const std::string& warning : outcome.put.warnings) {
        lines << FromMessage(warning);
    }
    lines << QStringLiteral("The level as it was is kept as %1.")
                 .arg(QFileInfo(PathFromBytes(Utf8Of(outcome.backup))).fileName());
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void TTplEd::BuildLevelMenu(QMenu* file) {
    PutIntoLevel1 = file->addAction(QStringLiteral("&Put into level..."));
    PutIntoLevel1->setObjectName(QStringLiteral("PutIntoLevel1"));
    PutIntoLevel1->setToolTip(QStringLiteral(
        "Saves the template, then puts it and every template it needs into a level"));
    PutIntoLevel1->setStatusTip(PutIntoLevel1->toolTip());
    // A template can be put once it can be saved (ShowCommands says when).
    PutIntoLevel1->setEnabled(false);
    connect(PutIntoLevel1, &QAction::triggered, this, &TTplEd::PutIntoLevel1Click);
}

void TTplEd::PutIntoLevel1Click() {
    CommitPendingEdit();
    const QString folder = !lastLevel_.isEmpty() ? QFileInfo(lastLevel_).absolutePath()
                                                 : PathFromBytes(FolderOf(settings_.jedTplPath));
    const std::optional<QString> level =
        AskOpenFile(this, {QStringLiteral("Put Into Level"),
                           {QStringLiteral("Level *.jkl (*.jkl)"), QStringLiteral("All files (*)")},
                           0,
                           {},
                           folder,
                           false});
    if (!level) {
        return;
    }
    lastLevel_ = *level;
    // Saved as the leave question saves: Append once there is a New.tpl, so that the templates
    // in it stay there for the put to find.
    if (!SaveTemplate(document_.KindForLeaving())) {
        return;
    }
    const std::string path = PathToBytes(*level);
    const LevelPutOutcome outcome = PutIntoLevelFile(
        PathFromUtf8(path), PathFromUtf8(settings_.NewTplPath()), {document_.State().name});
    if (!outcome.written) {
        ShowMessage(this, PathFromBytes(outcome.error));
        return;
    }
    // A template chosen among the findings is opened from New.tpl, where those put came from.
    ShowFileCheck(path, settings_.NewTplPath(), PutSummary(outcome));
}

}  // namespace skerry::ui
