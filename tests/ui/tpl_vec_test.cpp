#include "editors/ui/tpl_vec.hpp"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class TVectorTest : public WindowTest {
  protected:
    TTplEd& Ed() { return windows_->TplEd(); }
    TVector& Vec() { return windows_->Vector(); }

    int RowOf(const std::string& name) {
        for (std::size_t r = 0; r < Ed().Grid().RowCount(); ++r) {
            if (Ed().Grid().Row(r).name == name)
                return static_cast<int>(r);
        }
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    std::string Value(const std::string& name) {
        return Ed().Grid().Row(static_cast<std::size_t>(RowOf(name))).value;
    }
    void SetValue(const std::string& name, const QString& value) {
        Ed().GridModel().setData(Ed().GridModel().index(RowOf(name), GridTableModel::kValueColumn),
                                 value, Qt::EditRole);
    }
    // Opens the row's editor as selecting its value cell does, answering the dialog with
    // answer once it is up.
    void Open(const std::string& name, std::function<void()> answer) {
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
    bool LineEndsWith(const QString& pair) { return Ed().RE1->toPlainText().endsWith(pair); }
};

TEST_F(TVectorTest, EmptyVectorCellTakesTheEmptyVectorOnOk) {
    Ed().CB1->setEditText("actor");
    Ed().SG1->setCurrentIndex(Ed().GridModel().index(RowOf("orient"), 2));
    WhenModal([&](QWidget*) {
        EXPECT_EQ(Vec().GB1->title(), "vector");
        EXPECT_EQ(Vec().Label7->text(), "Vector");
        EXPECT_EQ(Fields(), QStringList(6, "0.0"));
        EXPECT_EQ(Vec().ETot->text(), "(0.0/0.0/0.0)");
        for (QWidget* off : {static_cast<QWidget*>(Vec().EP), static_cast<QWidget*>(Vec().ER),
                             static_cast<QWidget*>(Vec().Labels[4])}) {
            EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
        }
        Vec().BBOK->click();
    });
    QApplication::processEvents();  // the selection reaches the dispatch through the view
    EXPECT_TRUE(Ed().VectorMode());
    EXPECT_EQ(Value("orient"), "(0.0/0.0/0.0)");
    EXPECT_TRUE(LineEndsWith("orient=(0.0/0.0/0.0)"));
}

TEST_F(TVectorTest, FrameFieldsFollowTypingAndTheCloseBoxKeepsTheCell) {
    Ed().CB1->setEditText("cog");
    Open("frame", [&] {
        EXPECT_EQ(Vec().GB1->title(), "frame");
        EXPECT_EQ(Vec().Label7->text(), "Frame");
        EXPECT_TRUE(Vec().EYw->isEnabled());
        EXPECT_EQ(Vec().ETot->text(), "(0.0/0.0/0.0:0.0/0.0/0.0)");
        Vec().BBOK->click();
    });
    EXPECT_FALSE(Ed().VectorMode());
    EXPECT_EQ(Value("frame"), "(0.0/0.0/0.0:0.0/0.0/0.0)");

    SetValue("frame", "(1/2/3:90/0/45)");
    Open("frame", [&] {
        EXPECT_EQ(Fields(), (QStringList{"1", "2", "3", "90", "0", "45"}));
        Vec().EY->setText("abc");
        EXPECT_EQ(Vec().ETot->text(), "(1/abc/3:90/0/45)");
        Vec().close();  // the window frame's close box
    });
    EXPECT_EQ(Value("frame"), "(1/2/3:90/0/45)");
    EXPECT_TRUE(LineEndsWith("frame=(1/2/3:90/0/45)"));  // composed all the same
}

TEST_F(TVectorTest, FieldsOutliveEachUseButEveryShowingRereadsTheCell) {
    Ed().CB1->setEditText("cog");
    SetValue("frame", "(1/2/3:90/0/45)");
    Open("frame", [&] { Vec().BBOK->click(); });

    // A vector row shows the frame's orientation, disabled and out of the result.
    SetValue("orient", "( 4 / 5 / 6 )");
    Open("orient", [&] {
        EXPECT_EQ(Fields(), (QStringList{" 4 ", " 5 ", " 6 ", "90", "0", "45"}));
        EXPECT_FALSE(Vec().EP->isEnabled());
        Vec().EX->setText("9");
        Vec().close();
    });
    EXPECT_EQ(Value("orient"), "( 4 / 5 / 6 )");
    for (int use = 0; use < 2; ++use) {  // what was typed and dropped does not come back
        Open("orient", [&] {
            EXPECT_EQ(Vec().ETot->text(), "( 4 / 5 / 6 )");
            Vec().BBOK->click();
        });
        EXPECT_EQ(Value("orient"), "( 4 / 5 / 6 )");
    }

    Open("vel", [&] {  // a vector row without a value starts everything afresh
        EXPECT_EQ(Fields(), QStringList(6, "0.0"));
        Vec().BBOK->click();
    });
    EXPECT_EQ(Value("vel"), "(0.0/0.0/0.0)");
}

}  // namespace
}  // namespace skerry::ui
