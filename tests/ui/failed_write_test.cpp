// Writes that fail, through the windows: New.tpl, Old.tpl, the project copy, an exported
// bitmap and the settings store, each with its folder missing (as good as read-only when the
// tests run as root), a folder in the target's place, and a write that fails half way.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/ui/grid_table_model.hpp"
#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "resources/ui/res_picker.hpp"
#include "settings/ui/qsettings_store.hpp"
#include "settings/ui/tpl_opt.hpp"
#include "support/failing_writer.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

namespace fs = std::filesystem;

enum class Failure { FolderMissing, TargetIsFolder, HalfWay };

const char* Describe(Failure failure) {
    switch (failure) {
        case Failure::FolderMissing:
            return "the folder is missing";
        case Failure::TargetIsFolder:
            return "a folder stands in the target's place";
        case Failure::HalfWay:
            return "the write fails half way";
    }
    return "";
}

class FailedWriteTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
        previousDialog_ = SetFileDialogHandler(
            [this](QWidget*, const FileRequest&) { return std::optional<QString>(answer_); });
        // A New.tpl to lose: crate opened and saved.
        WhenModal([this](QWidget*) {
            FindControl<QListWidget>(Res(), "LB1")
                ->setCurrentItem(FindControl<QListWidget>(Res(), "LB1")
                                     ->findItems("crate", Qt::MatchExactly)[0]);
            FindControl<QPushButton>(Res(), "BBok")->click();
        });
        Ed().Open1Click();
        Ed().SaveAS1Click();
        ASSERT_TRUE(messages_.isEmpty());
        program_ = state_.settings.workDir;
        saved_ = Read(state_.settings.NewTplPath());
    }
    void TearDown() override {
        SetFileWriter({});
        SetFileDialogHandler(previousDialog_);
        WindowTest::TearDown();
    }

    TTplEd& Ed() { return windows_->TplEd(); }
    TRes& Res() { return windows_->Res(); }
    static std::string Read(const fs::path& path) {
        return ReadFileBytes(path).bytes.value_or("<not a file>");
    }
    // Changes crate's size, so that a Save or Append would change New.tpl.
    void EditTheGrid(const char* size) {
        Ed().GridModel().setData(Ed().GridModel().index(4, GridTableModel::kValueColumn), size,
                                 Qt::EditRole);
    }
    // Puts target's failure in place: a missing folder is one level below target's own.
    fs::path Arrange(Failure failure, const fs::path& target) {
        switch (failure) {
            case Failure::FolderMissing:
                return target.parent_path() / "gone" / target.filename();
            case Failure::TargetIsFolder:
                fs::remove(target);
                fs::create_directory(target);
                break;
            case Failure::HalfWay:
                testing::FailHalfWayThrough(target.filename().string());
                break;
        }
        return target;
    }
    // The one message names the file, which is as it was, and no temporary is left beside it.
    // A folder put in the file's place is taken away again.
    void ExpectRefused(const fs::path& target, const std::string& before) {
        SetFileWriter({});
        EXPECT_EQ(messages_.size(), 1);
        EXPECT_TRUE(
            !messages_.isEmpty() &&
            messages_[0].contains("Cannot create file " + QString::fromStdString(target.string())))
            << messages_.join('|').toStdString();
        if (fs::is_directory(target)) {
            fs::remove(target);
        } else {
            EXPECT_EQ(Read(target), before);
        }
        if (fs::is_directory(target.parent_path())) {
            for (const auto& entry : fs::directory_iterator(target.parent_path())) {
                EXPECT_NE(entry.path().extension(), ".part") << entry.path();
            }
        }
        messages_.clear();
    }

    std::string program_;
    std::string saved_;
    QString answer_;
    FileDialogHandler previousDialog_;
};

TEST_F(FailedWriteTest, SaveKeepsNewTplWhole) {
    for (const Failure failure :
         {Failure::FolderMissing, Failure::TargetIsFolder, Failure::HalfWay}) {
        SCOPED_TRACE(Describe(failure));
        const fs::path target = Arrange(failure, program_ + "New.tpl");
        state_.settings.workDir = target.parent_path().string() + "/";
        EditTheGrid("0.3");
        Ed().SaveAS1Click();
        ExpectRefused(target, failure == Failure::FolderMissing ? "<not a file>" : saved_);
        state_.settings.workDir = program_;
        WriteFileWhole(program_ + "New.tpl", saved_);
    }
}

TEST_F(FailedWriteTest, AppendKeepsOldAndNewTplWhole) {
    const std::string earlierOld = "crate _decor\r\n";
    for (const Failure failure : {Failure::TargetIsFolder, Failure::HalfWay}) {
        for (const std::string_view failing : {"Old.tpl", "New.tpl"}) {
            SCOPED_TRACE(std::string(failing) + ": " + Describe(failure));
            WriteFileWhole(program_ + "Old.tpl", earlierOld);
            const fs::path target = Arrange(failure, program_ + std::string(failing));
            EditTheGrid("0.4");
            Ed().AppendtoNewtpl1Click();
            if (failure == Failure::TargetIsFolder && failing == "New.tpl") {
                // Append reads New.tpl first, and a folder cannot be read.
                EXPECT_EQ(messages_, QStringList{"Cannot open file " +
                                                 QString::fromStdString(target.string())});
                messages_.clear();
                fs::remove(target);
            } else {
                ExpectRefused(target, failing == "Old.tpl" ? earlierOld : saved_);
            }
            // The other file of the pair is as it was too.
            if (failing == "Old.tpl") {
                EXPECT_EQ(Read(program_ + "New.tpl"), saved_);
            } else {
                EXPECT_EQ(Read(program_ + "Old.tpl"), earlierOld);
            }
            WriteFileWhole(program_ + "New.tpl", saved_);
        }
    }
}

TEST_F(FailedWriteTest, CopyKeepsTheProjectFileWhole) {
    fs::create_directories(program_ + "project");
    const std::string earlier = "a project's own templates\r\n";
    for (const Failure failure :
         {Failure::FolderMissing, Failure::TargetIsFolder, Failure::HalfWay}) {
        SCOPED_TRACE(Describe(failure));
        WriteFileWhole(program_ + "project/master.tpl", earlier);
        const fs::path target = Arrange(failure, program_ + "project/master.tpl");
        answer_ = QString::fromStdString(target.string());
        Ed().CopyNewClick();
        ExpectRefused(target, failure == Failure::FolderMissing ? "<not a file>" : earlier);
    }
    EXPECT_EQ(Read(program_ + "New.tpl"), saved_);
}

TEST_F(FailedWriteTest, ExportKeepsTheBitmapWholeAndTheTextureShown) {
    Res().Prepare(PickerRequest::ForResources({".mat"}, {}));
    FindControl<QListWidget>(Res(), "LB1")
        ->setCurrentItem(
            FindControl<QListWidget>(Res(), "LB1")->findItems("mat\\red.mat", Qt::MatchExactly)[0]);
    ASSERT_TRUE(messages_.isEmpty());
    const std::string earlier = "an earlier export";
    for (const Failure failure : {Failure::TargetIsFolder, Failure::HalfWay}) {
        SCOPED_TRACE(Describe(failure));
        WriteFileWhole(program_ + "red.bmp", earlier);
        const fs::path target = Arrange(failure, program_ + "red.bmp");
        FindControl<QToolButton>(Res(), "Bmpsave")->click();
        EXPECT_EQ(FindControl<QLabel>(Res(), "Image")->pixmap().size(), QSize(64, 64));
        ExpectRefused(target, earlier);
    }
}

TEST_F(FailedWriteTest, SettingsThatCannotBeSavedStillApplyAndNameTheFile) {
    std::ofstream(program_ + "plain") << "a file, not a folder";
    fs::create_directory(program_ + "SKERRY.conf");
    for (const std::string& file : {program_ + "SKERRY.conf", program_ + "plain/sub/SKERRY.conf"}) {
        SCOPED_TRACE(file);
        QSettingsStore store(QString::fromStdString(file));
        Settings settings;
        TTplOpt options(settings, store);
        messages_.clear();
        answer_ = "/games/jk/Resource/RES2.GOB";
        FindControl<QToolButton>(options, "JKSB")->click();
        EXPECT_EQ(settings.jkDir, "/games/jk/Resource/");
        EXPECT_EQ(messages_, QStringList{"The JK setting applies to this run but could not be "
                                         "saved to " +
                                         QString::fromStdString(file) + "."});
    }
    EXPECT_TRUE(fs::is_directory(program_ + "SKERRY.conf"));
    EXPECT_EQ(Read(program_ + "plain"), "a file, not a folder");
}

}  // namespace
}  // namespace skerry::ui
