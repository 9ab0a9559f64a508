#include "editors/ui/chkr.hpp"

#include <QAction>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "support/grid_values.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

using TCkrTest = WindowTest;

TEST_F(TCkrTest, ReportIsMadeAfreshFromTheGridAtEveryShowing) {
    TTplEd& ed = windows_->TplEd();
    TCkr& ckr = windows_->Ckr();
    auto report = [&] {
        QString text;
        WhenModal([&](QWidget*) {
            text = FindControl<QPlainTextEdit>(ckr, "Memo")->toPlainText();
            FindControl<QPushButton>(ckr, "BBOK")->click();
        });
        FindControl<QAction>(ed, "TemplateChecks1")->trigger();
        return text;
    };
    EXPECT_EQ(report(), "");

    FindControl<QComboBox>(ed, "CB1")->setEditText("actor");
    testing::SetEvery(ed.Grid(), "physflags", "0x4a");
    testing::SetEvery(ed.Grid(), "move", "Physics");
    testing::SetEvery(ed.Grid(), "debris", "+debris1");  // no such row in an actor grid
    EXPECT_EQ(report(), "ERROR --  \"move\" must be set to \"physics\" to use physics flags.");
    EXPECT_EQ(FindControl<QPlainTextEdit>(ckr, "Memo")->blockCount(), 1);

    testing::SetEvery(ed.Grid(), "move", "physics");
    EXPECT_EQ(report(), "");
}

}  // namespace
}  // namespace skerry::ui
