#include "editors/template_file_checks.hpp"

#include <gtest/gtest.h>

#include <utility>

#include "common/file_io.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

namespace code = finding_code;
using Found = std::vector<std::pair<std::size_t, std::string_view>>;

// A file without faults, and a level without them too: every parent and reference stands
// earlier, flags are in hex, frames follow their count, names match in any letter case, and a
// tab parts the columns.
const std::vector<std::string> kClean = {
    "_actor\tnone type=actor collide=1 move=physics thingflags=0x20000000 physflags=0x4a4f",
    "_weapon none type=weapon typeflags=0x1 damageclass=0x2 collide=0",
    "_explosion none type=explosion typeflags=0x80",
    "# +bolt is defined below",
    "+boom _explosion typeflags=3a debris=none",
    "+bolt _weapon explode=+boom model3d=bolt.3do thingflags=0",
    "Walker _actor weapon=+BOLT Type=player",
    "door none type=cog move=path numframes=2 frame=(0/0/0:0/0/0) frame=(1/0/0:0/0/0)",
};

struct Planted {
    const char* what;
    bool level;
    bool first;  // the line goes before the clean ones instead of after them
    Game game;
    std::string line;
    std::string_view code;  // empty: nothing is found
};

Found Codes(const std::vector<TemplateFinding>& findings) {
    Found found;
    for (const TemplateFinding& f : findings) {
        found.emplace_back(f.line, f.code);
    }
    return found;
}

TEST(TemplateFileChecks, EachPlantedFaultIsFoundAtItsLineAndNothingElse) {
    const Game jk = Game::JediKnight;
    const std::string longLine = "w none type=weapon damage=1." + std::string(1000, '0');
    std::string manyTokens = "w _actor vel=0";
    for (int i = 0; i < 130; ++i) {
        manyTokens += ",0";  // commas part tokens as blanks do
    }
    const Planted cases[] = {
        {"clean file", false, false, jk, "", {}},
        {"clean level", true, false, jk, "", {}},
        {"parent and reference later in a file", false, true, jk, "w _weapon explode=+boom", {}},
        {"duplicate in another case", false, false, jk, "walker _actor", code::kDuplicate},
        {"missing parent", false, false, jk, "w _gone type=ghost", code::kMissingParent},
        {"parent later", true, true, jk, "w _weapon type=weapon", code::kParentLater},
        {"missing reference", false, false, jk, "w _weapon fleshhit=+gone",
         code::kMissingReference},
        {"reference later", true, true, jk, "w none type=weapon explode=+boom",
         code::kReferenceLater},
        {"no type", false, false, jk, "w none model3d=w.3do", code::kNoType},
        {"misspelt", false, false, jk, "w _weapon damge=5", code::kUnknownParam},
        {"no pair", false, false, jk, "w _weapon 0.5", code::kUnknownParam},
        {"Mots only", false, false, jk, "w _actor treesize=2", code::kUnknownParam},
        {"Mots only in Mots", false, false, Game::Mots, "w _actor treesize=2", {}},
        {"decimal flags", false, false, jk, "w _weapon thingflags=1024", code::kFlagsNotHex},
        {"not a number", false, false, jk, "w _weapon damageclass=0x1g", code::kFlagsNotHex},
        {"collide 4", false, false, jk, "w _actor collide=4", code::kCollideRange},
        {"line too long", false, false, jk, longLine, code::kLineTooLong},
        {"that line in Mots", false, false, Game::Mots, longLine, {}},
        {"too many tokens", false, false, jk, manyTokens, code::kTooManyTokens},
        {"name too long", false, false, jk, std::string(32, 'n') + " _actor", code::kNameTooLong},
        {"name of 31", false, false, jk, std::string(31, 'n') + " _actor", {}},
        {"file name too long", false, false, jk,
         "w _actor model3d=" + std::string(28, 'm') + ".3do", code::kFileNameTooLong},
        {"typeflags before type", false, false, jk, "w none typeflags=0x1 type=weapon",
         code::kOrder},
        {"not applied", false, false, jk, "w _actor damage=5", code::kNotApplied},
        {"not applied in a level", true, false, jk, "w _actor movesize=0.1", code::kNotApplied},
        {"frame before numframes", false, false, jk,
         "w none type=cog move=path frame=(0/0/0:0/0/0) numframes=1", code::kOrder},
    };
    for (const Planted& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = kClean;
        if (!c.line.empty()) {
            lines.insert(c.first ? lines.begin() : lines.end(), c.line);
        }
        const std::size_t planted = c.first ? 1 : lines.size();
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        std::vector<TemplateFinding> findings;
        std::size_t header = 0;
        if (c.level) {
            const std::string count =
                "World templates " + std::to_string(lines.size() - 1);  // one comment
            text = "# level\r\nSection: TEMPLATES\r\n\r\n" + count + "\r\n" + text +
                   "end\r\nSection: THINGS\r\nnot a template\r\n";
            header = 4;
            findings = CheckLevelTemplates(text, c.game).value();
        } else {
            findings = CheckTemplateFile(text, c.game);
        }
        Found expected;
        if (!c.code.empty()) {
            expected.emplace_back(header + planted, c.code);
        }
        EXPECT_EQ(Codes(findings), expected);
        for (const TemplateFinding& f : findings) {
            EXPECT_FALSE(f.message.empty());
        }
    }
}

TEST(TemplateFileChecks, MessagesSayWhatTheGameMakesOfIt) {
    const auto findings = CheckTemplateFile(
        "_w none type=weapon\r\nw _w thingflags=1024 treesize=1\r\nw none type=ghost\r\n",
        Game::JediKnight);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].message,
              "\"thingflags=1024\" is read as hexadecimal, 0x1024; 1024 is written 0x400");
    EXPECT_EQ(findings[1].message,
              "\"treesize\" is a parameter of Mots only; Jedi Knight ignores it");
    EXPECT_EQ(findings[2].message,
              "\"w\" is defined on line 2 already: the game keeps that one, Open shows the last");
    EXPECT_EQ(findings[2].name, "w");
}

TEST(TemplateFileChecks, ParentsThatLoopEndTheWalk) {
    EXPECT_EQ(Codes(CheckTemplateFile("a b\r\nb a\r\nc c type=ghost\r\n", Game::JediKnight)),
              (Found{{1, code::kNoType}, {2, code::kNoType}, {3, code::kMissingParent}}));
}

TEST(TemplateFileChecks, LevelsWithoutAUsableTemplatesSection) {
    const Game jk = Game::JediKnight;
    EXPECT_FALSE(CheckLevelTemplates("Section: THINGS\r\nend\r\n", jk));
    EXPECT_FALSE(CheckLevelTemplates("", jk));
    struct Case {
        const char* what;
        std::string text;
        Found found;
    };
    const Case cases[] = {
        {"no count",
         "SECTION: templates\r\na none type=ghost\r\nend\r\n",
         {{1, code::kTemplatesCount}}},
        {"a count that is none",
         "Section: TEMPLATES\r\nWorld templates -1\r\nend\r\n",
         {{2, code::kTemplatesCount}}},
        {"a count beyond any",
         "Section: TEMPLATES\r\nWorld templates 4294967296000\r\nend\r\n",
         {}},
        {"dropped templates define nothing",
         "Section: TEMPLATES\r\nWorld templates 1\r\na none type=ghost\r\nb a\r\nc b\r\n",
         {{4, code::kTemplatesCount}, {5, code::kMissingParent}, {5, code::kNoType}}},
        {"no end: the next section ends it",
         "Section: TEMPLATES\nWorld templates 9\na none type=ghost\nSection: THINGS\nb q\n",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto findings = CheckLevelTemplates(c.text, jk);
        ASSERT_TRUE(findings);
        EXPECT_EQ(Codes(*findings), c.found);
    }
}

// A level's templates over those of the static level the game reads first.
TEST(TemplateFileChecks, TheStaticLevelCountsAsDefined) {
    const auto folder = testing::UniqueTempPath("static-check");
    std::filesystem::create_directories(folder);
    const std::string staticLevel = (folder / "static.jkl").string();
    const std::string level = (folder / "level.jkl").string();
    ASSERT_FALSE(WriteFileWhole(staticLevel,
                                "Section: TEMPLATES\nWorld templates 2\n"
                                "_s none type=weapon\n_t none type=weapon\nend\n"));
    ASSERT_FALSE(WriteFileWhole(level,
                                "Section: TEMPLATES\nWorld templates 2\n"
                                "_s none type=weapon\nbolt _t damage=5\nend\n"));
    const SourceCheck alone = CheckTemplateSource(level, Game::JediKnight);
    EXPECT_EQ(Codes(alone.findings), (Found{{4, code::kMissingParent}, {4, code::kNoType}}));
    const SourceCheck check = CheckTemplateSource(level, Game::JediKnight, staticLevel);
    ASSERT_TRUE(check.read) << check.error;
    EXPECT_EQ(Codes(check.findings), (Found{{3, code::kDuplicate}}));
    EXPECT_EQ(check.findings[0].message,
              "static.jkl defines \"_s\" first; the game keeps that one");
    EXPECT_FALSE(CheckTemplateSource(level, Game::JediKnight, (folder / "gone.jkl").string()).read);
    std::filesystem::remove_all(folder);
}

TEST(TemplateFileChecks, OneTemplateAgainstTheTemplateFile) {
    TemplateStore store;
    store.ScanBytes("_weapon none type=weapon\r\n+boom none type=explosion\r\n");
    const TemplateTable& file = store.Templates();
    EXPECT_EQ(CheckOneTemplate("w _weapon typeflags=0x1 explode=+BOOM", file, Game::JediKnight),
              std::vector<TemplateFinding>{});
    EXPECT_EQ(Codes(CheckOneTemplate("w _gone explode=+gone thingflags=10", file, Game::Mots)),
              (Found{{0, code::kMissingParent},
                     {0, code::kMissingReference},
                     {0, code::kFlagsNotHex},
                     {0, code::kNoType}}));
}

}  // namespace
}  // namespace skerry
