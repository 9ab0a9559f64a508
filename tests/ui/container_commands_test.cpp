// File > Pack folder into container and the picker's Unpack container, as the user runs them:
// the dialogs answered, the work done on its worker, what was written said at the end.
#include <QAction>
#include <QComboBox>
#include <filesystem>

#include "app/ui/tpl_ed.hpp"
#include "common/file_io.hpp"
#include "common/ui/file_dialogs.hpp"
#include "common/ui/find_control.hpp"
#include "resources/gob_container.hpp"
#include "resources/ui/res_picker.hpp"
#include "ui_fixture.hpp"

namespace skerry::ui {
namespace {

namespace fs = std::filesystem;

class ContainerCommandsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        StartWithSampleData();
        previous_ = SetFileDialogHandler([this](QWidget*, const FileRequest& request) {
            asked_.push_back(request);
            std::optional<QString> answer;
            if (!answers_.isEmpty()) {
                answer = answers_.takeFirst();
            }
            return answer;
        });
    }
    void TearDown() override {
        SetFileDialogHandler(previous_);
        WindowTest::TearDown();
    }

    fs::path Root() const { return fs::path(dir_.path().toStdString()); }

    FileDialogHandler previous_;
    QStringList answers_;
    std::vector<FileRequest> asked_;
};

TEST_F(ContainerCommandsTest, PackedFoldersAreSaidAndListedRefusedOnesNamed) {
    const fs::path mod = Root() / "mod";
    fs::create_directories(mod / "Mat");
    ASSERT_FALSE(WriteFileWhole(mod / "Mat" / "Wall.mat", "wall"));
    ASSERT_FALSE(WriteFileWhole(mod / "readme.txt", "hello"));
    const QString jk = QString::fromStdString((Root() / "sample" / "jk").string());
    struct Case {
        const char* name;
        QString output;
        QString said;  // in the message at the end
        bool written;
    } cases[] = {
        {"into_the_resource_folder", jk + "/mod.gob", "2 files (9 bytes) packed into", true},
        {"inside_the_folder", QString::fromStdString((mod / "mod.gob").string()),
         "the folder being packed", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.clear();
        asked_.clear();
        answers_ = {QString::fromStdString(mod.string()), c.output};
        FindControl<QAction>(Ed(), "PackFolder1")->trigger();
        ASSERT_EQ(asked_.size(), 2u);
        EXPECT_TRUE(asked_[0].folder);
        EXPECT_TRUE(asked_[1].save);
        EXPECT_EQ(asked_[1].proposedName, "mod.gob");
        ASSERT_EQ(messages_.size(), 1);
        EXPECT_TRUE(messages_[0].contains(c.said)) << messages_[0].toStdString();
        EXPECT_EQ(FileExists(c.output.toStdString()), c.written);
    }
    const LoadedContainer packed = LoadContainer((jk + "/mod.gob").toStdString());
    ASSERT_EQ(packed.directory.entries.size(), 2u);
    EXPECT_EQ(EntryName(packed.directory.entries[0]), "mat\\wall.mat");
    // The picker lists the new container without a restart.
    EXPECT_GE(FindControl<QComboBox>(Res(), "Cb1")->findText("mod.gob"), 0);
}

TEST_F(ContainerCommandsTest, UnpackWritesTheOpenContainerIntoTheChosenFolder) {
    const fs::path out = Root() / "unpacked";
    answers_ = {QString::fromStdString(out.string())};
    FindControl<QAction>(Res(), "UnpackContainer1")->trigger();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_[0].folder);
    EXPECT_TRUE(asked_[0].title.contains("res2.gob"));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("unpacked into")) << messages_[0].toStdString();
    EXPECT_EQ(ReadFileBytes(out / "cog" / "door.cog").bytes.value_or("").substr(0, 10),
              "# door.cog");
    // A folder dialog closed without a folder writes nothing and says nothing.
    messages_.clear();
    FindControl<QAction>(Res(), "UnpackContainer1")->trigger();
    EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
}  // namespace skerry::ui
