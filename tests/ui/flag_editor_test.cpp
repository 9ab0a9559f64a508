#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolButton>
#include <initializer_list>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

// The bit list and the Flag button on the main window, driven as the user does.
class FlagEditorTest : public WindowTest {
  protected:
    void Tick(std::initializer_list<int> entries) {
        for (int i : entries) {
            FindControl<QListWidget>(Ed(), "CLB1")->item(i)->setCheckState(Qt::Checked);
        }
    }
    bool ListOpen() {
        return FindControl<QListWidget>(Ed(), "CLB1")->isVisibleTo(&Ed()) &&
               FindControl<QToolButton>(Ed(), "FlagOK")->isVisibleTo(&Ed()) &&
               FindControl<QToolButton>(Ed(), "FlagOK")->isEnabled();
    }
    bool ListClosed() {
        return FindControl<QListWidget>(Ed(), "CLB1")->isHidden() &&
               FindControl<QToolButton>(Ed(), "FlagOK")->isHidden();
    }
    int TickedCount() {
        int ticked = 0;
        for (int i = 0; i < FindControl<QListWidget>(Ed(), "CLB1")->count(); ++i) {
            ticked += FindControl<QListWidget>(Ed(), "CLB1")->item(i)->checkState() == Qt::Checked
                          ? 1
                          : 0;
        }
        return ticked;
    }
    QString Title() { return FindControl<QLabel>(Ed(), "SBarPanel1")->text(); }
};

TEST_F(FlagEditorTest, TickAndPressFlagWritesTheCellAndTheLine) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    SetValue("+ thingflags", "0x10");  // never read back into the list
    SelectRow("+ thingflags");
    ASSERT_TRUE(ListOpen());
    EXPECT_EQ(Title(), "Thing flags");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(0)->text(), "Emits Light");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(5)->text(), "0x00000020");
    EXPECT_EQ(TickedCount(), 0);

    Tick({0, 3});
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(Value("+ thingflags"), "0x9");
    EXPECT_TRUE(
        FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().contains(" thingflags=0x9"));
    EXPECT_TRUE(ListClosed());
    EXPECT_FALSE(FindControl<QToolButton>(Ed(), "FlagOK")->isEnabled());
    EXPECT_EQ(Title(), "Thing flags");  // stays until another kind opens

    SelectRow("+ physflags");
    EXPECT_EQ(Title(), "Physics flags");
    EXPECT_EQ(TickedCount(), 0);
    Tick({1});
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_EQ(Value("+ physflags"), "0x2");
}

TEST_F(FlagEditorTest, DamageTakesExactlyOneValue) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    SetValue("+ damageclass", "0x4");
    SelectRow("+ damageclass");
    EXPECT_EQ(Title(), "Damage Type");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(10)->text(), "Saber");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(11)->text(), "0x0B");
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_EQ(messages_, QStringList{"Choose a flag "});
    EXPECT_TRUE(ListOpen());

    Tick({1, 2});
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_EQ(messages_.last(), "More than one bit selected Not Allowed - Redo");
    EXPECT_EQ(Value("+ damageclass"), "0x4");
    EXPECT_EQ(TickedCount(), 0);
    EXPECT_TRUE(ListClosed());
    EXPECT_FALSE(Ed().SingleValueMode());

    SelectRow("damage");
    SelectRow("+ damageclass");  // opened afresh
    Tick({10});
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_EQ(Value("+ damageclass"), "0xA");
}

TEST_F(FlagEditorTest, LeavingTheRowWritesNothingAndReopeningStartsClean) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    SelectRow("+ damageclass");
    Tick({4});
    SelectRow("+ typeflags");  // damage left open; weapon flags are read as bits
    EXPECT_EQ(Title(), "Weapon Flags");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(10)->text(),
              "Reflects on Magsealed surf");
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(4)->text(), "0x00000010");
    EXPECT_EQ(TickedCount(), 0);
    Tick({0, 1});
    SelectRow("damage");
    EXPECT_TRUE(ListClosed());
    EXPECT_EQ(Value("+ typeflags"), "");
    EXPECT_EQ(Value("+ damageclass"), "");

    SelectRow("+ thingflags");
    EXPECT_EQ(TickedCount(), 0);
    Tick({0, 1});
    FindControl<QToolButton>(Ed(), "FlagOK")->click();
    EXPECT_EQ(Value("+ thingflags"), "0x3");
}

TEST_F(FlagEditorTest, TypeFlagsRowsOpenTheirTypesKind) {
    const std::pair<const char*, const char*> kinds[] = {{"actor", "Actor Flags"},
                                                         {"explosion", "Explosion Flags"},
                                                         {"item", "Item Type"},
                                                         {"particle", "Particle flags"}};
    for (const auto& [type, title] : kinds) {
        FindControl<QComboBox>(Ed(), "CB1")->setEditText(type);
        SelectRow("+ typeflags");
        EXPECT_TRUE(ListOpen()) << type;
        EXPECT_EQ(Title(), title);
    }
    EXPECT_EQ(FindControl<QListWidget>(Ed(), "CLB1")->item(2)->text(), "Random ");
}

TEST_F(FlagEditorTest, LoadingAnotherGridClosesTheList) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    SelectRow("+ typeflags");
    Tick({2});
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    EXPECT_TRUE(ListClosed());
}

TEST_F(FlagEditorTest, ClickingAnEntryShowsItsCaptionAsHint) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("weapon");
    SelectRow("+ typeflags");
    QListWidget* list = FindControl<QListWidget>(Ed(), "CLB1");
    list->setCurrentRow(12);  // a click highlights the entry, then reports it
    emit list->itemClicked(list->item(12));
    EXPECT_EQ(list->toolTip(), "Close Proximity Trigger");
    list->clearSelection();
    Ed().CLB1Click();
    EXPECT_EQ(list->toolTip(), "");
}

}  // namespace
}  // namespace skerry::ui
