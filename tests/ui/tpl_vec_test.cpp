#include "editors/ui/tpl_vec.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
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
        return {FindControl<QLineEdit>(Vec(), "EX")->text(),
                FindControl<QLineEdit>(Vec(), "EY")->text(),
                FindControl<QLineEdit>(Vec(), "EZ")->text(),
                FindControl<QLineEdit>(Vec(), "EP")->text(),
                FindControl<QLineEdit>(Vec(), "EYw")->text(),
                FindControl<QLineEdit>(Vec(), "ER")->text()};
    }
};

TEST_F(TVectorTest, FrameRowEditsAllSixAndTheCloseBoxKeepsTheCell) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("cog");
    Open("frame", [&] { FindControl<QPushButton>(Vec(), "BBOK")->click(); });
    EXPECT_EQ(Value("frame"), "(0.0/0.0/0.0:0.0/0.0/0.0)");

    SetValue("frame", "(1/2/3:90/0/45)");
    Open("frame", [&] {
        EXPECT_EQ(FindControl<QGroupBox>(Vec(), "GB1")->title(), "frame");
        EXPECT_EQ(FindControl<QLabel>(Vec(), "Label7")->text(), "Frame");
        EXPECT_EQ(Fields(), (QStringList{"1", "2", "3", "90", "0", "45"}));
        FindControl<QLineEdit>(Vec(), "EY")->setText("abc");
        EXPECT_EQ(FindControl<QLineEdit>(Vec(), "ETot")->text(), "(1/abc/3:90/0/45)");
        Vec().close();  // the window frame's close box
    });
    EXPECT_FALSE(Ed().VectorMode());
    EXPECT_EQ(Value("frame"), "(1/2/3:90/0/45)");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Ed(), "RE1")
                    ->toPlainText()
                    .endsWith("frame=(1/2/3:90/0/45)"));  // composed anyway
}

TEST_F(TVectorTest, VectorRowsKeepTheOrientationOutAndRereadTheCellAtEveryShowing) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("cog");
    SetValue("frame", "(1/2/3:90/0/45)");
    Open("frame", [&] { FindControl<QPushButton>(Vec(), "BBOK")->click(); });

    SetValue("orient", "(4/5/6)");
    Open("orient", [&] {
        EXPECT_EQ(FindControl<QGroupBox>(Vec(), "GB1")->title(), "vector");
        EXPECT_EQ(Fields(), (QStringList{"4", "5", "6", "90", "0", "45"}));
        EXPECT_FALSE(FindControl<QLineEdit>(Vec(), "EP")->isEnabled());
        EXPECT_FALSE(FindControl<QLabel>(Vec(), "Label6")->isEnabled());
        EXPECT_EQ(FindControl<QLineEdit>(Vec(), "ETot")->text(), "(4/5/6)");
        FindControl<QLineEdit>(Vec(), "EX")->setText("9");
        Vec().close();
    });
    EXPECT_TRUE(Ed().VectorMode());
    // What was typed and dropped does not come back; OK without typing keeps the value.
    Open("orient", [&] { FindControl<QPushButton>(Vec(), "BBOK")->click(); });
    EXPECT_EQ(Value("orient"), "(4/5/6)");
    EXPECT_EQ(FindControl<QLineEdit>(Vec(), "EX")->text(), "4");
}

}  // namespace
}  // namespace skerry::ui
