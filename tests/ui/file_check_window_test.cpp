#include "editors/ui/file_check_window.hpp"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class FileCheckWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    QString Name() { return FindControl<QLineEdit>(Ed(), "TplNameE")->text(); }
};

// The row of the first finding of a template.
void SelectFindingOf(QWidget& window, const QString& name) {
    auto* table = FindControl<QTableWidget>(window, "Findings");
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 2)->text() == name) {
            table->selectRow(row);
            return;
        }
    }
}

TEST_F(FileCheckWindowTest, ListsTheSampleSlipsAndOpensTheTemplateChosen) {
    struct Case {
        const char* how;
        std::function<void(QWidget&)> answer;
        QString opened;  // the name box afterwards
    };
    const Case cases[] = {
        {"Open",
         [](QWidget& window) {
             SelectFindingOf(window, "crate_small");
             FindControl<QPushButton>(window, "BBOpen")->click();
         },
         "crate_small"},
        {"Enter",
         [](QWidget& window) {
             SelectFindingOf(window, "+concussion_dud");
             QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
             QApplication::sendEvent(FindControl<QTableWidget>(window, "Findings"), &enter);
         },
         "+concussion_dud"},
        {"Close", [](QWidget& window) { FindControl<QPushButton>(window, "BBClose")->click(); },
         "+concussion_dud"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        QStringList codes;
        QString label;
        WhenModal([&](QWidget* window) {
            auto* table = FindControl<QTableWidget>(*window, "Findings");
            for (int row = 0; row < table->rowCount(); ++row) {
                codes << table->item(row, 1)->text();
            }
            label = FindControl<QLabel>(*window, "FileLabel")->text();
            c.answer(*window);
        });
        FindControl<QAction>(Ed(), "CheckTemplateFile1")->trigger();
        EXPECT_EQ(codes, (QStringList{"not-applied", "name-too-long", "missing-parent", "no-type",
                                      "flags-not-hex", "unknown-param", "missing-reference"}));
        EXPECT_TRUE(label.endsWith("sample/jed/master.tpl")) << label.toStdString();
        EXPECT_EQ(Name(), c.opened);
    }
    EXPECT_EQ(Value("+ thingflags"), "");  // +concussion_dud sets none of its own
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
}

TEST_F(FileCheckWindowTest, AMissingTemplateFileIsSaidAndNoWindowComes) {
    state_.settings.jedTplPath = state_.settings.programDir + "gone/master.tpl";
    FindControl<QAction>(Ed(), "CheckTemplateFile1")->trigger();
    EXPECT_EQ(messages_, QStringList{"Cannot find Jed Tpl file"});
}

}  // namespace
}  // namespace skerry::ui
