#include "editors/finished_template.hpp"

#include <gtest/gtest.h>

#include "editors/finished_cells.hpp"
#include "template/catalogue.hpp"

namespace skerry {
namespace {

// A finished template in one line: "param=value<from" each, then "| " and the reasons of the
// fields not applied, or "dropped: " and why.
std::string Described(const FinishedTemplate& finished) {
    if (!finished.dropped.empty()) {
        return "dropped: " + finished.dropped;
    }
    std::string out;
    for (const FinishedParam& param : finished.params) {
        out += (out.empty() ? "" : " ") + param.name + "=" + param.value + "<" + param.from;
    }
    for (const UnappliedField& field : finished.unapplied) {
        out += " | " + field.reason;
    }
    return out;
}

// Every model is m.3do, of radius 0.25.
std::optional<std::string> Radius(std::string_view model) {
    return model == "m.3do" ? std::optional<std::string>("0.25") : std::nullopt;
}

TEST(FinishedTemplate, EachRuleOfTheGameOnASmallChain) {
    struct Case {
        const char* rule;
        const char* file;  // lines parted by "\n"; the last template is the one finished
        const char* finished;
        Game game = Game::JediKnight;
    };
    const Case cases[] = {
        {"the parent's finished template first, then the own fields in order",
         "_a none type=actor health=10 fov=1\nt _a fov=2 chance=1",
         "type=actor<_a health=10<_a fov=2<t chance=1<t"},
        {"a name defined twice keeps its first definition",
         "_a none type=ghost light=1\n_a none type=ghost light=2\nt _a",
         "type=ghost<_a light=1<_a"},
        {"a parent the source lacks starts from nothing", "t _gone type=ghost", "type=ghost<t"},
        {"a parent the game drops starts from nothing", "_a none light=1\nt _a type=ghost",
         "type=ghost<t"},
        {"type= a word that names no type leaves none", "t none type=actor type=robot",
         "dropped: \"type=robot\" names no type"},
        {"no type at all", "t none light=1", "dropped: no template of its chain sets a type"},
        {"collide outside 0 to 3", "t none type=ghost collide=1 collide=4",
         "type=ghost<t collide=1<t | collide=4 is none of 0, 1, 2 and 3"},
        {"negative size, timer and light", "t none type=ghost timer=-1 light=-0.5 size=-1",
         "type=ghost<t | timer=-1 is negative | light=-0.5 is negative | size=-1 is negative"},
        {"thingflags without a hexadecimal digit first",
         "t none type=ghost thingflags=0x1f thingflags=0xg thingflags=zz",
         "type=ghost<t thingflags=0x1f<t | thingflags=0xg does not start with a hexadecimal "
         "digit | thingflags=zz does not start with a hexadecimal digit"},
        {"a move other than none, path and physics", "t none type=ghost move=fly",
         "type=ghost<t | move=fly is none of none, path and physics"},
        {"size sets movesize too", "t none type=ghost size=0.1",
         "type=ghost<t size=0.1<t movesize=0.1<t"},
        {"movesize does nothing for an actor", "t none type=actor movesize=0.2",
         "type=actor<t | movesize does nothing for an actor"},
        {"the model's radius where size and movesize are 0", "t none type=ghost model3d=m.3do",
         "type=ghost<t model3d=m.3do<t size=0.25<model m.3do movesize=0.25<model m.3do"},
        {"an inherited size wins over the model's radius",
         "_a none type=ghost size=0.1\nt _a model3d=m.3do",
         "type=ghost<_a size=0.1<_a movesize=0.1<_a model3d=m.3do<t"},
        {"only the one still 0 takes the radius", "t none type=cog movesize=0.3 model3d=m.3do",
         "type=cog<t movesize=0.3<t model3d=m.3do<t size=0.25<model m.3do"},
        {"a later size wins over the radius", "t none type=ghost model3d=m.3do size=0.1",
         "type=ghost<t model3d=m.3do<t size=0.1<t movesize=0.1<t"},
        {"a model that cannot be read gives nothing", "t none type=ghost model3d=x.3do",
         "type=ghost<t model3d=x.3do<t"},
        {"a type's parameter under another type", "t none type=actor damage=5",
         "type=actor<t | damage does nothing for an actor"},
        {"a type's parameter before the type", "t none health=5 type=actor",
         "type=actor<t | health comes before type, and the game ignores it there"},
        {"a move's parameter before the move", "t none type=actor mass=5 move=physics mass=6",
         "type=actor<t move=physics<t mass=6<t | mass needs move=physics first"},
        {"a frame only after numframes",
         "t none type=cog move=path frame=(1) numframes=2 frame=(2) frame=(3)",
         "type=cog<t move=path<t numframes=2<t frame=(2)<t frame=(3)<t | frame comes before "
         "numframes, and the game ignores it there"},
        {"a type's parameters under another type at the end are dropped",
         "_a none type=actor health=5\nt _a type=weapon", "type=weapon<t"},
        {"and the own ones say so", "t none type=actor health=5 type=weapon",
         "type=weapon<t | health was set for an actor, and the template ends a weapon"},
        {"actor and player count as one", "_a none type=actor health=5\nt _a type=player",
         "type=player<t health=5<_a"},
        {"a move's parameters under another move at the end are dropped",
         "t none type=actor move=physics mass=5 move=none",
         "type=actor<t move=none<t | mass was set under move=physics, and the template ends "
         "with move=none"},
        {"debris add up along the chain", "_e none type=explosion debris=+a\nt _e debris=+b",
         "type=explosion<_e debris=+a<_e debris=+b<t"},
        {"treesize is of Mots only", "t none type=ghost treesize=1",
         "type=ghost<t | treesize is a parameter of Mots only"},
        {"and Mots applies it", "t none type=ghost treesize=1", "type=ghost<t treesize=1<t",
         Game::Mots},
        {"parents that loop start from nothing where they close", "a t\nt a type=ghost",
         "type=ghost<t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        TemplateSource source;
        source.AddTemplateFile(c.file);
        source.Index(false);
        const std::string_view file = c.file;
        const std::string_view last = file.substr(file.rfind('\n') + 1);
        const std::string name(last.substr(0, last.find(' ')));
        EXPECT_EQ(Described(FinishTemplate(source, name, c.game, Radius)), c.finished);
    }
}

TEST(FinishedTemplate, AStaticLevelIsReadFirst) {
    const std::string level =
        "Section: TEMPLATES\nWorld templates 2\n_a none type=ghost light=2\nt _a\nend\n";
    TemplateSource source;
    source.AddLevel("Section: TEMPLATES\nWorld templates 1\n_a none type=ghost light=1\nend\n",
                    true);
    source.AddLevel(level);
    source.Index(true);
    EXPECT_EQ(Described(FinishTemplate(source, "t", Game::JediKnight)), "type=ghost<_a light=1<_a");
    // Past the level's count the game reads no template.
    TemplateSource counted;
    counted.AddLevel("Section: TEMPLATES\nWorld templates 1\n_a none type=ghost\nt _a\nend\n");
    counted.Index(true);
    const FinishedTemplate past = FinishTemplate(counted, "t", Game::JediKnight);
    EXPECT_TRUE(past.defined);
    EXPECT_FALSE(past.dropped.empty());
    EXPECT_FALSE(FinishTemplate(counted, "u", Game::JediKnight).defined);
}

// A new actor based on _humanactor, as a user makes it in the grid: the parent's size shows in
// grey where the grid has none, a model picked after it does not change it, and a value the
// game does not apply is struck through with the reason.
TEST(FinishedCells, TheGridBesideWhatTheGameUses) {
    TemplateSource source;
    source.AddTemplateFile(
        "_actor none type=actor move=physics mass=150\n_humanactor _actor size=0.065\n");
    source.Index(false);
    ParamGrid grid;
    LoadGridMain(grid, "actor");
    auto row = [&grid](std::string_view name) {
        for (std::size_t r = 0; r < grid.RowCount(); ++r) {
            if (grid.Row(r).name == name) {
                return r;
            }
        }
        ADD_FAILURE() << name;
        return std::size_t{0};
    };
    grid.Row(row("+ model3d")).value = "m.3do";
    grid.Row(row("movesize")).value = "0.1";
    grid.Row(row("+ thingflags")).value = "zz";
    const FinishedTemplate finished =
        FinishGrid(source, Game::JediKnight, Radius, "mine", "_humanactor", grid);
    const std::vector<ValueCell> cells = FinishedCells(grid, finished);
    ASSERT_EQ(cells.size(), grid.RowCount());
    struct Expected {
        const char* row;
        CellLook look;
        const char* text;
        const char* tip;
    };
    const Expected expected[] = {
        {"type", CellLook::Own, "", ""},
        {"+ model3d", CellLook::Own, "", ""},
        {"size", CellLook::Inherited, "0.065",
         "from _humanactor; the radius of m.3do is not used: size is set already"},
        {"mass", CellLook::Inherited, "150", "from _actor"},
        {"movesize", CellLook::NotApplied, "",
         "movesize does nothing for an actor (the game keeps 0.065, from _humanactor; the "
         "radius of m.3do is not used: movesize is set already)"},
        {"+ thingflags", CellLook::NotApplied, "",
         "thingflags=zz does not start with a hexadecimal digit"},
        {"health", CellLook::Empty, "", ""},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.row);
        const ValueCell& cell = cells[row(e.row)];
        EXPECT_EQ(cell.look, e.look);
        EXPECT_EQ(cell.text, e.text);
        EXPECT_EQ(cell.tip, e.tip);
    }
}

}  // namespace
}  // namespace skerry
