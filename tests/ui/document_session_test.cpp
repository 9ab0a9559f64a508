// A whole working session in the windows: New and Open one after the other without a
// restart, picks that start from the row's own value, Ctrl+Z over each kind of change, and a
// file check that stays open on a template that cannot be opened.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class DocumentSessionTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    QString Box(const char* name) { return FindControl<QLineEdit>(Ed(), name)->text(); }
    QAction* Action(const char* name) { return FindControl<QAction>(Ed(), name); }
    QString PickerName() { return FindControl<QLineEdit>(Res(), "ED")->text(); }
};

TEST_F(DocumentSessionTest, NewAndOpenFollowEachOtherWithoutARestart) {
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mytrooper");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("none");
    AnswerDescription("mine");
    Action("SaveAS1")->trigger();
    for (const char* command : {"New1", "Open1", "OpenNewtpl1", "AppendtoNewtpl1"}) {
        EXPECT_TRUE(Action(command)->isEnabled()) << command;
    }
    Pick("+concussion", [this] { Action("Open1")->trigger(); });
    EXPECT_EQ(Box("TplNameE"), "+concussion");
    EXPECT_EQ(FindControl<QComboBox>(Ed(), "CB1")->currentText(), "weapon");  // not "actor"
    Action("New1")->trigger();
    EXPECT_EQ(Box("TplNameE"), "Tpl Name");
    // Typing straight after New replaces the placeholder rather than adding to it.
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->selectedText(), "Tpl Name");
    EXPECT_EQ(Ed().Grid().RowCount(), 4u);
    Pick("mytrooper", [this] { Action("OpenNewtpl1")->trigger(); });
    EXPECT_EQ(Box("TplNameE"), "mytrooper");
    EXPECT_EQ(FindControl<QComboBox>(Ed(), "CB1")->currentText(), "actor");
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(DocumentSessionTest, APickStartsFromTheRowsOwnValueNeverFromTheLastPick) {
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    Pick("stormtrooper", [this] { Ed().BasedOnEClick(); });
    EXPECT_EQ(Box("BasedOnE"), "stormtrooper");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "Memo")
                    ->toPlainText()
                    .startsWith("Parent template(s)\n\nstormtrooper "));

    QString startedWith = "-";
    WhenModal([&](QWidget*) {
        startedWith = PickerName();
        FindControl<QListWidget>(Res(), "LB1")
            ->setCurrentItem(FindControl<QListWidget>(Res(), "LB1")
                                 ->findItems("crate.3do", Qt::MatchExactly)[0]);
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    SelectRow("+ model3d");
    EXPECT_EQ(startedWith, "");
    EXPECT_EQ(Value("+ model3d"), "crate.3do");

    // Shown again, the picker has the row's value chosen; OK on an empty box changes nothing.
    SelectRow("health");
    QString chosen;
    WhenModal([&](QWidget*) {
        chosen = FindControl<QListWidget>(Res(), "LB1")->currentItem()->text();
        startedWith = PickerName();
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    SelectRow("+ model3d");
    EXPECT_EQ(chosen, "crate.3do");
    EXPECT_EQ(startedWith, "crate.3do");
    WhenModal([&](QWidget*) {
        startedWith = PickerName();
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    SelectRow("+ puppet");
    EXPECT_EQ(startedWith, "");
    EXPECT_EQ(Value("+ puppet"), "");
    EXPECT_EQ(Value("+ model3d"), "crate.3do");
}

TEST_F(DocumentSessionTest, CtrlZTakesBackEachKindOfChange) {
    Ed().show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Ed()));
    Pick("crate", [this] { Ed().Open1Click(); });
    const struct {
        const char* what;
        std::function<void()> change;
        QString undoText;
        const char* where;
    } cases[] = {
        {"a typed value", [this] { SetValue("light", "0.5"); }, "&Undo value of light", "SG1"},
        {"a picked value", [this] { Pick("kyle.3do", [this] { SelectRow("+ model3d"); }); },
         "&Undo value of model3d", "Memo"},
        {"a type change", [this] { FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon"); },
         "&Undo type change", "TplNameE"},
        {"the name", [this] { FindControl<QLineEdit>(Ed(), "TplNameE")->setText("box"); },
         "&Undo name", "TplNameE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string line = Ed().Document().Line();
        const std::size_t rows = Ed().Grid().RowCount();
        c.change();
        ASSERT_NE(Ed().Document().Line(), line);
        EXPECT_EQ(Action("Undo1")->text(), c.undoText);
        Ed().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Ed()));
        // Pressed where the user is: a box or text area whose own undo must not take the key.
        QWidget* where = FindControl<QWidget>(Ed(), c.where);
        where->setFocus();
        QTest::keySequence(where, QKeySequence::Undo);
        EXPECT_EQ(Ed().Document().Line(), line);
        EXPECT_EQ(Ed().Grid().RowCount(), rows);
        EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().toStdString(), line);
        QTest::keySequence(where, QKeySequence(Qt::CTRL | Qt::Key_Y));
        EXPECT_NE(Ed().Document().Line(), line);
        QTest::keySequence(where, QKeySequence::Undo);
    }
    // Undone back to what was opened, it is unchanged: leaving asks nothing.
    EXPECT_EQ(Box("TplNameE"), "crate");
    EXPECT_TRUE(Ed().close());
    EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(DocumentSessionTest, TheFileCheckStaysOpenOnATemplateThatCannotBeOpened) {
    bool stayed = false;
    QString problem, line;
    WhenModal([&](QWidget* window) {
        auto* table = FindControl<QTableWidget>(*window, "Findings");
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 1)->text() == "no-type") {
                table->selectRow(row);
            }
        }
        FindControl<QPushButton>(*window, "BBOpen")->click();
        stayed = window->isVisible();
        problem = FindControl<QLabel>(*window, "OpenProblem")->text();
        line = FindControl<QPlainTextEdit>(*window, "LineView")->toPlainText();
        FindControl<QPushButton>(*window, "BBClose")->click();
    });
    Action("CheckTemplateFile1")->trigger();
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(problem.contains("names its type")) << problem.toStdString();
    EXPECT_EQ(line, "+bryarbolt_strong+bryarboltdamage=45.0\t\t");
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(DocumentSessionTest, AMotsRunLooksItsFilesUpInTheMotsContainers) {
    RestartInMots();
    EXPECT_TRUE(Res().Resources().CurrentPath().ends_with("jkmres.goo"));
    EXPECT_EQ(Ed().windowTitle(), "Skerry ver 1.0c \u2014 Mots");
    const ListedModel mara = Ed().Document().ReadModel("mara.3do");
    EXPECT_TRUE(mara.model.has_value()) << mara.message;
    EXPECT_EQ(Ed().Document().ReadModel("kyle.3do").status, ModelStatus::NotListed);
}

}  // namespace
}  // namespace skerry::ui
