#include "resources/ui/res_picker.hpp"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/find_control.hpp"
#include "sample/game_file_writers.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

class ResPickerTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }

    QStringList Listed() {
        QStringList items;
        for (int i = 0; i < FindControl<QListWidget>(Res(), "LB1")->count(); ++i)
            items << FindControl<QListWidget>(Res(), "LB1")->item(i)->text();
        return items;
    }
    void Click(const QString& item) {
        const auto found =
            FindControl<QListWidget>(Res(), "LB1")->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item.toStdString();
        FindControl<QListWidget>(Res(), "LB1")->setCurrentItem(found[0]);
    }
    QRgb PixelAt(int x, int y) {
        return FindControl<QLabel>(Res(), "Image")->pixmap().toImage().pixel(x, y);
    }
};

TEST_F(ResPickerTest, StartUpOpensRes2AndItsColormaps) {
    EXPECT_TRUE(Res().Resources().CurrentPath().ends_with("res2.gob"));
    EXPECT_EQ(FindControl<QListWidget>(Res(), "LB2")->count(),
              static_cast<int>(Res().Resources().Names().size()));
    EXPECT_EQ(FindControl<QComboBox>(Res(), "PalBox")->count(), 3);
    EXPECT_EQ(FindControl<QComboBox>(Res(), "PalBox")->itemText(0), "dflt.cmp");
    EXPECT_EQ(FindControl<QComboBox>(Res(), "Cb1")->currentText(), "res2.gob");
    EXPECT_EQ(FindControl<QComboBox>(Res(), "Cb1")->count(), 2);  // res1hi.gob and res2.gob
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ResPickerTest, BareNamesShowTheirEntryText) {
    Res().GetRes(".3do", true);
    EXPECT_EQ(Listed(), (QStringList{"bryarbolt.3do", "crate.3do", "kyle.3do", "strooper.3do"}));
    Click("crate.3do");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Res(), "Memo")
                    ->toPlainText()
                    .contains("crate.3do made for Skerry"));
    EXPECT_EQ(FindControl<QLineEdit>(Res(), "ED")->text(), "crate.3do");
    EXPECT_FALSE(FindControl<QToolButton>(Res(), "Bmpsave")->isEnabled());

    Res().GetRes(".MAT", true);  // extensions match exactly
    EXPECT_TRUE(Listed().isEmpty());
}

TEST_F(ResPickerTest, TexturesShowWithSizesAndAreExported) {
    Res().GetRes(".mat", true);
    EXPECT_TRUE(Listed().contains("mat\\00brick.mat"));
    Click("mat\\02stripe.mat");
    EXPECT_EQ(FindControl<QLabel>(Res(), "Image")->pixmap().size(), QSize(30, 20));
    EXPECT_EQ(FindControl<QLabel>(Res(), "Label1")->text(),
              "Size in Jed Grid = 0.09 Wide x 0.06 High");
    EXPECT_EQ(FindControl<QLabel>(Res(), "Label2")->text(), "Size in pixels =  30 Wide x  20 High");
    EXPECT_EQ(FindControl<QLineEdit>(Res(), "ED")->text(), "02stripe.mat");
    EXPECT_TRUE(FindControl<QToolButton>(Res(), "Bmpsave")->isEnabled());
    const std::string exported = state_.settings.workDir + "02stripe.bmp";
    ASSERT_TRUE(std::filesystem::exists(exported));
    EXPECT_EQ(std::filesystem::file_size(exported), 20u * 32u + 1078u);

    std::filesystem::remove(exported);
    FindControl<QToolButton>(Res(), "Bmpsave")->click();
    EXPECT_TRUE(std::filesystem::exists(exported));
}

TEST_F(ResPickerTest, ColormapIsChosenByItsWholeName) {
    Res().GetRes(".mat", true);
    Click("mat\\00brick.mat");
    const QRgb daylight = PixelAt(3, 3);
    EXPECT_NE(qRed(daylight), 0);
    FindControl<QComboBox>(Res(), "PalBox")
        ->setEditText("10ni");  // a partial name keeps the colormap
    EXPECT_EQ(Res().SelectedColormap(), 0u);
    EXPECT_EQ(PixelAt(3, 3), daylight);
    FindControl<QComboBox>(Res(), "PalBox")->setEditText("10night.cmp");
    EXPECT_EQ(Res().SelectedColormap(), 2u);
    EXPECT_NE(PixelAt(3, 3), daylight);
}

TEST_F(ResPickerTest, ContainerSwitchRelistsAndABadOneKeepsTheOld) {
    Res().GetRes(".3do", true);
    FindControl<QComboBox>(Res(), "Cb1")->setEditText("RES1HI.GOB");  // any letter case
    EXPECT_EQ(Listed(), QStringList{"hikyle.3do"});
    EXPECT_TRUE(Res().Resources().CurrentPath().ends_with("res1hi.gob"));

    std::ofstream(state_.settings.jkDir + "broken.gob") << "GOB\nnot really";
    FindControl<QComboBox>(Res(), "Cb1")->setEditText("broken.gob");
    EXPECT_EQ(messages_, QStringList{"File is Not A Jedi Knight GOB ?"});
    EXPECT_TRUE(Res().Resources().CurrentPath().ends_with("res1hi.gob"));
    EXPECT_EQ(Listed(), QStringList{"hikyle.3do"});

    messages_.clear();
    FindControl<QComboBox>(Res(), "Cb1")->setEditText("Project dir");
    EXPECT_EQ(messages_, QStringList{"not implemented yet"});
}

TEST_F(ResPickerTest, AnExportThatCannotBeWrittenSaysSoAndStillShows) {
    state_.settings.workDir = "/nonexistent/skerry/";
    Res().GetRes(".mat", true);
    Click("mat\\red.mat");
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("/nonexistent/skerry/red.bmp"));
    EXPECT_EQ(FindControl<QLabel>(Res(), "Image")->pixmap().size(), QSize(64, 64));
}

TEST_F(ResPickerTest, FileRowsTakeTheBareNameThroughTheMainWindow) {
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    QStringList offered;
    WhenModal([&](QWidget*) {
        offered = Listed();
        Click("reeyees.ai0");
        FindControl<QPushButton>(Res(), "BBok")->click();
    });
    SelectRow("+ aiclass");
    EXPECT_EQ(offered, (QStringList{"gorc.ai2", "reeyees.ai0", "stormtroop.ai"}));
    EXPECT_EQ(Ed().Grid().Row(static_cast<std::size_t>(RowOf("+ aiclass"))).value, "reeyees.ai0");
    EXPECT_TRUE(
        FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText().endsWith("aiclass=reeyees.ai0"));
    EXPECT_FALSE(FindControl<QGroupBox>(windows_->TplOpt(), "RG1")
                     ->isEnabled());  // the dialect is settled now

    WhenModal([&](QWidget*) {
        Click("kyle.3do");
        FindControl<QPushButton>(Res(), "BBClose")->click();
    });
    SelectRow("+ model3d");
    EXPECT_EQ(Ed().Grid().Row(static_cast<std::size_t>(RowOf("+ model3d"))).value, "");
}

TEST_F(ResPickerTest, PickingTheContainerTheBoxShowsReadsItAgain) {
    // res2.gob changed on disk while the box names it; picking it from the list reads it.
    WriteFileWhole(Res().Resources().CurrentPath(),
                   MakeContainer({{"mat\\new.mat", MakeSolidMat(3)}}));
    emit FindControl<QComboBox>(Res(), "Cb1")->textActivated(QStringLiteral("res2.gob"));
    EXPECT_EQ(Res().Resources().Names(), std::vector<std::string>{"mat\\new.mat"});
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ResPickerTest, ListedNamesAreNeverCutShort) {
    // Rows share one size; a long name further down must still be reachable whole.
    const std::string longName = "mat\\" + std::string(80, 'W') + ".mat";
    Res().ClearList();
    Res().AddNames({"z.mat", longName, "a.mat"});  // the long one sorts between
    Res().resize(600, 400);
    Res().show();
    QApplication::processEvents();
    ASSERT_EQ(FindControl<QListWidget>(Res(), "LB1")->item(1)->text().toStdString(), longName);
    const QRect row = FindControl<QListWidget>(Res(), "LB1")
                          ->visualItemRect(FindControl<QListWidget>(Res(), "LB1")->item(1));
    EXPECT_GE(row.width(), FindControl<QListWidget>(Res(), "LB1")
                               ->fontMetrics()
                               .horizontalAdvance(QString::fromStdString(longName)));
    EXPECT_GT(FindControl<QListWidget>(Res(), "LB1")->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(FindControl<QListWidget>(Res(), "LB1")
                  ->visualItemRect(FindControl<QListWidget>(Res(), "LB1")->item(0))
                  .height(),
              row.height());
    Res().hide();
}

TEST_F(ResPickerTest, MotsDialectWithoutItsContainerSaysSo) {
    std::filesystem::remove(store_->values["MOTS"] + "jkmres.goo");
    windows_.reset();
    WhenModal([](QWidget* modal) {
        auto* options = static_cast<TTplOpt*>(modal);
        options->SetRG1ItemIndex(1);
        options->accept();
    });
    windows_ = std::make_unique<AppWindows>(state_);
    EXPECT_EQ(messages_, QStringList{" Mots Directory Invalid ,Reset in Options"});
    EXPECT_EQ(FindControl<QComboBox>(windows_->Res(), "Cb1")->count(), 0);
}

}  // namespace
}  // namespace skerry::ui
