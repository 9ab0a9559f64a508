#include "settings/settings.hpp"

#include <gtest/gtest.h>

#include "common/file_io.hpp"

namespace skerry {
namespace {

TEST(Settings, DerivedPaths) {
    Settings s;
    s.programDir = "/opt/skerry/";
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

TEST(Settings, AnUnwritableProgramFolderIsNamedAsTheProblem) {
    Settings s;
    s.programDir = ::testing::TempDir();
    EXPECT_TRUE(CanWriteIn(s.programDir));
    EXPECT_EQ(ExplainProgramDirFailure(s, "Cannot create file x"), "Cannot create file x");
    s.programDir = "/nonexistent/skerry/";
    EXPECT_FALSE(CanWriteIn(s.programDir));
    const std::string message = ExplainProgramDirFailure(s, "Cannot create file x");
    EXPECT_NE(message.find("own folder, /nonexistent/skerry/, and cannot write there"),
              std::string::npos);
    EXPECT_NE(message.find("Cannot create file x"), std::string::npos);
}

}  // namespace
}  // namespace skerry
