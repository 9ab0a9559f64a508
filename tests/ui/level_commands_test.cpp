#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "template/ui/tpl_desc.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class LevelCommandsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    // Starts a template as File > New does and fills it in.
    void Start(const QString& type, const QString& name, const QString& parent) {
        Ed().New1Click();
        FindControl<QComboBox>(Ed(), "CB1")->setEditText(type);
        FindControl<QLineEdit>(Ed(), "TplNameE")->setText(name);
        FindControl<QLineEdit>(Ed(), "BasedOnE")->setText(parent);
    }
};

// A new trooper with a bolt of its own, put into a level that has only the actor base: the
// save asks for its description, the put brings every template the trooper needs, and the
// level's findings come up with what was put.
TEST_F(LevelCommandsTest, PutIntoLevelSavesThenPutsTheChainAndShowsTheLevelsCheck) {
    QAction* put = FindControl<QAction>(Ed(), "PutIntoLevel1");
    EXPECT_FALSE(put->isEnabled());  // nothing to save yet
    Start("weapon", "+mybolt", "+bryarbolt");
    AnswerDescription("my bolt");
    Ed().SaveAS1Click();
    Start("actor", "mytrooper", "stormtrooper");
    SetValue("weapon", "+mybolt");
    EXPECT_TRUE(put->isEnabled());

    const std::string level = WriteFile(
        "x.jkl", "Section: TEMPLATES\r\nWorld templates 1\r\n_actor none type=actor\r\nend\r\n");
    const FileDialogHandler previous = SetFileDialogHandler(
        [&](QWidget*, const FileRequest&) { return std::optional(QString::fromStdString(level)); });
    QString label;
    QStringList codes;
    WhenModal([&](QWidget*) {
        FindControl<QLineEdit>(windows_->TplDesc(), "E1")->setText("my trooper");
        FindControl<QPushButton>(windows_->TplDesc(), "BBOK")->click();
        WhenModal([&](QWidget* window) {
            label = FindControl<QLabel>(*window, "FileLabel")->text();
            auto* table = FindControl<QTableWidget>(*window, "Findings");
            for (int row = 0; row < table->rowCount(); ++row) {
                codes << table->item(row, 1)->text();
            }
            FindControl<QPushButton>(*window, "BBClose")->click();
        });
    });
    put->trigger();
    SetFileDialogHandler(previous);

    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
    EXPECT_NE(NewTpl().find("# DESC: my trooper\r\n# BBOX: "), std::string::npos);
    EXPECT_TRUE(label.startsWith("Added: ")) << label.toStdString();
    EXPECT_TRUE(label.contains("+mybolt, mytrooper\n")) << label.toStdString();
    EXPECT_TRUE(label.contains("The level as it was is kept as x.jkl.bak.")) << label.toStdString();
    for (const char* code : {"missing-parent", "missing-reference", "parent-later",
                             "reference-later", "templates-count"}) {
        EXPECT_FALSE(codes.contains(code)) << code;
    }
    const std::string after = ReadFileBytes(level).bytes.value_or("");
    EXPECT_TRUE(after.ends_with(" weapon=+mybolt\r\nend\r\n")) << after;
    EXPECT_TRUE(FileExists(level + ".bak"));
}

}  // namespace
}  // namespace skerry::ui
