#include "template/level_put.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "editors/template_file_checks.hpp"
#include "support/failing_writer.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

// A weapon whose bolt explodes into debris, and a guard who carries it.
const std::string kTemplates =
    "# DESC: weapons\r\n"
    "_weapon none type=weapon\r\n"
    "_explosion none type=explosion\r\n"
    "+boom _explosion debris=+shard\r\n"
    "+shard none type=debris\r\n"
    "+bolt _weapon explode=+boom fleshhit=+boom\r\n"
    "gun _weapon weapon=+bolt\r\n"
    "guard\t_actor\tweapon=+bolt\r\n"
    "_actor none type=actor\r\n"
    "+stray _weapon explode=+gone\r\n";

// A level with other sections around its templates, so that every byte outside them counts.
// head stands right after the count line, before the column titles.
std::string Level(std::string_view count, std::string_view body, std::string_view end = "\r\n",
                  std::string_view head = {}) {
    std::string level;
    for (const std::string_view line : {"# made by hand", "SECTION: HEADER", "Version 1", "",
                                        "Section: TEMPLATES", "", "World templates "}) {
        level += line;
        level += line.starts_with("World") ? std::string(count) : std::string(end);
    }
    level += end;
    level += head;
    level += "#Name:           Based On:        Params:";
    level += end;
    level += body;
    for (const std::string_view line : {"end", "Section: THINGS", "World things 1", "end"}) {
        level += line;
        level += end;
    }
    return level;
}

TEST(LevelPut, WhatANameNeedsGoesInBeforeIt) {
    const std::string weaponChain =
        "_weapon none type=weapon\r\n_explosion none type=explosion\r\n+shard none type=debris\r\n"
        "+boom _explosion debris=+shard\r\n+bolt _weapon explode=+boom fleshhit=+boom\r\n";
    const struct {
        const char* what;
        const char* count;
        std::string body;
        std::vector<std::string> names;
        const char* countAfter;
        std::string bodyAfter;
        const char* end = "\r\n";
        std::string head = {};  // what goes in right after the count line
    } cases[] = {
        {"an empty section: parent first, then the fields' templates in field order, depth "
         "first, right after the count line",
         "0",
         "",
         {"gun"},
         "6",
         "",
         "\r\n",
         weaponChain + "gun _weapon weapon=+bolt\r\n"},
        {"what the level has stays, and its own needs are its own; the new one goes after the "
         "last template, before the comment that follows it",
         "3",
         "_weapon none type=weapon\r\n_explosion none type=explosion\r\n+boom  _explosion\r\n# "
         "later\r\n\r\n",
         {"+BOLT"},
         "4",
         "_weapon none type=weapon\r\n_explosion none type=explosion\r\n+boom  _explosion\r\n"
         "+bolt _weapon explode=+boom fleshhit=+boom\r\n# later\r\n\r\n"},
        {"a named template the level has is replaced in its place, tabs made blanks",
         "4",
         "_actor none type=actor\r\nGuard\t\t_actor\r\nlast none type=ghost\r\n",
         {"guard", "+shard"},
         "8",
         "_actor none type=actor\r\n_weapon none type=weapon\r\n_explosion none type=explosion\r\n"
         "+shard none type=debris\r\n+boom _explosion debris=+shard\r\n"
         "+bolt _weapon explode=+boom fleshhit=+boom\r\nguard _actor weapon=+bolt\r\n"
         "last none type=ghost\r\n"},
        {"a level template that already names a missing one gets it before itself",
         "2",
         "_weapon none type=weapon\r\n  gun _weapon weapon=+bolt\r\n",
         {"+bolt"},
         "6",
         weaponChain + "  gun _weapon weapon=+bolt\r\n"},
        {"LF line ends stay LF, and the count's words are read in any letter case",
         "1",
         "_explosion none type=explosion\n",
         {"+shard"},
         "2",
         "_explosion none type=explosion\n+shard none type=debris\n",
         "\n"},
        {"a count above the number of templates is never lowered",
         "50",
         "_explosion none type=explosion\r\n+boom _explosion\r\n",
         {"+boom"},
         "50",
         "_explosion none type=explosion\r\n+shard none type=debris\r\n"
         "+boom _explosion debris=+shard\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string level = Level(c.count, c.body, c.end);
        if (std::string_view(c.end) == "\n") {
            level.replace(level.find("World templates"), 15, "WORLD Templates");
        }
        const LevelPut put = PutIntoLevel(level, "x.jkl", kTemplates, "t.tpl", c.names);
        ASSERT_TRUE(put.ok) << put.error;
        std::string expected = Level(c.countAfter, c.bodyAfter, c.end, c.head);
        if (std::string_view(c.end) == "\n") {
            expected.replace(expected.find("World templates"), 15, "WORLD Templates");
        }
        EXPECT_EQ(put.bytes, expected);
        EXPECT_TRUE(put.warnings.empty());
        // The game finds everything that was put, each before what uses it.
        const auto findings = CheckLevelTemplates(put.bytes, Game::JediKnight);
        ASSERT_TRUE(findings);
        for (const TemplateFinding& finding : *findings) {
            EXPECT_NE(finding.code, finding_code::kMissingParent) << finding.message;
            EXPECT_NE(finding.code, finding_code::kMissingReference) << finding.message;
            EXPECT_NE(finding.code, finding_code::kParentLater) << finding.message;
            EXPECT_NE(finding.code, finding_code::kReferenceLater) << finding.message;
            EXPECT_NE(finding.code, finding_code::kTemplatesCount) << finding.message;
        }
    }
}

// A replaced line stays where it was, so what it now needs may stand later in the level: the
// put goes on, and says so.
TEST(LevelPut, ATemplateLeftBeforeWhatItNeedsIsSaid) {
    const std::string level =
        Level("3", "guard _actor\r\n_actor none type=actor\r\n+bolt _weapon\r\n_weapon none\r\n");
    const LevelPut put = PutIntoLevel(level, "x.jkl", kTemplates, "t.tpl", {"guard"});
    ASSERT_TRUE(put.ok) << put.error;
    EXPECT_EQ(put.replaced, std::vector<std::string>{"guard"});
    EXPECT_EQ(put.warnings,
              (std::vector<std::string>{
                  "\"guard\" stands before \"_actor\", which it needs: the game builds it "
                  "without that",
                  "\"guard\" stands before \"+bolt\", which it needs: the game builds it "
                  "without that"}));
}

TEST(LevelPut, RefusalsSayWhyAndPutNothing) {
    const struct {
        const char* what;
        std::string level;
        std::vector<std::string> names;
        const char* message;
    } cases[] = {
        {"no templates section",
         "Section: THINGS\r\nend\r\n",
         {"gun"},
         "x.jkl holds no templates section (\"Section: TEMPLATES\")"},
        {"no count line",
         "Section: TEMPLATES\r\n_weapon none type=weapon\r\nend\r\n",
         {"gun"},
         "x.jkl: its templates section has no \"World templates N\" line to count them"},
        {"a count that is none",
         Level("many", ""),
         {"gun"},
         "x.jkl: \"World templates many\" gives no count"},
        {"names the template file lacks",
         Level("0", ""),
         {"gun", "rifle", "+bolt", "Pistol"},
         "t.tpl holds no template \"rifle\", \"Pistol\""},
        {"a needed template that is nowhere",
         Level("0", ""),
         {"+stray"},
         "\"+gone\", which \"+stray\" needs, is in neither x.jkl nor t.tpl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LevelPut put = PutIntoLevel(c.level, "x.jkl", kTemplates, "t.tpl", c.names);
        EXPECT_FALSE(put.ok);
        EXPECT_EQ(put.error, c.message);
    }
}

TEST(LevelPut, TheLevelIsWrittenWholeWithTheOldOneBesideIt) {
    namespace fs = std::filesystem;
    const fs::path dir = testing::UniqueTempPath("skerry_level_put");
    fs::create_directories(dir);
    const fs::path level = dir / "x.jkl";
    const fs::path templates = dir / "t.tpl";
    const std::string before = Level("0", "");
    WriteFileWhole(level, before);
    WriteFileWhole(templates, kTemplates);

    testing::FailHalfWayThrough("x.jkl");
    const LevelPutOutcome failed = PutIntoLevelFile(level, templates, {"+shard"});
    SetFileWriter({});
    EXPECT_FALSE(failed.written);
    EXPECT_EQ(failed.error, "Cannot create file " + level.string());
    EXPECT_EQ(ReadFileBytes(level).bytes, before);
    EXPECT_FALSE(fs::exists(dir / "x.jkl.bak"));

    const LevelPutOutcome put = PutIntoLevelFile(level, templates, {"+shard"});
    ASSERT_TRUE(put.written) << put.error;
    EXPECT_EQ(put.put.added, std::vector<std::string>{"+shard"});
    EXPECT_EQ(ReadFileBytes(level).bytes, Level("1", "", "\r\n", "+shard none type=debris\r\n"));
    EXPECT_EQ(ReadFileBytes(dir / "x.jkl.bak").bytes, before);

    const LevelPutOutcome unread = PutIntoLevelFile(dir / "gone.jkl", templates, {"+shard"});
    EXPECT_FALSE(unread.written);
    EXPECT_EQ(unread.error, "Cannot open file " + (dir / "gone.jkl").string());
    EXPECT_FALSE(fs::exists(dir / "gone.jkl.bak"));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace skerry
