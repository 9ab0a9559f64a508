#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "template/ui/tpl_desc.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class FileCommandsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
        master_ = *ReadFileBytes(state_.settings.jedTplPath).bytes;
    }
    std::string master_;
};

TEST_F(FileCommandsTest, OpenWalksTheChainAndFillsTheGrid) {
    Pick("stormtrooper_officer_heavy", [this] { Ed().Open1Click(); });
    const QStringList memo = FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText().split('\n');
    ASSERT_GE(memo.size(), 5);
    EXPECT_EQ(memo[0], "Parent template(s)");
    EXPECT_EQ(memo[1], "");
    EXPECT_TRUE(memo[2].startsWith("stormtrooper "));
    EXPECT_TRUE(memo[3].startsWith("_humanactor "));
    EXPECT_TRUE(memo[4].startsWith("_actor "));
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "stormtrooper_officer_heavy");
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "BasedOnE")->text(), "stormtrooper");
    EXPECT_EQ(Ed().Grid().RowCount(), 46u);
    EXPECT_EQ(Value("+ model3d"), "stofficer.3do");
    EXPECT_EQ(Value("health"), "120.0");
    EXPECT_EQ(Value("type"), "");  // inherited, so not its own
    EXPECT_TRUE(FindControl<QAction>(Ed(), "SaveAS1")->isEnabled());
    EXPECT_TRUE(FindControl<QAction>(Ed(), "New1")->isEnabled());  // New and Open never lock
    EXPECT_TRUE(FindControl<QLineEdit>(Ed(), "BasedOnE")->isEnabled());
}

TEST_F(FileCommandsTest, OpenOfABaseKeepsItsTypeAndAnUntouchedPickerChangesNothing) {
    Pick("_weapon", [this] { Ed().Open1Click(); });
    EXPECT_EQ(Value("type"), "weapon");
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText(), "Parent template(s)\n\n");

    FindControl<QLineEdit>(Res(), "ED")->clear();
    FindControl<QPlainTextEdit>(Ed(), "Memo")->setPlainText("kept");
    Pick("", [this] { Ed().Open1Click(); });  // closed without a click: nothing to open
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText(), "kept");
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "_weapon");
    EXPECT_EQ(Value("type"), "weapon");
}

TEST_F(FileCommandsTest, OpenThatCannotEndSaysSoAndKeepsTheGrid) {
    WriteFile("broken.tpl", "orphan\t_nobody\thealth=5\r\n");
    state_.settings.jedTplPath = state_.settings.programDir + "broken.tpl";
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("item");
    Pick("orphan", [this] { Ed().Open1Click(); });
    EXPECT_EQ(messages_,
              QStringList{"The parent \"_nobody\" of \"orphan\" is not in the template file"});
    EXPECT_EQ(Ed().Grid().RowCount(), 19u);
}

TEST_F(FileCommandsTest, SaveOfANameInMasterReplacesItsLineOnly) {
    Pick("crate", [this] { Ed().Open1Click(); });
    Ed().GridModel().setData(Ed().GridModel().index(4, GridTableModel::kValueColumn), "0.3",
                             Qt::EditRole);
    bool dialogShown = false;
    WhenModal([&](QWidget* modal) {
        dialogShown = true;
        modal->close();
    });
    Ed().SaveAS1Click();
    QApplication::processEvents();
    EXPECT_FALSE(dialogShown);
    const std::string expected_line =
        "crate            _decor            size=0.3 movesize=0.2 "
        "model3d=crate.3do orient=(0.0/90.0/0.0)";
    std::string expected = master_;
    std::replace(expected.begin(), expected.end(), '\t', ' ');
    const std::size_t at = expected.find("crate _decor");
    expected.replace(at, expected.find("\r\n", at) - at, expected_line);
    // The box line above it is the box of its model, as the container holds it.
    const std::size_t box = expected.rfind("# BBOX: ", at);
    expected.replace(box, at - box, "# BBOX: -0.052 -0.05573576 -0.05 0.052 0.05 0.1078435\r\n");
    EXPECT_EQ(NewTpl(), expected);
    for (QAction* action :
         {FindControl<QAction>(Ed(), "AppendtoNewtpl1"), FindControl<QAction>(Ed(), "VNewtpl1"),
          FindControl<QAction>(Ed(), "OpenNewtpl1"), FindControl<QAction>(Ed(), "CopyNew")}) {
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    }
    EXPECT_TRUE(FindControl<QToolButton>(Ed(), "VNtpl")->isEnabled());
}

TEST_F(FileCommandsTest, NewNamesGetTheirDescriptionAndAppendKeepsThem) {
    Ed().New1Click();
    EXPECT_TRUE(FindControl<QAction>(Ed(), "Open1")->isEnabled());
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("ghost");
    Ed().SaveAS1Click();
    EXPECT_EQ(messages_, QStringList{"Template \"Name\" Not Set"});
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mist");
    Ed().SaveAS1Click();
    EXPECT_EQ(messages_.last(), "Template \"Based on\" Not set");
    EXPECT_EQ(NewTpl(), "-");  // nothing written yet

    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("none");
    AnswerDescription("a drifting mist");
    Ed().SaveAS1Click();
    const std::string mist = "mist             none              type=ghost";
    std::string copied = master_;
    std::replace(copied.begin(), copied.end(), '\t', ' ');
    EXPECT_TRUE(NewTpl().starts_with(copied));
    EXPECT_TRUE(NewTpl().ends_with("\r\n# DESC: a drifting mist\r\n# BBOX: 0 0 0 0 0 0\r\n" + mist +
                                   "\r\n"));
    const std::string afterSave = NewTpl();

    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("fog");
    AnswerDescription("thicker");
    Ed().AppendtoNewtpl1Click();
    EXPECT_EQ(ReadFileBytes(state_.settings.OldTplPath()).bytes, afterSave);
    EXPECT_TRUE(NewTpl().ends_with(mist + "\r\n# DESC: thicker\r\n# BBOX: 0 0 0 0 0 0\r\nfog       "
                                          "       none              type=ghost\r\n"));

    // Appending a name already in New.tpl replaces it in place, with no dialog.
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mist");
    Ed().GridModel().setData(Ed().GridModel().index(7, GridTableModel::kValueColumn), "0.5",
                             Qt::EditRole);
    Ed().AppendtoNewtpl1Click();
    EXPECT_NE(NewTpl().find("type=ghost light=0.5\r\n# DESC: thicker"), std::string::npos);

    // A Save builds from master.tpl again, so it asks before it drops what was appended; the
    // New.tpl it replaces stays as Old.tpl.
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mist");
    const std::string appended = NewTpl();
    answer_ = Answer::Cancel;
    Ed().SaveAS1Click();
    EXPECT_EQ(questions_, QStringList{"New.tpl holds 1 template that is not in master.tpl (fog). "
                                      "Save starts New.tpl again from master.tpl and drops it."});
    EXPECT_EQ(NewTpl(), appended);
    answer_ = Answer::SaveAnyway;
    AnswerDescription("a drifting mist");
    Ed().SaveAS1Click();
    EXPECT_EQ(NewTpl().find("fog "), std::string::npos);
    EXPECT_EQ(ReadFileBytes(state_.settings.OldTplPath()).bytes, appended);
}

TEST_F(FileCommandsTest, MotsDialectSavesFromMotsTpl) {
    state_.settings.jkDialect = false;
    state_.settings.motsDialect = true;
    Pick("mara", [this] { Ed().Open1Click(); });
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "BasedOnE")->text(), "walkplayer");
    Ed().SaveAS1Click();
    EXPECT_NE(NewTpl().find("Mysteries of the Sith levels"), std::string::npos);

    std::filesystem::remove(state_.settings.MotsTplPath());
    Ed().SaveAS1Click();
    EXPECT_EQ(messages_.last(), "Cannot find Jed Mots.Tpl file");
}

TEST_F(FileCommandsTest, AFailedRebuildLeavesNewAndOldAsTheyWere) {
    Pick("crate", [this] { Ed().Open1Click(); });
    Ed().SaveAS1Click();
    const std::string saved = NewTpl();
    std::filesystem::create_directories(state_.settings.NewTplPath() + ".part");
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("crate2");
    AnswerDescription("x");
    Ed().AppendtoNewtpl1Click();
    EXPECT_TRUE(messages_.last().contains("New.tpl"));
    EXPECT_EQ(NewTpl(), saved);
    EXPECT_FALSE(std::filesystem::exists(state_.settings.OldTplPath()));
}

TEST_F(FileCommandsTest, ParentChoiceLeavesTheGridAndOpenNewTplReadsNewTpl) {
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    Ed().GridModel().setData(Ed().GridModel().index(20, GridTableModel::kValueColumn), "9",
                             Qt::EditRole);
    Pick("_weapon", [this] { Ed().BasedOnEClick(); });
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "BasedOnE")->text(), "_weapon");
    EXPECT_EQ(Ed().Grid().Row(20).value, "9");

    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("+zapper");
    AnswerDescription("zap");
    Ed().SaveAS1Click();
    Pick("+zapper", [this] { Ed().OpenNewtpl1Click(); });
    EXPECT_EQ(state_.document.TemplateFilePath(), state_.settings.NewTplPath());
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "+zapper");
}

TEST_F(FileCommandsTest, ViewAndCopyOfNewTpl) {
    Pick("crate", [this] { Ed().Open1Click(); });
    Ed().SaveAS1Click();
    FindControl<QToolButton>(Ed(), "VNtpl")->click();
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")
                    ->toPlainText()
                    .startsWith("# Object templates for Jedi Knight levels\n"));

    FileRequest asked;
    std::optional<QString> answer;
    const FileDialogHandler previous =
        SetFileDialogHandler([&](QWidget*, const FileRequest& request) {
            asked = request;
            return answer;
        });
    Ed().CopyNewClick();  // cancelled
    EXPECT_EQ(asked.title, "Save To Jed Project Directory");
    EXPECT_EQ(asked.proposedName, "master.tpl");
    EXPECT_TRUE(asked.save);

    answer = QString::fromStdString(state_.settings.jedTplPath);  // Jed's own file: refused
    Ed().CopyNewClick();
    EXPECT_EQ(messages_.last(), "Cannot Save to MASTER.TPL");
    EXPECT_EQ(ReadFileBytes(state_.settings.jedTplPath).bytes, master_);

    const std::string project = state_.settings.programDir + "project/master.tpl";
    std::filesystem::create_directories(state_.settings.programDir + "project");
    answer = QString::fromStdString(project);  // a new file in a project folder
    Ed().CopyNewClick();
    EXPECT_EQ(ReadFileBytes(project).bytes, NewTpl());
    SetFileDialogHandler(previous);
}

}  // namespace
}  // namespace skerry::ui
