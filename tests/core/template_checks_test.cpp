#include "editors/template_checks.hpp"

#include <gtest/gtest.h>

#include "support/grid_values.hpp"
#include "template/catalogue.hpp"

namespace skerry {
namespace {

using Report = std::vector<std::string>;
const std::string kError = "ERROR --  \"move\" must be set to \"physics\" to use physics flags.";
const std::string kInfo =
    "Info --  To use more than 1 debris the \"typeflag 0x80 RandDebris\" must also be set";

ParamGrid Loaded(std::string_view type) {
    ParamGrid grid;
    LoadGridMain(grid, type);
    return grid;
}

TEST(TemplateChecks, MoveMustBeExactlyPhysicsWhenPhysicsFlagsAreSet) {
    ParamGrid grid = Loaded("actor");
    testing::SetEvery(grid, "physflags", "0x4a");
    testing::SetEvery(grid, "move", "physics");
    EXPECT_EQ(DoChecks(grid), Report{});
    for (const char* move : {"", "Physics", "physics "}) {
        testing::SetEvery(grid, "move", move);
        EXPECT_EQ(DoChecks(grid), Report{kError}) << move;
    }
    testing::SetEvery(grid, "physflags", "");
    EXPECT_EQ(DoChecks(grid), Report{});
}

TEST(TemplateChecks, AnyOfTheFourDebrisRowsGivesTheReminderOnce) {
    const ParamGrid empty = Loaded("explosion");
    EXPECT_EQ(DoChecks(empty), Report{});
    int debrisRows = 0;
    for (std::size_t r = 0; r < empty.RowCount(); ++r) {
        if (empty.Row(r).name == "debris") {
            ParamGrid grid = empty;
            grid.Row(r).value = "+debris1";
            EXPECT_EQ(DoChecks(grid), Report{kInfo}) << "row " << r;
            ++debrisRows;
        }
    }
    EXPECT_EQ(debrisRows, 4);
    ParamGrid all = empty;
    testing::SetEvery(all, "debris", "+debris1");
    EXPECT_EQ(DoChecks(all), Report{kInfo});
}

TEST(TemplateChecks, BothFindingsMoveFirstAndShortGridsAreSafe) {
    ParamGrid grid = Loaded("explosion");
    testing::SetEvery(grid, "debris", "+debris1");
    grid.SetRowCount(grid.RowCount() + 1);
    grid.Row(grid.RowCount() - 1) = {"+ physflags", "", "0x200"};
    EXPECT_EQ(DoChecks(grid), (Report{kError, kInfo}));

    EXPECT_EQ(DoChecks(ParamGrid()), Report{});  // no type chosen yet
    ParamGrid shortGrid;                         // too short for a move row: move reads as unset
    shortGrid.SetRowCount(1);
    shortGrid.Row(0) = {"+ physflags", "", "0x1"};
    EXPECT_EQ(DoChecks(shortGrid), Report{kError});
}

}  // namespace
}  // namespace skerry
