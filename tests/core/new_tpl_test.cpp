#include "template/new_tpl.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/file_io.hpp"
#include "support/failing_writer.hpp"
#include "support/temp_dir.hpp"
#include "template/template_bounds.hpp"

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
    AppendNewTemplate(file, "", std::nullopt, "b none");
    EXPECT_EQ(file.bytes, "a none\r\n# DESC: \r\n# BBOX: 0 0 0 0 0 0\r\nb none\r\n");
}

TEST(NewTpl, TheBoxLineIsThatOfTheModelTheTemplateNamesOrInherits) {
    const std::string source =
        "_actor none type=actor model3d=base.3do\r\n"
        "# DESC: a guard\r\n"
        "# BBOX: 1 1 1 1 1 1\r\n"
        "guard _actor health=5\r\n";
    const ModelBoundsSource bounds = [](std::string_view model) -> std::optional<ModelBounds> {
        if (model == "crate.3do") {
            return ModelBounds{-0.03730128, -0.25, 0, 1.1234567891, 1.5e-8, -123456789.0};
        }
        if (model == "BASE.3do" || model == "base.3do") {
            return ModelBounds{-1, -2, -3, 1, 2, 3};
        }
        return std::nullopt;
    };
    const std::string crateBox = "# BBOX: -0.03730128 -0.25 0 1.123457 1.5e-08 -1.234568e+08";
    const std::string kept = "_actor none type=actor model3d=base.3do\r\n# DESC: a guard\r\n";
    const struct {
        const char* what;
        const char* name;
        const char* line;
        std::string after;  // New.tpl
    } cases[] = {
        {"a new template with a model of its own", "crate", "crate none model3d=crate.3do",
         source + "# DESC: new\r\n" + crateBox + "\r\ncrate none model3d=crate.3do\r\n"},
        {"a new template that inherits its model", "elite", "elite GUARD",
         source + "# DESC: new\r\n# BBOX: -1 -2 -3 1 2 3\r\nelite GUARD\r\n"},
        {"a new template without a model", "mist", "mist none type=ghost",
         source + "# DESC: new\r\n# BBOX: 0 0 0 0 0 0\r\nmist none type=ghost\r\n"},
        {"a new template whose model cannot be read", "box", "box none model3d=gone.3do",
         source + "# DESC: new\r\n# BBOX: 0 0 0 0 0 0\r\nbox none model3d=gone.3do\r\n"},
        {"a replaced template's box follows its model", "guard", "guard _actor model3d=crate.3do",
         kept + crateBox + "\r\nguard _actor model3d=crate.3do\r\n"},
        {"a replaced template whose model cannot be read keeps its box", "guard",
         "guard _actor model3d=gone.3do",
         kept + "# BBOX: 1 1 1 1 1 1\r\nguard _actor model3d=gone.3do\r\n"},
    };
    const std::filesystem::path dir = testing::UniqueTempPath("skerry_bbox");
    std::filesystem::create_directories(dir);
    WriteFileWhole(dir / "master.tpl", source);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SaveOutcome outcome = SaveTemplateLine(
            {dir / "master.tpl", dir / "New.tpl", {}, {}}, c.name, c.line,
            [] { return std::string("new"); }, bounds);
        ASSERT_TRUE(outcome.saved) << outcome.error;
        EXPECT_EQ(ReadFileBytes(dir / "New.tpl").bytes, c.after);
    }
    std::filesystem::remove_all(dir);
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
