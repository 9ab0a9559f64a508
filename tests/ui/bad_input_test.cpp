// The bad-input tables through the windows: a message where the input cannot be used, the
// earlier state kept, and nothing written but what the program always writes.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/find_control.hpp"
#include "common/ui/qt_text.hpp"
#include "resources/byte_source.hpp"
#include "resources/ui/res_picker.hpp"
#include "sample/game_file_writers.hpp"
#include "support/bad_inputs.hpp"
#include "template/new_tpl.hpp"
#include "template/ui/tpl_desc.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

namespace fs = std::filesystem;

class BadInputWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
    }
    TRes& Res() { return windows_->Res(); }
    TTplEd& Ed() { return windows_->TplEd(); }

    void WriteContainer(const std::string& name, const std::string& bytes) {
        std::ofstream(state_.settings.jkDir + name, std::ios::binary) << bytes;
    }
    void Click(const std::string& item) {
        const auto found =
            FindControl<QListWidget>(Res(), "LB1")->findItems(FromBytes(item), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << item;
        FindControl<QListWidget>(Res(), "LB1")->setCurrentItem(found[0]);
    }
    // Opens a container of every case of a table, as folder\NAME.extension, and lists them.
    template <typename Table>
    void ListTable(const Table& table, const std::string& folder, const std::string& extension) {
        std::vector<ContainerEntry> entries;
        for (const auto& bad : table) {
            entries.push_back({folder + "\\" + bad.name + extension, bad.bytes});
        }
        WriteContainer(folder + ".gob", MakeContainer(entries));
        FindControl<QComboBox>(Res(), "Cb1")->setEditText(FromBytes(folder + ".gob"));
        Res().Prepare(PickerRequest::ForResources({extension}, {}));
    }
    // The files in the program directory, the sample data's folder aside.
    std::set<std::string> Written() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(state_.settings.workDir)) {
            if (entry.path().filename() != "sample") {
                names.insert(entry.path().filename().string());
            }
        }
        return names;
    }
};

TEST_F(BadInputWindowTest, ContainersThatCannotBeUsedSaySoAndKeepTheirList) {
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    for (const auto& bad : testing::BadContainers()) {
        SCOPED_TRACE(bad.name);
        messages_.clear();
        const std::string file = "bad_" + bad.name + ".gob";
        WriteContainer(file, bad.bytes);
        const std::string before = Res().Resources().CurrentPath();
        const int listedBefore = FindControl<QListWidget>(Res(), "LB2")->count();
        FindControl<QComboBox>(Res(), "Cb1")->setEditText(QString::fromStdString(file));
        if (!bad.isContainer) {
            EXPECT_EQ(messages_, QStringList{"File is Not A Jedi Knight GOB ?"});
            EXPECT_EQ(Res().Resources().CurrentPath(), before);
            EXPECT_EQ(FindControl<QListWidget>(Res(), "LB2")->count(), listedBefore);
            continue;
        }
        EXPECT_TRUE(Res().Resources().CurrentPath().ends_with(file));
        ASSERT_EQ(FindControl<QListWidget>(Res(), "LB2")->count(), static_cast<int>(bad.listed));
        if (bad.listed > 0) {
            EXPECT_EQ(FindControl<QListWidget>(Res(), "LB2")->item(0)->text(),
                      FromBytes(bad.firstName));
        }
        // A count beyond what was read (past the table or the file's end) is mentioned, once.
        const std::int32_t count = ByteReader(bad.bytes).I32(12).value_or(0);
        const bool shortfall = count > 0 && static_cast<std::size_t>(count) > bad.listed;
        EXPECT_EQ(messages_.size(), shortfall ? 1 : 0);
    }
    EXPECT_TRUE(Written().empty());
}

TEST_F(BadInputWindowTest, TexturesThatCannotBeShownSaySoAndKeepThePicture) {
    ListTable(testing::BadTextures(), "mat", ".mat");
    Click("mat\\solid_colour.mat");
    for (const auto& bad : testing::BadTextures()) {
        SCOPED_TRACE(bad.name);
        messages_.clear();
        const qint64 shown = FindControl<QLabel>(Res(), "Image")->pixmap().cacheKey();
        Click("mat\\" + bad.name + ".mat");
        const fs::path exported = state_.settings.workDir + bad.name + ".bmp";
        if (bad.decodes) {
            EXPECT_TRUE(messages_.isEmpty());
            EXPECT_EQ(FindControl<QLabel>(Res(), "Image")->pixmap().size(),
                      QSize(bad.width, bad.height));
            EXPECT_TRUE(fs::exists(exported));
        } else {
            EXPECT_EQ(messages_, QStringList{"Not a Mat File"});
            EXPECT_EQ(FindControl<QLabel>(Res(), "Image")->pixmap().cacheKey(), shown);
            EXPECT_FALSE(fs::exists(exported));
        }
    }
}

TEST_F(BadInputWindowTest, ModelsThatCannotBeReadSaySoAndKeepThePicture) {
    ListTable(testing::BadModels(), "3do", ".3do");
    Res().resize(800, 500);
    Res().show();
    Click("short_numbers.3do");
    ASSERT_EQ(FindControl<QLabel>(Res(), "Label2")->text(), "Radius = 0.5");
    QWidget* view = FindControl<QWidget>(Res(), "ModelView");
    for (const auto& bad : testing::BadModels()) {
        SCOPED_TRACE(bad.name);
        messages_.clear();
        const QImage shown = view->grab().toImage();
        const QStringList labels{FindControl<QLabel>(Res(), "Label1")->text(),
                                 FindControl<QLabel>(Res(), "Label2")->text()};
        Click(bad.name + ".3do");
        const QString memo = FindControl<QPlainTextEdit>(Res(), "Memo")->toPlainText();
        if (bad.message.empty()) {
            EXPECT_TRUE(messages_.isEmpty());
            EXPECT_TRUE(memo.startsWith("Materials: 1\n")) << memo.toStdString();
            EXPECT_FALSE(view->isHidden());
            continue;
        }
        EXPECT_EQ(messages_, QStringList{FromBytes(bad.name + ".3do: " + bad.message)});
        EXPECT_TRUE(view->grab().toImage() == shown);
        EXPECT_EQ(FindControl<QLabel>(Res(), "Label1")->text(), labels[0]);
        EXPECT_EQ(FindControl<QLabel>(Res(), "Label2")->text(), labels[1]);
    }
    Res().hide();
}

TEST_F(BadInputWindowTest, EntryNamesNeverExportOutsideTheProgramDirectory) {
    const std::string mat = MakeTextureMat(2, 2, "abcd");
    WriteContainer("names.gob", MakeContainer({{"..\\..\\evil.mat", mat},
                                               {"mat/../../../escape.mat", mat},
                                               {"mat\\\xe9t\xe9.mat", mat}}));
    FindControl<QComboBox>(Res(), "Cb1")->setEditText("names.gob");
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    for (const char* item : {"..\\..\\evil.mat", "mat/../../../escape.mat"}) {
        Click(item);
    }
    Click("mat\\\xe9t\xe9.mat");
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(Written(), (std::set<std::string>{"evil.bmp", "escape.bmp", "\xe9t\xe9.bmp"}));
    const fs::path above = fs::path(state_.settings.workDir).parent_path().parent_path();
    EXPECT_FALSE(fs::exists(above / "evil.bmp"));
    EXPECT_FALSE(fs::exists(above / "escape.bmp"));
    // Qt's own clean-up cannot name a file whose name is not in the system's encoding.
    fs::remove(state_.settings.workDir + "\xe9t\xe9.bmp");
}

TEST_F(BadInputWindowTest, ShortColormapsShowTheColoursTheyHold) {
    // Two pixels: colour 0, whose bytes come first, and colour 200, near the palette's end.
    std::vector<ContainerEntry> entries = {
        {"mat\\probe.mat", MakeTextureMat(2, 1, std::string("\x00\xc8", 2))}};
    const auto colormaps = testing::BadColormaps();
    for (const auto& bad : colormaps) {
        entries.push_back({"misc\\cmp\\" + bad.name + ".cmp", bad.bytes});
    }
    WriteContainer("res2.gob", MakeContainer(entries));
    windows_.reset();
    WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    windows_ = std::make_unique<AppWindows>(state_);
    state_.settings.programDir = dir_.path().toStdString() + "/";
    state_.settings.workDir = state_.settings.programDir;
    ASSERT_EQ(FindControl<QComboBox>(Res(), "PalBox")->count(), static_cast<int>(colormaps.size()));

    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    Click("mat\\probe.mat");
    for (const auto& bad : colormaps) {
        SCOPED_TRACE(bad.name);
        FindControl<QComboBox>(Res(), "PalBox")
            ->setEditText(QString::fromStdString(bad.name + ".cmp"));
        const QImage image = FindControl<QLabel>(Res(), "Image")->pixmap().toImage();
        for (const int index : {0, 200}) {
            auto channel = [&](int c) {
                const std::size_t at = 64 + 3 * static_cast<std::size_t>(index) + c;
                return at < bad.bytes.size() ? static_cast<unsigned char>(bad.bytes[at]) : 0;
            };
            EXPECT_EQ(image.pixel(index == 0 ? 0 : 1, 0), qRgb(channel(0), channel(1), channel(2)))
                << "colour " << index;
        }
    }
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(BadInputWindowTest, OddTemplateFilesAreListedAndSavedWithEveryLineKept) {
    // Each Save starts New.tpl again from another file, dropping what the last one held.
    answer_ = Answer::SaveAnyway;
    for (const auto& bad : testing::BadTemplateFiles()) {
        SCOPED_TRACE(bad.name);
        messages_.clear();
        UseMasterTpl(bad.bytes);
        int listed = -1;
        WhenModal([&](QWidget*) {
            listed = FindControl<QListWidget>(Res(), "LB1")->count();
            FindControl<QPushButton>(Res(), "BBClose")->click();
        });
        Ed().Open1Click();
        EXPECT_EQ(listed, static_cast<int>(bad.offered));
        EXPECT_EQ(messages_.size(), bad.truncated ? 1 : 0);

        Ed().New1Click();
        FindControl<QComboBox>(Ed(), "CB1")->setEditText("ghost");
        FindControl<QLineEdit>(Ed(), "TplNameE")->setText("probe");
        FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("none");
        WhenModal(
            [this](QWidget*) { FindControl<QPushButton>(windows_->TplDesc(), "BBOK")->click(); });
        Ed().SaveAS1Click();
        const std::string line = ToBytes(FindControl<QPlainTextEdit>(Ed(), "RE1")->toPlainText());
        RebuiltTemplateFile expected = RebuildTemplateFile(bad.bytes, "probe", line);
        AppendNewTemplate(expected,
                          ToBytes(FindControl<QLineEdit>(windows_->TplDesc(), "E1")->text()),
                          std::nullopt, line);
        EXPECT_EQ(ReadFileBytes(state_.settings.NewTplPath()).bytes, expected.bytes);
    }
}

TEST_F(BadInputWindowTest, AFolderInPlaceOfATemplateFileIsMissingAndNothingIsWritten) {
    fs::remove(state_.settings.jedTplPath);
    fs::create_directory(state_.settings.jedTplPath);
    WhenModal([this](QWidget*) { FindControl<QPushButton>(Res(), "BBClose")->click(); });
    Ed().Open1Click();
    EXPECT_EQ(messages_.first(), "Cannot find Jed Tpl file");
    FindControl<QComboBox>(Ed(), "CB1")->setEditText("ghost");
    FindControl<QLineEdit>(Ed(), "TplNameE")->setText("probe");
    FindControl<QLineEdit>(Ed(), "BasedOnE")->setText("none");
    Ed().SaveAS1Click();
    EXPECT_EQ(messages_.last(), "Cannot find Jed Master.Tpl file");
    EXPECT_TRUE(Written().empty());

    // New.tpl a folder: its commands name it, and Append leaves Old.tpl alone.
    fs::create_directory(state_.settings.NewTplPath());
    const QString cannotOpen =
        "Cannot open file " + QString::fromStdString(state_.settings.NewTplPath());
    messages_.clear();
    Ed().VNewtpl1Click();
    Ed().AppendtoNewtpl1Click();
    EXPECT_EQ(messages_, (QStringList{cannotOpen, cannotOpen}));
    EXPECT_EQ(Written(), std::set<std::string>{"New.tpl"});
}

}  // namespace
}  // namespace skerry::ui
