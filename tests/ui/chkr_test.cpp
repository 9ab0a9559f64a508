#include "editors/ui/chkr.hpp"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class TCkrTest : public WindowTest {
  protected:
    TTplEd& Ed() { return windows_->TplEd(); }

    // Runs the Template Checks command and returns the report it showed.
    QString Report() {
        QString report;
        WhenModal([&](QWidget*) {
            report = windows_->Ckr().Memo->toPlainText();
            windows_->Ckr().BBOK->click();
        });
        Ed().TemplateChecks1->trigger();
        return report;
    }
};

const QString kError = "ERROR --  \"move\" must be set to \"physics\" to use physics flags.";
const QString kInfo =
    "Info --  To use more than 1 debris the \"typeflag 0x80 RandDebris\" must also be set";

TEST_F(TCkrTest, ReportIsMadeAfreshAtEveryShowing) {
    EXPECT_EQ(Report(), "");  // no type chosen yet

    Ed().CB1->setEditText("actor");
    Ed().Grid().SetParameter("physflags", "0x4a");
    Ed().Grid().SetParameter("move", "Physics");
    EXPECT_EQ(Report(), kError);
    Ed().Grid().SetParameter("move", "physics");
    EXPECT_EQ(Report(), "");

    Ed().CB1->setEditText("explosion");
    Ed().Grid().SetParameter("debris", "+debris1");
    EXPECT_EQ(Report(), kInfo);
}

TEST_F(TCkrTest, EachFindingIsALineOfItsOwn) {
    // No type's grid has both rows; the checker reads whatever rows the grid holds.
    ParamGrid& grid = Ed().Grid();
    Ed().GridModel().BeginReset();
    grid.SetRowCount(2);
    grid.Row(0) = {"+ physflags", "", "0x1"};
    grid.Row(1) = {"debris", "", "+debris1"};
    Ed().GridModel().EndReset();
    EXPECT_EQ(Report(), kError + "\n" + kInfo);
    EXPECT_EQ(windows_->Ckr().Memo->blockCount(), 2);
    EXPECT_EQ(windows_->Ckr().Memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(windows_->Ckr().Memo->isReadOnly());
}

}  // namespace
}  // namespace skerry::ui
