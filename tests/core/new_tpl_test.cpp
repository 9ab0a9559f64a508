#include "template/new_tpl.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "template/template_file.hpp"

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
        dir_ = std::filesystem::temp_directory_path() / "skerry_files_together";
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(FilesTogether, AllOrNothing) {
    ASSERT_FALSE(WriteFilesTogether({{dir_ / "Old.tpl", "old"}, {dir_ / "New.tpl", "new"}}));
    EXPECT_EQ(ReadFileBytes(dir_ / "Old.tpl").bytes, "old");

    // The second file cannot be written: the first keeps its earlier bytes.
    std::filesystem::create_directories(dir_ / "New.tpl.part");
    const auto failure =
        WriteFilesTogether({{dir_ / "Old.tpl", "changed"}, {dir_ / "New.tpl", "changed"}});
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("New.tpl"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir_ / "Old.tpl").bytes, "old");
    EXPECT_EQ(ReadFileBytes(dir_ / "New.tpl").bytes, "new");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Old.tpl.part"));
}

TEST_F(FilesTogether, SameFileSeesThroughDotsAndLinks) {
    std::filesystem::create_directories(dir_ / "jed");
    WriteFileWhole(dir_ / "jed" / "master.tpl", "x");
    EXPECT_TRUE(SameFile(dir_ / "jed" / ".." / "jed" / "master.tpl", dir_ / "jed" / "master.tpl"));
    std::filesystem::create_symlink(dir_ / "jed", dir_ / "link");
    EXPECT_TRUE(SameFile(dir_ / "link" / "master.tpl", dir_ / "jed" / "master.tpl"));
    EXPECT_FALSE(SameFile(dir_ / "project" / "master.tpl", dir_ / "jed" / "master.tpl"));
}

}  // namespace
}  // namespace skerry
