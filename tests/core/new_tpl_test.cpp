#include "template/new_tpl.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/file_io.hpp"
#include "support/failing_writer.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

TEST(NewTpl, ReplacesEveryLineOfTheNameInPlace) {
    const std::string source =
        "# DESC: crates\r\n"
        "crate\t_decor\tsize=0.2\r\n"
        "other none\n"            // an LF-only line end
        "crate none # twice\r\n"  // the rebuild goes by field 0 alone
        "crates none\r\n"         // a longer name is another template
        "\tcrate none\r\n"        // a leading tab leaves field 0 empty
        "crate\r\n"               // a name alone is still field 0
        "last none";              // no line end at all
    const RebuiltTemplateFile file = RebuildTemplateFile(source, "crate", "NEWLINE");
    EXPECT_TRUE(file.replaced);
    EXPECT_EQ(file.bytes,
              "# DESC: crates\r\nNEWLINE\r\nother none\r\nNEWLINE\r\ncrates none\r\n"
              " crate none\r\nNEWLINE\r\nlast none\r\n");
}

TEST(NewTpl, NewTemplatesGoAtTheEndAfterTheirDescription) {
    RebuiltTemplateFile file = RebuildTemplateFile("a\tnone\r\n", "b", "b none");
    EXPECT_FALSE(file.replaced);
    EXPECT_EQ(file.bytes, "a none\r\n");  // tabs become spaces
    AppendNewTemplate(file, "", "b none");
    EXPECT_EQ(file.bytes, "a none\r\n# DESC: \r\nb none\r\n");
}

TEST(NewTpl, BytesSurviveAndCtrlZEndsTheSource) {
    const std::string odd = "na\xefve none val=\xff\x80";
    const RebuiltTemplateFile file =
        RebuildTemplateFile(odd + "\r\n" + "\x1a" + "after none\r\n", "x", "x none");
    EXPECT_EQ(file.bytes, odd + "\r\n");
}

class FilesTogether : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::UniqueTempPath("skerry_files_together");
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(FilesTogether, BothFilesAreReplacedOnSuccess) {
    ASSERT_FALSE(WriteFilesTogether({{dir_ / "Old.tpl", "old"}, {dir_ / "New.tpl", "new"}}));
    EXPECT_EQ(ReadFileBytes(dir_ / "Old.tpl").bytes, "old");
    EXPECT_EQ(ReadFileBytes(dir_ / "New.tpl").bytes, "new");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Old.tpl.part"));
}

TEST_F(FilesTogether, AFailureAnywhereKeepsEveryEarlierFileWhole) {
    namespace fs = std::filesystem;
    const struct {
        const char* what;
        std::function<void(const fs::path&)> arrange;
        const char* failing;  // the file the message must name
    } cases[] = {
        {"New.tpl is a folder",
         [](const fs::path& d) {
             fs::remove(d / "New.tpl");
             fs::create_directory(d / "New.tpl");
         },
         "New.tpl"},
        {"Old.tpl is a folder",
         [](const fs::path& d) {
             fs::remove(d / "Old.tpl");
             fs::create_directory(d / "Old.tpl");
         },
         "Old.tpl"},
        {"New.tpl.part is a folder",
         [](const fs::path& d) { fs::create_directory(d / "New.tpl.part"); }, "New.tpl"},
        {"the folder is gone", [](const fs::path& d) { fs::remove_all(d); }, "Old.tpl"},
        {"Old.tpl fails half way", [](const fs::path&) { testing::FailHalfWayThrough("Old.tpl"); },
         "Old.tpl"},
        {"New.tpl fails half way", [](const fs::path&) { testing::FailHalfWayThrough("New.tpl"); },
         "New.tpl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        ASSERT_FALSE(WriteFilesTogether({{dir_ / "Old.tpl", "old"}, {dir_ / "New.tpl", "new"}}));
        c.arrange(dir_);
        const auto failure = WriteFilesTogether({{dir_ / "Old.tpl", std::string(1000, 'o')},
                                                 {dir_ / "New.tpl", std::string(1000, 'n')}});
        SetFileWriter({});
        ASSERT_TRUE(failure);
        EXPECT_EQ(*failure, "Cannot create file " + (dir_ / c.failing).string());
        // Each file is either as it was or not a file at all; no temporary stays behind.
        for (const char* name : {"Old.tpl", "New.tpl"}) {
            const auto bytes = ReadFileBytes(dir_ / name).bytes;
            EXPECT_TRUE(!bytes || *bytes == (name[0] == 'O' ? "old" : "new")) << name;
        }
        EXPECT_FALSE(fs::is_regular_file(dir_ / "Old.tpl.part"));
        EXPECT_FALSE(fs::is_regular_file(dir_ / "New.tpl.part"));
        // A folder in the temporary's place was never ours, so it stays.
        EXPECT_EQ(fs::is_directory(dir_ / "New.tpl.part"),
                  std::string_view(c.what) == "New.tpl.part is a folder");
    }
}

TEST_F(FilesTogether, SameFileSeesThroughDotsAndLinks) {
    std::filesystem::create_directories(dir_ / "jed");
    WriteFileWhole(dir_ / "jed" / "master.tpl", "x");
    EXPECT_TRUE(SameFile(dir_ / "jed" / ".." / "jed" / "master.tpl", dir_ / "jed" / "master.tpl"));
    // Windows lets only some users make links; there the link half is left out.
    std::error_code noLinks;
    std::filesystem::create_symlink(dir_ / "jed", dir_ / "link", noLinks);
    if (!noLinks) {
        EXPECT_TRUE(SameFile(dir_ / "link" / "master.tpl", dir_ / "jed" / "master.tpl"));
    }
    EXPECT_FALSE(SameFile(dir_ / "project" / "master.tpl", dir_ / "jed" / "master.tpl"));
}

}  // namespace
}  // namespace skerry
