#include "editors/template_checks.hpp"

#include <gtest/gtest.h>

#include "template/catalogue.hpp"

namespace skerry {
namespace {

const std::string kError = "ERROR --  \"move\" must be set to \"physics\" to use physics flags.";
const std::string kInfo =
    "Info --  To use more than 1 debris the \"typeflag 0x80 RandDebris\" must also be set";

ParamGrid Loaded(std::string_view type) {
    ParamGrid grid;
    LoadGridMain(grid, type);
    return grid;
}

std::vector<std::size_t> RowsNamed(const ParamGrid& grid, std::string_view name) {
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < grid.RowCount(); ++r) {
        if (grid.Row(r).name == name) {
            rows.push_back(r);
        }
    }
    return rows;
}

using Report = std::vector<std::string>;

TEST(TemplateChecks, MoveMustBeExactlyPhysicsWhenPhysicsFlagsAreSet) {
    ParamGrid grid = Loaded("actor");
    ASSERT_EQ(grid.Row(kMoveRow).name, "move");
    grid.SetParameter("physflags", "0x4a");
    grid.SetParameter("move", "physics");
    EXPECT_EQ(DoChecks(grid), Report{});

    grid.SetParameter("move", "");
    EXPECT_EQ(DoChecks(grid), Report{kError});
    grid.SetParameter("move", "Physics");
    EXPECT_EQ(DoChecks(grid), Report{kError});
    grid.SetParameter("move", "physics ");
    EXPECT_EQ(DoChecks(grid), Report{kError});

    grid.SetParameter("physflags", "");  // no flags set: move does not matter
    EXPECT_EQ(DoChecks(grid), Report{});
}

TEST(TemplateChecks, AnyOfTheFourDebrisRowsGivesTheReminderOnce) {
    const ParamGrid empty = Loaded("explosion");
    const std::vector<std::size_t> debris = RowsNamed(empty, "debris");
    ASSERT_EQ(debris.size(), 4u);
    EXPECT_EQ(DoChecks(empty), Report{});
    for (const std::size_t row : debris) {
        ParamGrid grid = empty;
        grid.Row(row).value = "+debris1";
        EXPECT_EQ(DoChecks(grid), Report{kInfo}) << "row " << row;
    }
    ParamGrid all = empty;
    all.SetParameter("debris", "+debris1");
    EXPECT_EQ(DoChecks(all), Report{kInfo});
}

TEST(TemplateChecks, BothFindingsComeMoveFirst) {
    ParamGrid grid = Loaded("explosion");
    grid.SetParameter("debris", "+debris1");
    grid.SetRowCount(grid.RowCount() + 1);
    grid.Row(grid.RowCount() - 1) = {"+ physflags", "physics flags  (flags)", "0x200"};
    EXPECT_EQ(DoChecks(grid), (Report{kError, kInfo}));
}

TEST(TemplateChecks, GridsWithoutTheRowsHaveNoFindings) {
    EXPECT_EQ(DoChecks(ParamGrid()), Report{});  // no type chosen yet

    // A grid too short to have a move row reads move as unset instead of failing.
    ParamGrid shortGrid;
    shortGrid.SetRowCount(1);
    shortGrid.Row(0) = {"+ physflags", "", "0x1"};
    EXPECT_EQ(DoChecks(shortGrid), Report{kError});
    shortGrid.SetRowCount(0);
    EXPECT_EQ(DoChecks(shortGrid), Report{});
}

TEST(TemplateChecks, IsInGridMatchesWholeNamesAndSeesEveryRow) {
    ParamGrid grid = Loaded("explosion");
    const std::vector<std::size_t> debris = RowsNamed(grid, "debris");
    EXPECT_TRUE(IsInGrid(grid, "debris").inGrid);
    EXPECT_TRUE(IsInGrid(grid, "debris").valueEmpty);
    grid.Row(debris.back()).value = "x";  // only the last of several rows set
    EXPECT_FALSE(IsInGrid(grid, "debris").valueEmpty);

    EXPECT_FALSE(IsInGrid(grid, "Debris").inGrid);
    EXPECT_FALSE(IsInGrid(grid, "physflags").inGrid);  // the grid name carries the mark
    EXPECT_FALSE(IsInGrid(grid, "debri").inGrid);
}

}  // namespace
}  // namespace skerry
