#include "resources/ui/res_picker.hpp"

#include <QAction>
#include <QApplication>
#include <QColorSpace>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "resources/mat_fileops.hpp"
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
    QImage Shown() { return FindControl<QLabel>(Res(), "Image")->pixmap().toImage(); }
    QImage ModelPicture() { return FindControl<QWidget>(Res(), "ModelView")->grab().toImage(); }
    void Drag(QWidget* widget, QPoint from, QPoint to) {
        QMouseEvent press(QEvent::MouseButtonPress, from, widget->mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, widget->mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
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
    Res().Prepare(PickerRequest::ForResources({".3do"}, {}));
    EXPECT_EQ(Listed(), (QStringList{"bryarbolt.3do", "crate.3do", "kyle.3do", "strooper.3do"}));
    Click("crate.3do");
    EXPECT_TRUE(FindControl<QPlainTextEdit>(Res(), "Memo")
                    ->toPlainText()
                    .contains("crate.3do made for Skerry"));
    EXPECT_EQ(FindControl<QLineEdit>(Res(), "ED")->text(), "crate.3do");
    EXPECT_FALSE(FindControl<QToolButton>(Res(), "Bmpsave")->isEnabled());

    Res().Prepare(PickerRequest::ForResources({".MAT"}, {}));  // extensions match exactly
    EXPECT_TRUE(Listed().isEmpty());
}

TEST_F(ResPickerTest, TexturesShowWithSizesAndAreExported) {
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
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

TEST_F(ResPickerTest, TexturesOfferTheirCelsAndSixteenBitOnesKeepTheirColours) {
    const struct {
        const char* item;
        int cels;
        bool ownColours;  // the colormap changes nothing, and its box's hint says so
    } cases[] = {
        {"mat\\05sky16.mat", 1, true},
        {"mat\\06glass15.mat", 1, true},
        {"mat\\07switch.mat", 3, false},
        {"mat\\03cels.mat", 3, false},  // another texture starts at its first cel
        {"mat\\00brick.mat", 1, false},
    };
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    auto* colormaps = FindControl<QComboBox>(Res(), "PalBox");
    auto* cels = FindControl<QSpinBox>(Res(), "CelBox");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        colormaps->setEditText("dflt.cmp");
        Click(c.item);
        EXPECT_EQ(cels->isHidden(), c.cels == 1);
        EXPECT_EQ(cels->value(), 0);
        const QImage first = Shown();
        for (int cel = 1; cel < c.cels; ++cel) {
            QTest::keyClick(cels, Qt::Key_Up);
            EXPECT_NE(Shown(), first) << "cel " << cel;
        }
        const QImage shown = Shown();
        colormaps->setEditText("10night.cmp");
        EXPECT_EQ(cels->value(), c.cels - 1);  // the same texture again keeps its cel
        EXPECT_EQ(Shown() == shown, c.ownColours);
        EXPECT_EQ(colormaps->toolTip() == QString::fromLatin1(kOwnColoursNote), c.ownColours);
    }
    Click("mat\\05sky16.mat");
    EXPECT_EQ(PixelAt(0, 0), qRgb(16, 28, 140));  // 5-6-5 widened: 2·8+2/4, 7·4+7/16
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ResPickerTest, SavePictureAsWritesTheTextureOnShowAsPngOrBmp) {
    const QString folder = dir_.path();
    const struct {
        QString answer;
        const char* signature;  // of the file written; empty: none, and a message
    } cases[] = {
        {folder + "/switch.png", "\x89PNG"},
        {folder + "/switch.BMP", "BM"},
        {folder + "/no such folder/switch.png", ""},
    };
    FileRequest asked;
    QString answer;
    const FileDialogHandler previous =
        SetFileDialogHandler([&](QWidget*, const FileRequest& request) {
            asked = request;
            return std::optional<QString>(answer);
        });
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    Click("mat\\07switch.mat");
    QTest::keyClick(FindControl<QSpinBox>(Res(), "CelBox"), Qt::Key_Up);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        messages_.clear();
        answer = c.answer;
        FindControl<QAction>(Res(), "SavePictureAs")->trigger();
        const std::string written = ReadFileBytes(c.answer.toStdString()).bytes.value_or("");
        if (*c.signature == '\0') {
            EXPECT_TRUE(written.empty());
            ASSERT_EQ(messages_.size(), 1);
            EXPECT_TRUE(messages_[0].contains(c.answer)) << messages_[0].toStdString();
            continue;
        }
        EXPECT_TRUE(messages_.isEmpty());
        EXPECT_TRUE(written.starts_with(c.signature));
        // The cel on show, pixel for pixel.
        QImage saved(c.answer);
        saved.setColorSpace(QColorSpace());  // a PNG names sRGB, the picture on show nothing
        EXPECT_EQ(saved.convertToFormat(QImage::Format_ARGB32),
                  Shown().convertToFormat(QImage::Format_ARGB32));
    }
    SetFileDialogHandler(previous);
    EXPECT_EQ(asked.filters, (QStringList{"PNG picture (*.png)", "BMP picture (*.bmp)"}));
    EXPECT_EQ(asked.proposedName, "07switch.png");
    EXPECT_TRUE(asked.save);
}

TEST_F(ResPickerTest, AModelIsDrawnTurnedByDraggingAndColouredThroughTheColormap) {
    Res().resize(900, 600);
    Res().show();
    Res().Prepare(PickerRequest::ForResources({".3do"}, {}));
    Click("crate.3do");
    EXPECT_EQ(FindControl<QLabel>(Res(), "Label1")->text(),
              "Size in Jed Grid = 0.104 Wide x 0.106 Deep x 0.158 High");
    EXPECT_EQ(FindControl<QLabel>(Res(), "Label2")->text(), "Radius = 0.123296");
    const QString memo = FindControl<QPlainTextEdit>(Res(), "Memo")->toPlainText();
    EXPECT_TRUE(memo.startsWith("Materials: 2\n04wall.mat  found\n00brick.mat  found\n"))
        << memo.toStdString();
    EXPECT_TRUE(memo.contains("crate.3do made for Skerry"));
    EXPECT_TRUE(FindControl<QWidget>(Res(), "ImageArea")->isHidden());

    QWidget* view = FindControl<QWidget>(Res(), "ModelView");
    const QImage first = ModelPicture();
    const QRgb background = first.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            drawn += first.pixel(x, y) != background ? 1 : 0;
    EXPECT_GT(drawn, first.width() * first.height() / 20);

    Drag(view, {100, 100}, {160, 120});
    EXPECT_NE(ModelPicture(), first);
    FindControl<QComboBox>(Res(), "PalBox")->setEditText("10night.cmp");
    const QImage night = ModelPicture();
    FindControl<QToolButton>(Res(), "ResetView")->click();
    EXPECT_NE(ModelPicture(), night);
    FindControl<QComboBox>(Res(), "PalBox")->setEditText("dflt.cmp");
    EXPECT_EQ(ModelPicture(), first);

    // A texture takes the picture area back.
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    Click("mat\\00brick.mat");
    EXPECT_TRUE(view->isHidden());
    EXPECT_TRUE(FindControl<QToolButton>(Res(), "ResetView")->isHidden());
    Res().hide();
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(ResPickerTest, SizeRowsOfferTheRadiusOfTheNamedModel) {
    const struct {
        QString model;
        std::string filled;  // empty: the entry is disabled
        QString why;
    } cases[] = {
        {"crate.3do", "0.123296", ""},
        {"nothing.3do", "", "nothing.3do is not in "},
        {"", "", "No model is named"},
    };
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("actor");
    Ed().show();
    auto* grid = FindControl<QTableView>(Ed(), "SG1");
    auto* radius = FindControl<QAction>(Ed(), "RadiusOfModel1");
    for (const auto& c : cases) {
        for (const char* row : {"size", "movesize"}) {
            SCOPED_TRACE(c.model.toStdString() + " in " + row);
            SetValue("+ model3d", c.model);
            SetValue(row, "0.5");
            const QModelIndex cell = Ed().GridModel().index(RowOf(row), 2);
            emit grid->customContextMenuRequested(grid->visualRect(cell).center());
            EXPECT_TRUE(FindControl<QMenu>(Ed(), "ValueMenu")->isVisible());
            EXPECT_EQ(radius->isEnabled(), !c.filled.empty());
            EXPECT_TRUE(radius->text().contains(c.why)) << radius->text().toStdString();
            radius->trigger();
            FindControl<QMenu>(Ed(), "ValueMenu")->hide();
            if (c.filled.empty()) {
                EXPECT_EQ(Value(row), "0.5");
                continue;
            }
            EXPECT_EQ(Value(row), c.filled);
            EXPECT_TRUE(
                FindControl<QPlainTextEdit>(Ed(), "RE1")
                    ->toPlainText()
                    .contains(QString::fromStdString(" " + std::string(row) + "=" + c.filled)));
        }
    }
    // Other cells have no such menu.
    FindControl<QMenu>(Ed(), "ValueMenu")->hide();
    const QModelIndex health = Ed().GridModel().index(RowOf("health"), 2);
    emit grid->customContextMenuRequested(grid->visualRect(health).center());
    EXPECT_FALSE(FindControl<QMenu>(Ed(), "ValueMenu")->isVisible());
    Ed().hide();
}

TEST_F(ResPickerTest, ColormapIsChosenByItsWholeName) {
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
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
    Res().Prepare(PickerRequest::ForResources({".3do"}, {}));
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
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
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

TEST_F(ResPickerTest, TypingFindsANameByItsFileNameOrItsWholeName) {
    auto* list = FindControl<QListWidget>(Res(), "LB1");
    for (const auto& [typed, found] :
         {std::pair{"02s", "mat\\02stripe.mat"}, std::pair{"mat\\05", "mat\\05sky16.mat"},
          std::pair{"RED", "mat\\red.mat"}}) {
        Res().Prepare(PickerRequest::ForResources({".mat"}, {}));  // a search of its own
        QTest::keyClicks(list, QString::fromLatin1(typed));
        ASSERT_NE(list->currentItem(), nullptr) << typed;
        EXPECT_EQ(list->currentItem()->text(), QString::fromLatin1(found)) << typed;
    }
}

TEST_F(ResPickerTest, ListedNamesAreNeverCutShort) {
    // Rows share one size; a long name further down must still be reachable whole.
    const std::string longName = "mat\\" + std::string(80, 'W') + ".mat";
    Res().Prepare(PickerRequest::ForTemplates({{"z.mat", ""}, {longName, ""}, {"a.mat", ""}},
                                              {}));  // the long one sorts between
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
    RestartInMots();
    EXPECT_EQ(messages_, QStringList{" Mots Directory Invalid ,Reset in Options"});
    EXPECT_EQ(FindControl<QComboBox>(windows_->Res(), "Cb1")->count(), 0);
}

}  // namespace
}  // namespace skerry::ui
