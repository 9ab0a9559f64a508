#include "settings/settings.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace skerry
