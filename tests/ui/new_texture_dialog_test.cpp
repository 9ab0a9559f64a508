#include "resources/ui/new_texture_dialog.hpp"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_pictures.hpp"
#include "ui/ui_fixture.hpp"

namespace skerry::ui {
namespace {

class NewTextureDialogTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        request_.colormapNames = {"dflt.cmp"};
        request_.colormaps.Load(0, MakeColormap(SamplePalette()));
    }

    QString Picture(const char* name, const std::string& bytes) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        EXPECT_FALSE(WriteFileWhole(path.toStdString(), bytes));
        return path;
    }

    QString Status(NewTextureDialog& dialog) {
        return FindControl<QLabel>(dialog, "Status")->text();
    }

    NewTextureRequest request_;
};

TEST_F(NewTextureDialogTest, MakesShowsAndSavesTheTexture) {
    NewTextureDialog dialog(request_);
    ASSERT_TRUE(dialog.AddPicture(
        Picture("stone.png", PictureFile(StonePicture(32, 16), PictureFileKind::Png))));
    EXPECT_TRUE(Status(dialog).startsWith("32x16, 8-bit, 1 cel, 4 mip-map levels"))
        << Status(dialog).toStdString();
    EXPECT_TRUE(Status(dialog).contains("mean colour error"));
    EXPECT_EQ(FindControl<QLabel>(dialog, "TextureImage")->pixmap().size(), QSize(32, 16));

    // A broken picture is refused with its reason; the texture made stays.
    const std::string made = dialog.Mat();
    EXPECT_FALSE(dialog.AddPicture(Picture("cut.tga", std::string("\0\0\2", 3))));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("cut.tga")) << messages_[0].toStdString();
    EXPECT_EQ(dialog.Mat(), made);
    EXPECT_EQ(FindControl<QListWidget>(dialog, "Pictures")->count(), 1);

    FindControl<QRadioButton>(dialog, "SixteenBit")->setChecked(true);
    EXPECT_TRUE(Status(dialog).startsWith("32x16, 16-bit 5-6-5")) << Status(dialog).toStdString();
    EXPECT_FALSE(FindControl<QCheckBox>(dialog, "Dither")->isEnabled());

    const QString target = dir_.filePath("stone.mat");
    FileRequest asked;
    const FileDialogHandler previous = SetFileDialogHandler([&](QWidget*, const FileRequest& r) {
        asked = r;
        return std::optional<QString>(target);
    });
    FindControl<QPushButton>(dialog, "Save")->click();
    SetFileDialogHandler(previous);
    EXPECT_EQ(asked.proposedName, "stone.mat");
    EXPECT_EQ(ReadFileBytes(target.toStdString()).bytes, dialog.Mat());
    EXPECT_EQ(dialog.Saved(), target);
}

TEST_F(NewTextureDialogTest, SidesThatWillNotDoAreSaidAndScaledWhenAsked) {
    NewTextureDialog dialog(request_);
    dialog.AddPicture(
        Picture("wide.bmp", PictureFile(StonePicture(300, 100), PictureFileKind::Bmp)));
    EXPECT_TRUE(Status(dialog).startsWith("300x100 pixels will not do"))
        << Status(dialog).toStdString();
    EXPECT_FALSE(FindControl<QPushButton>(dialog, "Save")->isEnabled());
    FindControl<QCheckBox>(dialog, "Fit")->setChecked(true);
    EXPECT_TRUE(Status(dialog).startsWith("256x128, 8-bit")) << Status(dialog).toStdString();
    EXPECT_TRUE(FindControl<QPushButton>(dialog, "Save")->isEnabled());
}

TEST_F(NewTextureDialogTest, ThePickersTextureListOffersIt) {
    QAction* action = FindControl<QAction>(Res(), "NewTexture");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), "New texture from picture...");
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    EXPECT_TRUE(action->isVisible());
    Res().Prepare(PickerRequest::ForResources({".3do"}, {}));  // no textures, none to make
    EXPECT_FALSE(action->isVisible());
}

}  // namespace
}  // namespace skerry::ui
