// The habits of a desktop program: the platform's shortcuts, menus from the keyboard, windows
// that come back where they were, and the templates opened lately.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "common/ui/window_geometry.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class DesktopHabitsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    QAction* Action(const char* name) { return FindControl<QAction>(Ed(), name); }
    // Starts the windows afresh on what the store holds now, as the next run would.
    void Restart() {
        windows_.reset();
        WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
        windows_ = std::make_unique<AppWindows>(state_);
        messages_.clear();
        state_.settings.workDir = state_.settings.programDir = dir_.path().toStdString() + "/";
    }
};

TEST_F(DesktopHabitsTest, ShortcutsReachTheirCommands) {
    const std::pair<const char*, QKeySequence> keys[] = {
        {"New1", QKeySequence::New},
        {"Open1", QKeySequence::Open},
        {"SaveAS1", QKeySequence::Save},
        {"AppendtoNewtpl1",
         QKeySequence::keyBindings(QKeySequence::SaveAs).value(0, QKeySequence("Ctrl+Shift+S"))},
        {"Exit1", QKeySequence::Quit},
        {"HelpContents1", QKeySequence::HelpContents},
        {"Templateline1", QKeySequence(Qt::Key_F12)},
        {"TemplateChecks1", QKeySequence(Qt::Key_F10)},
    };
    for (const auto& [name, key] : keys) {
        EXPECT_EQ(Action(name)->shortcut(), key) << name;
    }
    // Pressed on the window, as a user does.
    Ed().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Ed()));
    QTest::keySequence(&Ed(), QKeySequence::New);
    EXPECT_TRUE(FindControl<QComboBox>(Ed(), "CB1")->isVisible());
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("ghost");
    QTest::keyClick(&Ed(), Qt::Key_F12);
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().contains("type=ghost"));
    // The grid reached by Tab has a value cell for the arrow keys to move from.
    auto* grid = FindControl<QTableView>(Ed(), "SG1");
    grid->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(0, GridTableModel::kValueColumn));
    QTest::keySequence(&Ed(), QKeySequence::Save);
    EXPECT_EQ(messages_, QStringList{"Template \"Name\" Not Set"});
    // Alt and the underlined letter open the File menu.
    QMenu* file = Ed().menuBar()->actions().front()->menu();
    QTest::keyClick(&Ed(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(file->isVisible());
    file->close();
}

TEST_F(DesktopHabitsTest, AWindowComesBackOnTheScreen) {
    Ed().resize(700, 500);
    Ed().move(40, 30);
    Ed().show();
    windows_->SaveLayout();
    const QRect placed = Ed().geometry();
    Restart();
    ASSERT_TRUE(windows_->RestoreLayout());
    EXPECT_EQ(Ed().geometry(), placed);

    // Left on a monitor that is gone, or not a place at all.
    QWidget faraway;
    faraway.resize(700, 500);
    faraway.move(9000, 7000);
    store_->values[std::string(kMainGeometryValue)] = SaveWindowGeometry(faraway).toStdString();
    Restart();
    ASSERT_TRUE(windows_->RestoreLayout());
    Ed().show();
    EXPECT_TRUE(Ed().screen()->availableGeometry().contains(Ed().geometry()));
    store_->values[std::string(kMainGeometryValue)] = "not a place";
    Restart();
    EXPECT_FALSE(windows_->RestoreLayout());
}

TEST_F(DesktopHabitsTest, OpenRecentOpensItsTemplateAndForgetsOneThatIsGone) {
    Pick("crate", [this] { Ed().Open1Click(); });
    Pick("_weapon", [this] { Ed().Open1Click(); });
    Restart();
    ASSERT_EQ(Ed().Recent().Items().size(), 2u);
    FindControl<QAction>(Ed(), "OpenRecent2")->trigger();  // crate, the older one
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "crate");
    EXPECT_EQ(Value("+ model3d"), "crate.3do");
    EXPECT_EQ(Ed().Recent().Items().front().name, "crate");
    EXPECT_TRUE(messages_.isEmpty());

    // A template gone from its file, and a file gone.
    Ed().OpenRecent({"no_such_template", state_.settings.jedTplPath});
    Ed().OpenRecent({"crate", state_.settings.programDir + "missing.tpl"});
    ASSERT_EQ(messages_.size(), 2);
    EXPECT_TRUE(messages_[0].contains("no longer holds the template no_such_template"));
    EXPECT_TRUE(messages_[1].contains("missing.tpl is no longer there"));
    EXPECT_EQ(Ed().Recent().Items().size(), 2u);
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "crate");
}

// Two templates of one's own in New.tpl, and the next run opens one of them again: saving it
// on the way out must keep the other.
TEST_F(DesktopHabitsTest, ATemplateOpenedAgainFromNewTplIsSavedBesideTheOthers) {
    Pick("crate", [this] { Ed().Open1Click(); });
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mycrate");
    AnswerDescription("");
    Ed().SaveAS1Click();
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mycrate2");
    AnswerDescription("");
    Ed().AppendtoNewtpl1Click();
    EXPECT_TRUE(Ed().statusBar()->currentMessage().startsWith("Appended mycrate2 to "));
    Ed().AppendtoNewtpl1Click();  // once more: in place of its own line, not at the end
    EXPECT_TRUE(Ed().statusBar()->currentMessage().startsWith("Replaced mycrate2 in "));
    Restart();
    FindControl<QAction>(Ed(), "OpenRecent1")->trigger();
    ASSERT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "mycrate2");
    SetValue("light", "0.5");
    answer_ = Answer::Save;
    AnswerDescription("");  // asked only when the template goes into a New.tpl made afresh
    EXPECT_TRUE(Ed().close());
    EXPECT_NE(NewTpl().find("mycrate "), std::string::npos);
    EXPECT_NE(NewTpl().find("light=0.5"), std::string::npos);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

}  // namespace
}  // namespace skerry::ui
