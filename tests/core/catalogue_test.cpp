#include "template/catalogue.hpp"

#include <gtest/gtest.h>

#include <map>

namespace skerry {
namespace {

std::size_t Rows(std::string_view type) {
    ParamGrid grid;
    EXPECT_TRUE(LoadGridMain(grid, type));
    return grid.RowCount();
}

TEST(Catalogue, TablesHaveTheirSizes) {
    EXPECT_EQ(catalogue::Generic().size(), 17u);
    EXPECT_EQ(catalogue::Physics().size(), 12u);
    EXPECT_EQ(catalogue::Actor().size(), 17u);
    EXPECT_EQ(catalogue::Weapon().size(), 13u);
    EXPECT_EQ(catalogue::Explosion().size(), 12u);
    EXPECT_EQ(catalogue::Item().size(), 2u);
    EXPECT_EQ(catalogue::Particle().size(), 10u);
    EXPECT_EQ(catalogue::Frames().size(), 2u);
}

TEST(Catalogue, TextsKeepTheirBlanksAndQuotes) {
    EXPECT_EQ(catalogue::Generic()[4].description, "size  3do radius (flex)");
    EXPECT_EQ(catalogue::Generic()[13].description,
              "soundclass is of file (.snd) \"none\" can turn off parent sound");
    EXPECT_EQ(catalogue::Actor()[8].description, "eyeoffset on body (vector) ");
    EXPECT_EQ(catalogue::Explosion()[7].description, "debris  (debris template)");
    EXPECT_EQ(catalogue::Frames()[1].description, "frame (x/y/z:pitch/yaw/roll) (flex`s)");
}

TEST(Catalogue, EveryTypeHasItsRowCount) {
    const std::map<std::string_view, std::size_t> expected = {
        {"actor", 46}, {"cog", 31},  {"corpse", 29},   {"debris", 29}, {"explosion", 29},
        {"ghost", 17}, {"item", 19}, {"particle", 39}, {"player", 46}, {"weapon", 30}};
    for (const auto& [type, rows] : expected) {
        EXPECT_EQ(Rows(type), rows) << type;
    }
}

TEST(Catalogue, LoadedRowsFollowTheLayout) {
    ParamGrid grid;
    LoadGridMain(grid, "weapon");
    EXPECT_EQ(grid.Row(0).value, "weapon");
    EXPECT_EQ(grid.Row(16).name, "orient");
    EXPECT_EQ(grid.Row(17).name, "explode");
    EXPECT_EQ(grid.Row(29).name, "force");
    EXPECT_EQ(grid.Row(29).description, "force of impact (flex)");

    LoadGridMain(grid, "explosion");
    for (std::size_t row = 24; row <= 27; ++row) {
        EXPECT_EQ(grid.Row(row).name, "debris") << row;
    }

    LoadGridMain(grid, "cog");
    EXPECT_EQ(grid.Row(28).name, "buoyancy");
    EXPECT_EQ(grid.Row(30).name, "frame");
}

TEST(Catalogue, RelatedTypesDifferOnlyInTheirTypeWord) {
    ParamGrid player, actor, corpse, debris;
    LoadGridMain(player, "player");
    LoadGridMain(actor, "actor");
    LoadGridMain(corpse, "corpse");
    LoadGridMain(debris, "debris");
    for (std::size_t row = 1; row < actor.RowCount(); ++row) {
        EXPECT_EQ(player.Row(row).name, actor.Row(row).name);
        EXPECT_EQ(player.Row(row).description, actor.Row(row).description);
    }
    EXPECT_EQ(player.Row(0).value, "player");
    for (std::size_t row = 1; row < debris.RowCount(); ++row) {
        EXPECT_EQ(corpse.Row(row).name, debris.Row(row).name);
    }
    EXPECT_EQ(corpse.Row(0).value, "corpse");
}

TEST(Catalogue, ReloadClearsValuesAndShrinks) {
    ParamGrid grid;
    LoadGridMain(grid, "actor");
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
        grid.Row(row).value = "x";
    }
    LoadGridMain(grid, "item");
    ASSERT_EQ(grid.RowCount(), 19u);
    EXPECT_EQ(grid.Row(0).value, "item");
    for (std::size_t row = 1; row < grid.RowCount(); ++row) {
        EXPECT_EQ(grid.Row(row).value, "") << row;
    }
    EXPECT_EQ(grid.Row(18).name, "respawn");
}

TEST(Catalogue, TypeWordMatching) {
    ParamGrid grid;
    EXPECT_FALSE(LoadGridMain(grid, "type="));
    EXPECT_FALSE(LoadGridMain(grid, ""));
    EXPECT_FALSE(LoadGridMain(grid, "Actor"));  // case-sensitive
    EXPECT_EQ(grid.RowCount(), ParamGrid::kStartRows);

    EXPECT_TRUE(LoadGridMain(grid, "debris2"));  // a word inside a longer word counts
    EXPECT_EQ(grid.Row(0).value, "debris");
    EXPECT_TRUE(LoadGridMain(grid, "actor weapon"));  // the later word in the fixed order wins
    EXPECT_EQ(grid.Row(0).value, "weapon");
    EXPECT_TRUE(LoadGridMain(grid, "cogs"));
    EXPECT_EQ(grid.Row(0).value, "cog");
}

TEST(Catalogue, LoadPhysicsStopsAtItsLastRow) {
    ParamGrid grid;
    LoadGeneric(grid, "ghost", 20);
    LoadPhysics(grid, 16);
    EXPECT_EQ(grid.Row(17).name, "");
    LoadPhysics(grid, 18);
    EXPECT_EQ(grid.Row(17).name, "surfdrag");
    EXPECT_EQ(grid.Row(18).name, "airdrag");
    EXPECT_EQ(grid.Row(19).name, "");
}

}  // namespace
}  // namespace skerry
