#include "settings/settings.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/file_io.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

TEST(Settings, DerivedPaths) {
    Settings s;
    s.workDir = "/opt/skerry/";
    s.jedTplPath = "/games/jed/master.tpl";
    EXPECT_EQ(s.MasterTplPath(), "/games/jed/master.tpl");
    EXPECT_EQ(s.MotsTplPath(), "/games/jed/mots.tpl");
    EXPECT_EQ(s.NewTplPath(), "/opt/skerry/New.tpl");
    EXPECT_EQ(s.OldTplPath(), "/opt/skerry/Old.tpl");

    s.jedTplPath = "C:\\Jed\\master.tpl";  // stored paths may use either separator
    EXPECT_EQ(s.MotsTplPath(), "C:\\Jed\\mots.tpl");
    s.jedTplPath = "";
    EXPECT_EQ(s.MotsTplPath(), "mots.tpl");
}

TEST(Settings, TrailingSeparator) {
    EXPECT_EQ(WithTrailingSeparator(""), "");
    EXPECT_EQ(WithTrailingSeparator("a/"), "a/");
    EXPECT_EQ(WithTrailingSeparator("a\\"), "a\\");
    EXPECT_EQ(WithTrailingSeparator("a"), std::string("a") + kDirSeparator);
}

TEST(Settings, AnInstalledOrUnwritableProgramFolderGivesThePerUserFolder) {
    const std::filesystem::path dir = testing::UniqueTempPath("skerry_work_dir");
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "plain") << "a file, so nothing can be made below it";
    const std::string writable = dir.string() + "/";
    const std::string unwritable = (dir / "plain" / "skerry").string() + "/";
    const std::string perUser = (dir / "share" / "Skerry").string();

    EXPECT_EQ(ChooseWorkDir(writable, perUser), writable);
    EXPECT_EQ(ChooseWorkDir(unwritable, perUser), perUser + kDirSeparator);
    EXPECT_TRUE(CanWriteIn(perUser));
    ASSERT_FALSE(WriteFileWhole(writable + kInstalledMarker, "installed"));
    EXPECT_EQ(ChooseWorkDir(writable, perUser), perUser + kDirSeparator);

    Settings s;
    s.workDir = writable;
    EXPECT_EQ(ExplainWorkDirFailure(s, "Cannot create file x"), "Cannot create file x");
    s.workDir = unwritable;
    EXPECT_EQ(ExplainWorkDirFailure(s, "Cannot create file x"),
              "Skerry keeps New.tpl, Old.tpl and exported bitmaps in " + unwritable +
                  " and cannot write there now.\n(Cannot create file x)");
    std::filesystem::remove_all(dir);
}

TEST(Settings, JedTemplateFilesAreFoundIgnoringLetterCase) {
    const std::filesystem::path dir = testing::UniqueTempPath("skerry_jed_case");
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "MASTER.TPL") << "x";
    std::ofstream(dir / "Mots.Tpl") << "y";
    Settings s;
    s.jedTplPath = (dir / "master.tpl").string();
    // The file found, whichever spelling names it: Windows opens the asked-for one as it is.
    const auto names = [](const std::string& path, const std::filesystem::path& file) {
        std::error_code ec;
        return std::filesystem::equivalent(path, file, ec);
    };
    EXPECT_TRUE(names(s.MasterTplPath(), dir / "MASTER.TPL")) << s.MasterTplPath();
    EXPECT_TRUE(names(s.MotsTplPath(), dir / "Mots.Tpl")) << s.MotsTplPath();
    std::filesystem::remove(dir / "Mots.Tpl");
    EXPECT_EQ(s.MotsTplPath(), (dir / "mots.tpl").string());  // missing: named as asked
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace skerry
