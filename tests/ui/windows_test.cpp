#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/ui/about_box.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/ui/find_control.hpp"
#include "editors/ui/chkr.hpp"
#include "editors/ui/tpl_vec.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "template/ui/tpl_desc.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

using Windows = WindowTest;

TEST_F(Windows, SevenWindowsWithTheirCaptions) {
    EXPECT_EQ(windows_->TplOpt().windowTitle(), "Template Options");
    EXPECT_EQ(windows_->Res().windowTitle(), "Resource Picker");
    EXPECT_EQ(windows_->AboutBox().windowTitle(), "About");
    EXPECT_EQ(windows_->TplDesc().windowTitle(), "Add Template Description");
    EXPECT_EQ(windows_->Vector().windowTitle(), "Vector/Frame");
    EXPECT_EQ(windows_->Ckr().windowTitle(), "Tpl Checker");
    EXPECT_EQ(QApplication::applicationName(), "Skerry");
}

TEST_F(Windows, AboutBoxCompletesItsVersion) {
    TAboutBox& about = windows_->AboutBox();
    EXPECT_EQ(FindControl<QLabel>(about, "Version")->text(), "Version 1.0c");
    EXPECT_EQ(FindControl<QLabel>(about, "ProductName")->text(), "Skerry");
    EXPECT_EQ(about.size(), QSize(367, 198));
    EXPECT_TRUE(FindControl<QPushButton>(about, "OKButton")->isDefault());
}

TEST_F(Windows, DescriptionDialogKeepsTheLastText) {
    Ttpl_desc& desc = windows_->TplDesc();
    EXPECT_TRUE(FindControl<QLineEdit>(desc, "E1")->text().isEmpty());
    FindControl<QLineEdit>(desc, "E1")->setText("a trooper");
    WhenModal([&](QWidget*) { FindControl<QPushButton>(desc, "BBOK")->click(); });
    EXPECT_EQ(desc.exec(), QDialog::Accepted);
    EXPECT_EQ(FindControl<QLineEdit>(desc, "E1")->text(), "a trooper");
}

TEST_F(Windows, PickerCancelEmptiesTheNameAndOkKeepsIt) {
    TRes& res = windows_->Res();
    const PickerRequest names = PickerRequest::ForTemplates({{"b", ""}, {"A", ""}, {"a", ""}}, {});
    QStringList listed;
    WhenModal([&](QWidget*) {
        auto* list = FindControl<QListWidget>(res, "LB1");
        for (int i = 0; i < list->count(); ++i) {
            listed << list->item(i)->text();
        }
        list->setCurrentRow(2);
        FindControl<QPushButton>(res, "BBok")->click();
    });
    EXPECT_EQ(res.Choose(names), "b");
    EXPECT_EQ(listed, (QStringList{"A", "a", "b"}));
    EXPECT_EQ(FindControl<QLineEdit>(res, "ED")->text(), "b");
    WhenModal([&](QWidget*) { FindControl<QPushButton>(res, "BBClose")->click(); });
    EXPECT_EQ(res.Choose(names), std::nullopt);
    EXPECT_TRUE(FindControl<QLineEdit>(res, "ED")->text().isEmpty());
}

// An exception thrown inside a handler ends the handler and is shown with its text.
class Throwing : public QObject {
  public:
    bool event(QEvent*) override { throw std::runtime_error("Cannot open file x.tpl"); }
};

TEST_F(Windows, HandlerErrorsBecomeMessages) {
    Throwing target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&target, &event));
    EXPECT_EQ(messages_, QStringList{"Cannot open file x.tpl"});
}

}  // namespace
}  // namespace skerry::ui
