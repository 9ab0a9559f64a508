#include "template/open_template.hpp"

#include <gtest/gtest.h>

#include "template/catalogue.hpp"

namespace skerry {
namespace {

TemplateStore Store(std::string_view bytes) {
    TemplateStore store;
    store.ScanBytes(bytes);
    return store;
}

const char* const kChain =
    "_actor none type=actor mass=150\r\n"
    "_human _actor size=0.065\r\n"
    "trooper _human health=60 weapon=+rifle\r\n"
    "selftyped _human type=player health=1\r\n";

TEST(ParentWalk, ClimbsToTheFirstAncestorThatNamesItsType) {
    TemplateStore store = Store(kChain);
    ParentWalk walk = WalkParents(store, "trooper");
    ASSERT_TRUE(walk.ok) << walk.error;
    EXPECT_EQ(walk.typeText, "actor");
    EXPECT_EQ(walk.ancestorLines, (std::vector<std::string>{"_human _actor size=0.065",
                                                            "_actor none type=actor mass=150"}));

    walk = WalkParents(store, "selftyped");
    EXPECT_TRUE(walk.ok);
    EXPECT_EQ(walk.typeText, "player");
    EXPECT_TRUE(walk.ancestorLines.empty());
}

TEST(ParentWalk, EndsWithAMessageWhenTheChainBreaks) {
    TemplateStore store = Store(
        "orphan _missing health=1\r\n"
        "loop_a loop_b\r\n"
        "loop_b loop_a\r\n"
        "typeless none health=5\r\n"
        "late none a b c d e f g h i type=actor\r\n");
    EXPECT_EQ(WalkParents(store, "orphan").error,
              "The parent \"_missing\" of \"orphan\" is not in the template file");
    EXPECT_EQ(WalkParents(store, "loop_a").error,
              "The parents of \"loop_a\" lead back to \"loop_a\"");
    EXPECT_EQ(WalkParents(store, "typeless").error,
              "No template in the chain of \"typeless\" names its type");
    EXPECT_FALSE(WalkParents(store, "late").ok);  // type= only counts in the first ten fields
    EXPECT_EQ(WalkParents(store, "").error, "Template \"\" is not in the template file");
}

TEST(FillParameters, RepeatedNamesFillTheirRowsInTurnAndTheRestIsKept) {
    ParamGrid grid;
    LoadGridMain(grid, "explosion");
    const auto kept = FillParameters(grid, {{"debris", "+a", true},
                                            {"debris", "+b", true},
                                            {"typeflags", "0x97", true},
                                            {"nosuch", "1", true},
                                            {"stray", "", false}});
    EXPECT_EQ(grid.Row(24).value, "+a");
    EXPECT_EQ(grid.Row(25).value, "+b");
    EXPECT_EQ(grid.Row(26).value, "");
    EXPECT_EQ(grid.Row(17).value, "0x97");  // the row "+ typeflags"
    EXPECT_EQ(kept, (std::vector<std::string>{"nosuch", "stray"}));
    ASSERT_EQ(grid.RowCount(), 31u);
    EXPECT_EQ(grid.Row(29).kind, RowKind::KeptField);
    EXPECT_EQ(grid.Row(29).description, kKeptFieldDescription);
    EXPECT_EQ(grid.Row(30).kind, RowKind::KeptWord);

    // More values than rows: the last row keeps its own, the extra one gets a row.
    ParamGrid ghost;
    LoadGridMain(ghost, "ghost");
    FillParameters(ghost, {{"light", "1", true}, {"light", "2", true}});
    EXPECT_EQ(ghost.Row(7).value, "1");
    ASSERT_EQ(ghost.RowCount(), 18u);
    EXPECT_EQ(ghost.Row(17).description, kKeptRepeatDescription);
    EXPECT_EQ(ComposeLine("g", "none", ghost),
              "g                none              type=ghost light=1 light=2");

    // A grid loaded afterwards is the type's rows alone.
    LoadGridMain(ghost, "item");
    EXPECT_EQ(ghost.RowCount(), 19u);
    EXPECT_FALSE(ghost.Row(17).Kept());
}

TEST(FillGridTpl, TakesOnlyParameterFields) {
    ParamGrid grid;
    LoadGridMain(grid, "ghost");
    FillGridTpl(grid, SplitFields("g none light=0.5 stray timer=2 type=ghost"));
    EXPECT_EQ(grid.Row(7).value, "0.5");
    EXPECT_EQ(grid.Row(8).value, "2");
    EXPECT_EQ(grid.Row(0).value, "ghost");
}

TEST(OpenTemplate, ComposesWhatSaveWouldWrite) {
    TemplateStore store = Store(kChain);
    OpenedTemplate opened = OpenTemplate(store, "trooper");
    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(opened.grid.RowCount(), 46u);
    EXPECT_EQ(opened.grid.Row(0).value, "");  // the type comes from the parent
    EXPECT_EQ(opened.line, "trooper          _human            weapon=+rifle health=60");

    opened = OpenTemplate(store, "_actor");  // no parent: the type row stays
    EXPECT_EQ(opened.line, "_actor           none              type=actor mass=150");
}

// Open, then Save, gives back every field of the template's own line.
TEST(OpenTemplate, LosesNothingOfTheTemplatesOwnLine) {
    struct Case {
        const char* name;
        const char* line;  // what Save would write right after Open
    };
    const Case cases[] = {
        // Its own type, although it has a parent.
        {"selftyped", "selftyped        _human            type=player health=1"},
        // Fields the type's rows have no place for come last, in the order read.
        {"grenade", "grenade          _weapon           damage=3 vel=(0/2/0) surfdrag=0 odd"},
        // A fifth debris and a second timer.
        {"boom",
         "boom             _explosion        timer=1 debris=+a debris=+b debris=+c debris=+d "
         "debris=+e timer=2"},
    };
    TemplateStore store = Store(
        "_actor none type=actor\r\n_human _actor\r\n"
        "selftyped _human type=player health=1\r\n"
        "_weapon none type=weapon\r\ngrenade _weapon vel=(0/2/0) damage=3 surfdrag=0 odd\r\n"
        "_explosion none type=explosion\r\n"
        "boom _explosion debris=+a debris=+b timer=1 debris=+c debris=+d debris=+e timer=2\r\n");
    for (const Case& c : cases) {
        const OpenedTemplate opened = OpenTemplate(store, c.name);
        ASSERT_TRUE(opened.ok) << opened.error;
        EXPECT_EQ(opened.line, c.line);
    }
}

TEST(OpenTemplate, ATypeSkerryDoesNotKnowIsNamed) {
    TemplateStore store = Store("_odd none type=Actor\r\nthing _odd health=1\r\n");
    const OpenedTemplate opened = OpenTemplate(store, "thing");
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.error,
              "The type \"Actor\" of \"thing\" is none of the types Skerry knows (actor, cog, "
              "corpse, debris, explosion, ghost, item, particle, player, weapon)");
}

}  // namespace
}  // namespace skerry
