#include "editors/ui/chkr.hpp"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
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
    const QString nothing = "Nothing to report: no mistake found in this template.";
    EXPECT_EQ(report(), nothing);

    FindControl<QComboBox>(ed, "CB1")->setEditText("actor");
    SetEvery("physflags", "0x4a");
    SetEvery("move", "Physics");
    SetEvery("debris", "+debris1");  // no such row in an actor grid
    EXPECT_EQ(report(), "ERROR --  \"move\" must be set to \"physics\" to use physics flags.");
    EXPECT_EQ(FindControl<QPlainTextEdit>(ckr, "Memo")->blockCount(), 1);

    SetEvery("move", "physics");
    EXPECT_EQ(report(), nothing);

    // Named and given a parent, the line is also held against the template file.
    FindControl<QLineEdit>(ed, "TplNameE")->setText("guard");
    FindControl<QLineEdit>(ed, "BasedOnE")->setText("_gone");
    SetEvery("collide", "5");
    EXPECT_EQ(report(),
              "missing-parent --  the parent \"_gone\" is not in the template file\n"
              "collide-range --  \"collide=5\" is none of 0, 1, 2 and 3");
}

}  // namespace
}  // namespace skerry::ui
