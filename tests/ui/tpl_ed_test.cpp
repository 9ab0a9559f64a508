#include "app/ui/tpl_ed.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolButton>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/help_window.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class TplEdTest : public WindowTest {
  protected:
    static constexpr const char* kTemplates =
        "# DESC: weapons\r\n"
        "_weapon  none  type=weapon\r\n"
        "bryar    _weapon  damage=30\r\n"
        "Concussion _weapon\r\n"
        "_explosion none type=explosion\r\n"
        "blast    _explosion\r\n";
};

TEST_F(TplEdTest, StartsInItsInitialState) {
    EXPECT_EQ(Ed().windowTitle(), "Skerry ver 1.0c \u2014 Jedi Knight");
    EXPECT_TRUE(FindControl<QComboBox>(Ed(), "CB1")->isHidden());
    EXPECT_EQ(FindControl<QComboBox>(Ed(), "CB1")->currentText(), "type=");
    EXPECT_EQ(FindControl<QComboBox>(Ed(), "CB1")->count(), 10);
    EXPECT_FALSE(FindControl<QLineEdit>(Ed(), "BasedOnE")->isEnabled());
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "Name");
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "BasedOnE")->text(), "Based on");
    EXPECT_FALSE(FindControl<QAction>(Ed(), "SaveAS1")->isEnabled());
    EXPECT_FALSE(FindControl<QToolButton>(Ed(), "VNtpl")->isEnabled());
    EXPECT_EQ(Ed().GridModel().rowCount(), 4);
    EXPECT_TRUE(FindControl<QListWidget>(Ed(), "CLB1")->isHidden());
    ASSERT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->count(), 32);
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(31)->text(), "Bit31");
    EXPECT_TRUE(FindControl<QToolButton>(Ed(), "FlagOK")->isHidden());
    EXPECT_EQ(FindControl<QToolButton>(Ed(), "FlagOK")->toolTip(), "Claculate the Flag");
    EXPECT_EQ(FindControl<QToolButton>(Ed(), "ViewSB")->text(), " Line");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")->isReadOnly());

    EXPECT_EQ(FindControl<QAction>(Ed(), "Open1")->text().remove(QLatin1Char('&')), "Open ");
    EXPECT_EQ(FindControl<QAction>(Ed(), "CopyNew")->statusTip(),
              "Copies your completed  new.tpl file to - does not save current changes.");
    EXPECT_EQ(FindControl<QAction>(Ed(), "Templateline1")->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(FindControl<QAction>(Ed(), "TemplateChecks1")->shortcut(), QKeySequence(Qt::Key_F10));
    for (QAction* off :
         {FindControl<QAction>(Ed(), "OpenNewtpl1"), FindControl<QAction>(Ed(), "AppendtoNewtpl1"),
          FindControl<QAction>(Ed(), "CopyNew"), FindControl<QAction>(Ed(), "VNewtpl1")}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
    EXPECT_EQ(FindControl<QLabel>(Ed(), "SBarPanel0")->width(), 200);
    EXPECT_EQ(FindControl<QLabel>(Ed(), "SBarPanel2")->width(), 50);
}

TEST_F(TplEdTest, ChoosingATypeLoadsItsGridAndTypingReloads) {
    Ed().New1Click();
    EXPECT_TRUE(FindControl<QComboBox>(Ed(), "CB1")->isVisibleTo(&Ed()));
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    EXPECT_EQ(Ed().GridModel().rowCount(), 46);
    EXPECT_TRUE(FindControl<QAction>(Ed(), "SaveAS1")->isEnabled());
    Ed().GridModel().setData(Ed().GridModel().index(RowOf("health"), 2), "90", Qt::EditRole);
    EXPECT_EQ(Value("health"), "90");

    FindControl<QComboBox>(Ed(), "CB1")
        ->setEditText("actorx");  // one more letter: the same type, loaded afresh
    EXPECT_EQ(Value("health"), "");
    EXPECT_EQ(Value("type"), "actor");

    FindControl<QComboBox>(Ed(), "CB1")->setEditText("Item");  // no type word: nothing changes
    EXPECT_EQ(Ed().GridModel().rowCount(), 46);
}

TEST_F(TplEdTest, LineViewComposesNameParentAndValues) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("item");
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("+medpack");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("_item");
    Ed().GridModel().setData(Ed().GridModel().index(RowOf("+ model3d"), 2), "bact.3do",
                             Qt::EditRole);
    FindControl<QToolButton>(Ed(), "ViewSB")->click();
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().toStdString(),
              "+medpack" + std::string(9, ' ') + "_item" + std::string(12, ' ') +
                  " type=item model3d=bact.3do");
    // Typing into a cell changes only the cell; the line follows on the next composition.
    Ed().GridModel().setData(Ed().GridModel().index(RowOf("respawn"), 2), "30", Qt::EditRole);
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().endsWith("respawn=30"),
              false);
    FindControl<QAction>(Ed(), "Templateline1")->trigger();
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().endsWith("respawn=30"));
}

TEST_F(TplEdTest, NewWithoutTemplateFileSaysSoAndGoesOn) {
    state_.settings.jedTplPath = state_.settings.programDir + "missing.tpl";
    Ed().New1Click();
    EXPECT_EQ(messages_, QStringList{"Cannot find Jed Tpl file"});
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "TplNameE")->text(), "Tpl Name");
    EXPECT_EQ(FindControl<QLineEdit>(Ed(), "BasedOnE")->text(), "Based On");
    EXPECT_TRUE(FindControl<QLineEdit>(Ed(), "BasedOnE")->isEnabled());
    EXPECT_TRUE(FindControl<QAction>(Ed(), "Open1")->isEnabled());  // New and Open never lock
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText(), "No Parent Template");
    EXPECT_EQ(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().size(), 34);
}

TEST_F(TplEdTest, TemplateNameRowOffersEveryNameAndWritesThePick) {
    UseMasterTpl(kTemplates);
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    QStringList offered;
    WhenModal([&](QWidget*) {
        for (int i = 0; i < FindControl<QListWidget>(Res(), "LB1")->count(); ++i)
            offered << FindControl<QListWidget>(Res(), "LB1")->item(i)->text();
        EXPECT_FALSE(Res().ResourceMode());
        FindControl<QListWidget>(Res(), "LB1")
            ->setCurrentRow(static_cast<int>(offered.indexOf("bryar")));
        EXPECT_EQ(FindControl<QPlainTextEdit>(Res(), "Memo")->toPlainText(),
                  "bryar    _weapon  damage=30");
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    SelectRow("fleshhit");
    EXPECT_EQ(offered, (QStringList{"_explosion", "_weapon", "blast", "bryar", "Concussion"}));
    EXPECT_EQ(Value("fleshhit"), "bryar");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().endsWith("fleshhit=bryar"));
}

TEST_F(TplEdTest, WeaponRowsOfferDescendantsAndCancelKeepsTheValue) {
    UseMasterTpl(kTemplates);
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    Ed().GridModel().setData(Ed().GridModel().index(RowOf("weapon"), 2), "old", Qt::EditRole);
    QStringList offered;
    WhenModal([&](QWidget*) {
        for (int i = 0; i < FindControl<QListWidget>(Res(), "LB1")->count(); ++i)
            offered << FindControl<QListWidget>(Res(), "LB1")->item(i)->text();
        FindControl<QListWidget>(Res(), "LB1")->setCurrentRow(0);
        FindControl<QPushButton>(Res(), "BBClose")->click();
    });
    SelectRow("weapon");
    EXPECT_EQ(offered, (QStringList{"_weapon", "bryar", "Concussion"}));
    EXPECT_EQ(Value("weapon"), "old");
    EXPECT_TRUE(FindControl<QLineEdit>(Res(), "ED")->text().isEmpty());
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")
                    ->toPlainText()
                    .endsWith("weapon=old"));  // composed all the same
}

TEST_F(TplEdTest, PlainRowsOpenNothingAndHideTheFlagEditor) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    FindControl<QListWidget>(Ed(), "CLB1")->show();
    FindControl<QToolButton>(Ed(), "FlagOK")->show();
    bool modalSeen = false;
    WhenModal([&](QWidget* modal) {
        modalSeen = true;
        modal->close();
    });
    SelectRow("collide");
    EXPECT_EQ(Ed().CurrentRow(), RowOf("collide"));
    EXPECT_TRUE(FindControl<QListWidget>(Ed(), "CLB1")->isHidden());
    EXPECT_TRUE(FindControl<QToolButton>(Ed(), "FlagOK")->isHidden());
    EXPECT_FALSE(modalSeen);
}

TEST_F(TplEdTest, GridLoadDoesNotRunTheDispatch) {
    UseMasterTpl(kTemplates);
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    FindControl<QTableView>(Ed(), "SG1")
        ->setCurrentIndex(Ed().GridModel().index(RowOf("maxhealth"), 2));
    QApplication::processEvents();
    bool modalSeen = false;
    WhenModal([&](QWidget* modal) {
        modalSeen = true;
        modal->close();
    });
    FindControl<QComboBox>(Ed(), "CB1")
        ->setEditText("cog");  // shorter grid: the selection leaves the old row
    QApplication::processEvents();
    EXPECT_FALSE(modalSeen);
}

TEST_F(TplEdTest, MemoSelectionWritesOnlyWholePairs) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    SelectRow("health");
    FindControl<QPlainTextEdit>(Ed(), "Memo")
        ->setPlainText("Parent template(s)\n\nbase none type=actor health=200  \n");
    const QString text = FindControl<QPlainTextEdit>(Ed(), "Memo")->toPlainText();
    QTextCursor cursor = FindControl<QPlainTextEdit>(Ed(), "Memo")->textCursor();

    const int at = static_cast<int>(text.indexOf("health=200"));
    cursor.setPosition(at);
    cursor.setPosition(at + 12, QTextCursor::KeepAnchor);  // with the trailing blanks
    FindControl<QPlainTextEdit>(Ed(), "Memo")->setTextCursor(cursor);
    EXPECT_EQ(Value("health"), "200");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().endsWith("health=200"));

    cursor.setPosition(at + 3);  // a caret move
    FindControl<QPlainTextEdit>(Ed(), "Memo")->setTextCursor(cursor);
    cursor.setPosition(at, QTextCursor::KeepAnchor);  // a drag that has not reached "="
    FindControl<QPlainTextEdit>(Ed(), "Memo")->setTextCursor(cursor);
    EXPECT_EQ(Value("health"), "200");
}

TEST_F(TplEdTest, HelpOpensAtItsContentsTopicOrSaysItIsMissing) {
    Ed().HelpContents1Click();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].startsWith("Cannot find the help file"));

    WriteFile("Skerry.html",
              "<html><body><a name=\"context10\"></a><h1>Contents</h1></body></html>");
    Ed().HelpContents1Click();
    auto* help = Ed().findChild<HelpWindow*>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Browser()->source().fragment(), "context10");
    EXPECT_TRUE(help->Browser()->toPlainText().contains("Contents"));
}

// A new user's first actor: what the parent gives shows in grey with where it comes from, a
// model picked after it leaves the parent's size and says so, a value the game does not apply
// is struck through, and the line keeps only the template's own values.
TEST_F(TplEdTest, TheGridShowsWhatTheGameTakesFromTheParents) {
    StartWithSampleData();
    Ed().New1Click();
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("mytrooper");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("_humanactor");
    auto cell = [this](const char* row) {
        return Ed().GridModel().index(RowOf(row), GridTableModel::kValueColumn);
    };
    EXPECT_EQ(cell("size").data(Qt::DisplayRole).toString(), "0.065");
    EXPECT_EQ(cell("size").data(Qt::EditRole).toString(), "");
    EXPECT_TRUE(cell("size").data(Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(cell("size").data(Qt::ToolTipRole).toString(), "from _humanactor");
    EXPECT_EQ(cell("mass").data(Qt::ToolTipRole).toString(), "from _actor");

    SetValue("+ model3d", "crate.3do");
    SetValue("movesize", "0.1");
    EXPECT_EQ(cell("size").data(Qt::DisplayRole).toString(), "0.065");
    EXPECT_EQ(cell("size").data(Qt::ToolTipRole).toString(),
              "from _humanactor; the radius of crate.3do is not used: size is set already");
    EXPECT_TRUE(cell("movesize").data(Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_TRUE(cell("movesize")
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith("movesize does nothing for an actor"));
    Ed().ViewSBClick();
    const QString line = FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText();
    EXPECT_TRUE(line.endsWith("type=actor movesize=0.1 model3d=crate.3do")) << line.toStdString();

    // Based on a template without a size, the size is the radius of the model, from the
    // container the picker has open.
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("_decor");
    SetValue("movesize", "");
    EXPECT_EQ(cell("size").data(Qt::DisplayRole).toString(), "0.123296");
    EXPECT_EQ(cell("size").data(Qt::ToolTipRole).toString(), "the radius of crate.3do");

    // The window lists the same, and follows the next change.
    FindControl<QAction>(Ed(), "WhatTheGameUses1")->trigger();
    auto* window = FindControl<QWidget>(Ed(), "FinishedTemplateWindow");
    EXPECT_TRUE(window->isVisible());
    auto* params = FindControl<QTableWidget>(*window, "Params");
    auto fromOf = [params](const char* name) {
        for (int row = 0; row < params->rowCount(); ++row) {
            if (params->item(row, 0)->text() == name) {
                return params->item(row, 2)->text();
            }
        }
        return QString();
    };
    EXPECT_EQ(fromOf("size"), "model crate.3do");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("_humanactor");
    EXPECT_EQ(fromOf("size"),
              "_humanactor; the radius of crate.3do is not used: size is set already");
    window->hide();
}

}  // namespace
}  // namespace skerry::ui
