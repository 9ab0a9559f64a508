#include "editors/ui/tpl_vec.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class TVectorTest : public WindowTest {
  protected:
    TVector& Vec() { return windows_->Vector(); }

    // Selects the row's value cell, answering the dialog once it is up.
    void Open(const std::string& name, const std::function<void()>& answer) {
        bool shown = false;
        WhenModal([&](QWidget* modal) {
            shown = modal == &Vec();
            answer();
        });
        Ed().SG1SelectCell(GridTableModel::kValueColumn, RowOf(name));
        EXPECT_TRUE(shown) << name;
    }
    QStringList Fields() {
        return {Vec().EX->text(), Vec().EY->text(),  Vec().EZ->text(),
                Vec().EP->text(), Vec().EYw->text(), Vec().ER->text()};
    }
};

TEST_F(TVectorTest, FrameRowEditsAllSixAndTheCloseBoxKeepsTheCell) {
    Ed().CB1->setEditText("cog");
    Open("frame", [&] { Vec().BBOK->click(); });
    EXPECT_EQ(Value("frame"), "(0.0/0.0/0.0:0.0/0.0/0.0)");

    Value("frame") = "(1/2/3:90/0/45)";
    Open("frame", [&] {
        EXPECT_EQ(Vec().GB1->title(), "frame");
        EXPECT_EQ(Vec().Label7->text(), "Frame");
        EXPECT_EQ(Fields(), (QStringList{"1", "2", "3", "90", "0", "45"}));
        Vec().EY->setText("abc");
        EXPECT_EQ(Vec().ETot->text(), "(1/abc/3:90/0/45)");
        Vec().close();  // the window frame's close box
    });
    EXPECT_FALSE(Ed().VectorMode());
    EXPECT_EQ(Value("frame"), "(1/2/3:90/0/45)");
    EXPECT_TRUE(Ed().RE1->toPlainText().endsWith("frame=(1/2/3:90/0/45)"));  // composed anyway
}

TEST_F(TVectorTest, VectorRowsKeepTheOrientationOutAndRereadTheCellAtEveryShowing) {
    Ed().CB1->setEditText("cog");
    Value("frame") = "(1/2/3:90/0/45)";
    Open("frame", [&] { Vec().BBOK->click(); });

    Value("orient") = "(4/5/6)";
    Open("orient", [&] {
        EXPECT_EQ(Vec().GB1->title(), "vector");
        EXPECT_EQ(Fields(), (QStringList{"4", "5", "6", "90", "0", "45"}));
        EXPECT_FALSE(Vec().EP->isEnabled());
        EXPECT_FALSE(Vec().Labels[5]->isEnabled());
        EXPECT_EQ(Vec().ETot->text(), "(4/5/6)");
        Vec().EX->setText("9");
        Vec().close();
    });
    EXPECT_TRUE(Ed().VectorMode());
    // What was typed and dropped does not come back; OK without typing keeps the value.
    Open("orient", [&] { Vec().BBOK->click(); });
    EXPECT_EQ(Value("orient"), "(4/5/6)");
    EXPECT_EQ(Vec().EX->text(), "4");
}

}  // namespace
}  // namespace skerry::ui
