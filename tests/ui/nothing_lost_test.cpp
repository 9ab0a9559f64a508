// Nothing a user typed or opened is lost: a value still in its cell editor, a template's
// own fields and type, a byte no font shows, the work on the grid when the picker is closed
// without a choice or the window is closed.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "sample/game_file_writers.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class NothingLostTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    QTableView* Grid() { return FindControl<QTableView>(Ed(), "SG1"); }
    QString Line() { return FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText(); }
    QString Text(const char* box) { return FindControl<QLineEdit>(Ed(), box)->text(); }
    QAction* Action(const char* name) { return FindControl<QAction>(Ed(), name); }

    // Opens the value cell's editor and types into it, as a user does right before a
    // command that takes no focus: a shortcut, a flat button, a menu.
    void TypeWithoutConfirming(const std::string& row, const QString& text) {
        const QModelIndex cell = Ed().GridModel().index(RowOf(row), GridTableModel::kValueColumn);
        Grid()->setCurrentIndex(cell);
        QApplication::processEvents();
        Grid()->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(Grid()->indexWidget(cell));
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
    }
    // The grid's values and the boxes, to see that nothing changed.
    QStringList Work() {
        QStringList work{Text("TplNameE"), Text("BasedOnE"),
                         FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText()};
        for (const GridRow& row : Ed().Grid().Rows()) {
            work << QString::fromStdString(row.name + "=" + row.value);
        }
        return work;
    }
};

TEST_F(NothingLostTest, ATypedValueReachesTheLineWithoutBeingConfirmed) {
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"F12", [this] { Action("Templateline1")->trigger(); }},
        {"the Line button", [this] { FindControl<QToolButton>(Ed(), "ViewSB")->click(); }},
        {"Save", [this] { Action("SaveAS1")->trigger(); }},
        {"Append", [this] { Action("AppendtoNewtpl1")->trigger(); }},
    };
    Pick("crate", [this] { Ed().Open1Click(); });
    int typed = 0;
    for (const auto& [what, command] : commands) {
        SCOPED_TRACE(what);
        const QString light = QStringLiteral("0.%1").arg(++typed);
        TypeWithoutConfirming("light", light);
        command();
        EXPECT_TRUE(Line().contains(" light=" + light)) << Line().toStdString();
        EXPECT_EQ(Value("light"), light.toStdString());
        if (Action("AppendtoNewtpl1")->isEnabled()) {
            EXPECT_NE(NewTpl().find("light=" + light.toStdString()), std::string::npos);
        }
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(NothingLostTest, OpenKeepsATemplatesOwnFieldsAndTypeAndSavesThemBack) {
    // Fields its grid has no row for, its own type beside a parent, and a no-break space.
    WriteFile("own.tpl",
              "_actor none type=actor\r\n"
              "walker _actor type=player treesize=2 health=5 health=6\r\n");
    state_.settings.jedTplPath = state_.settings.programDir + "own.tpl";
    Pick("walker", [this] { Ed().Open1Click(); });
    EXPECT_EQ(Value("type"), "player");
    EXPECT_EQ(Ed().Grid().RowCount(), 48u);  // the actor rows and two kept ones
    Ed().GridModel().setData(Ed().GridModel().index(RowOf("light"), GridTableModel::kValueColumn),
                             QStringLiteral("a\u00a0b"), Qt::EditRole);
    AnswerDescription("x");
    Action("SaveAS1")->trigger();
    EXPECT_NE(NewTpl().find("walker           _actor            type=player light=a\xa0"
                            "b health=5 treesize=2 health=6\r\n"),
              std::string::npos);
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(NothingLostTest, APickerClosedWithoutAChoiceChangesNothing) {
    Pick("crate", [this] { Ed().Open1Click(); });
    SetValue("light", "0.7");
    const QStringList before = Work();
    const std::vector<std::pair<const char*, std::function<void(QDialog*)>>> closings = {
        {"Esc", [](QDialog* picker) { picker->reject(); }},
        {"the close box", [](QDialog* picker) { picker->close(); }},
        {"Cancel", [this](QDialog*) { FindControl<QPushButton>(Res(), "BBClose")->click(); }},
    };
    for (const auto& [what, closing] : closings) {
        for (const auto& command : {std::function<void()>([this] { Ed().Open1Click(); }),
                                    std::function<void()>([this] { Ed().BasedOnEClick(); })}) {
            SCOPED_TRACE(what);
            WhenModal([this, closing = closing](QWidget* modal) {
                // A name clicked and then left: still no choice.
                auto* list = FindControl<QListWidget>(Res(), "LB1");
                list->setCurrentItem(list->findItems("_weapon", Qt::MatchExactly)[0]);
                closing(static_cast<QDialog*>(modal));
            });
            command();
            EXPECT_EQ(Work(), before);
        }
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(NothingLostTest, SaveRefusesNamesALineCannotKeepWhole) {
    const std::pair<QString, const char*> names[] = {
        {"", "The template name is empty."},
        {"two words", "The template name \"two words\" holds a blank; a name is one word."},
        {"tab\tbed", "The template name \"tab\tbed\" holds a tab; a name is one word."},
        {"bell\x07", "holds a control character (byte 7)"},
        {"rail#2", "holds \"#\", which begins a comment in a template file."},
        {"rail,2", "holds \",\", which the game reads as a blank in a template file."},
    };
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("ghost");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("none");
    for (const auto& [name, message] : names) {
        FindControl<QLineEdit>(Ed(), "TplNameE")->setText(name);
        for (const auto command : {&TTplEd::SaveAS1Click, &TTplEd::AppendtoNewtpl1Click}) {
            messages_.clear();
            (Ed().*command)();
            ASSERT_EQ(messages_.size(), 1);
            EXPECT_TRUE(messages_[0].contains(message)) << messages_[0].toStdString();
            EXPECT_EQ(NewTpl(), "-");
        }
    }
}

TEST_F(NothingLostTest, LeavingAChangedTemplateAsks) {
    Pick("crate", [this] { Ed().Open1Click(); });
    EXPECT_TRUE(Ed().close());  // nothing changed, nothing asked
    EXPECT_TRUE(questions_.isEmpty());

    SetValue("light", "0.9");
    answer_ = Answer::Cancel;
    EXPECT_FALSE(Ed().close());
    Ed().New1Click();
    ASSERT_EQ(questions_.size(), 2);
    EXPECT_EQ(questions_[0],
              "The template \"crate\" was changed and not saved. Save it to New.tpl?");
    EXPECT_EQ(Text("TplNameE"), "crate");
    EXPECT_EQ(Value("light"), "0.9");

    answer_ = Answer::Save;
    EXPECT_TRUE(Ed().close());
    EXPECT_NE(NewTpl().find("light=0.9"), std::string::npos);
    EXPECT_TRUE(Ed().close());  // saved: nothing to ask
    EXPECT_EQ(questions_.size(), 3);
}

TEST_F(NothingLostTest, AProgramFolderThatCannotBeWrittenSavesInTheUsersOwn) {
    const std::string base = dir_.path().toStdString();
    std::ofstream(base + "/plain") << "a file, so nothing can be made below it";
    state_.folders = {base + "/plain/skerry/", base + "/share/Skerry"};
    windows_.reset();
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    windows_ = std::make_unique<AppWindows>(state_);
    const std::string perUser = base + "/share/Skerry/";
    EXPECT_EQ(state_.settings.workDir, perUser);

    Pick("crate", [this] { Ed().Open1Click(); });
    Action("SaveAS1")->trigger();
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
    EXPECT_TRUE(FileExists(perUser + "New.tpl"));

    QString said;
    WhenModal([&](QWidget* about) {
        said = FindControl<QLabel>(*about, "Purpose")->toolTip();
        static_cast<QDialog*>(about)->accept();
    });
    Action("AboutSkerry1")->trigger();
    EXPECT_EQ(said, QString::fromStdString(perUser));
}

}  // namespace
}  // namespace skerry::ui
