#include "app/picker_dispatch.hpp"

#include <gtest/gtest.h>

#include "template/catalogue.hpp"

namespace skerry {
namespace {

using K = PickerAction::Kind;

std::vector<PickerAction> ForRow(std::string_view type, std::string_view name) {
    ParamGrid grid;
    LoadGridMain(grid, type);
    for (const GridRow& row : grid.Rows()) {
        if (row.name == name) {
            return PickerDispatch(row.name, row.description);
        }
    }
    ADD_FAILURE() << name << " is not a row of " << type;
    return {};
}

TEST(PickerDispatch, FileRowsOfferTheirExtension) {
    const std::vector<std::pair<std::string_view, std::string_view>> files = {
        {"+ model3d", ".3do"}, {"+ particle", ".par"}, {"+ sprite", ".spr"},
        {"+ puppet", ".pup"},  {"+ cog", ".cog"},      {"+ soundclass", ".snd"}};
    for (const auto& [name, ext] : files) {
        EXPECT_EQ(ForRow("actor", name),
                  (std::vector<PickerAction>{{K::ListResources, std::string(ext), true},
                                             {K::ShowResourcePicker, {}, false}}))
            << name;
    }
    EXPECT_EQ(ForRow("particle", "+ material")[0].text, ".mat");
}

TEST(PickerDispatch, AiClassListsThreeExtensionsInOnePicker) {
    EXPECT_EQ(ForRow("ghost", "+ aiclass"),
              (std::vector<PickerAction>{{K::ListResources, ".ai", true},
                                         {K::ListResources, ".ai0", false},
                                         {K::ListResources, ".ai2", false},
                                         {K::ShowResourcePicker, {}, false}}));
}

TEST(PickerDispatch, FlagRows) {
    EXPECT_EQ(ForRow("actor", "+ thingflags"),
              (std::vector<PickerAction>{{K::EditFlags, "thing", false}}));
    EXPECT_EQ(ForRow("actor", "+ physflags"),
              (std::vector<PickerAction>{{K::EditFlags, "physics", false}}));
    EXPECT_EQ(ForRow("weapon", "+ damageclass"),
              (std::vector<PickerAction>{{K::EditFlags, "damage", false}}));
    EXPECT_EQ(ForRow("item", "+ typeflags"),
              (std::vector<PickerAction>{{K::EditTypeFlags, {}, false}}));
}

TEST(PickerDispatch, TemplateRowsOfferTheRightNames) {
    const std::vector<PickerAction> weapons{{K::ListDescendants, "_weapon", false}};
    const std::vector<PickerAction> explosions{{K::ListDescendants, "_explosion", false}};
    const std::vector<PickerAction> all{{K::ListTemplates, {}, false}};
    EXPECT_EQ(ForRow("actor", "weapon"), weapons);
    EXPECT_EQ(ForRow("actor", "weapon2"), weapons);
    EXPECT_EQ(ForRow("actor", "explode"), explosions);
    EXPECT_EQ(ForRow("weapon", "explode"), explosions);
    EXPECT_EQ(ForRow("actor", "creatething"), all);
    EXPECT_EQ(ForRow("weapon", "fleshhit"), all);
    EXPECT_EQ(ForRow("weapon", "trailthing"), all);

    ParamGrid grid;
    LoadGridMain(grid, "explosion");
    for (std::size_t row = 24; row <= 27; ++row) {
        EXPECT_EQ(PickerDispatch(grid.Row(row).name, grid.Row(row).description),
                  (std::vector<PickerAction>{{K::ListDescendants, "_debris", false}}));
    }
}

TEST(PickerDispatch, VectorsAndFrames) {
    const std::vector<PickerAction> vector{{K::EditVector, {}, false}};
    EXPECT_EQ(ForRow("actor", "orient"), vector);
    EXPECT_EQ(ForRow("actor", "eyeoffset"), vector);
    EXPECT_EQ(ForRow("explosion", "flashrgb"), vector);
    EXPECT_EQ(ForRow("cog", "frame"), (std::vector<PickerAction>{{K::EditFrame, {}, false}}));
    EXPECT_TRUE(ForRow("cog", "numframes").empty());
}

TEST(PickerDispatch, EveryRowMatchesAtMostOneTest) {
    for (std::string_view type : catalogue::kTypeWords) {
        ParamGrid grid;
        LoadGridMain(grid, type);
        for (const GridRow& row : grid.Rows()) {
            const auto actions = PickerDispatch(row.name, row.description);
            // Every marked name opens a picker of its own.
            if (row.name.starts_with("+ ")) {
                EXPECT_FALSE(actions.empty()) << type << " " << row.name;
            }
            int editors = 0;
            for (const PickerAction& a : actions) {
                editors += a.kind != K::ListResources ? 1 : 0;
            }
            EXPECT_LE(editors, 1) << type << " " << row.name;
        }
    }
    EXPECT_TRUE(PickerDispatch("type", "template type (string)").empty());
    EXPECT_TRUE(PickerDispatch("collide", "collide 0=none , 1=collidebox 3=face (int)").empty());
}

TEST(PickerDispatch, MarkersAreCaseSensitive) {
    EXPECT_TRUE(PickerDispatch("x", "Vector").empty());
    EXPECT_TRUE(PickerDispatch("Frame", "").empty());
    EXPECT_TRUE(PickerDispatch("+model3d", "").empty());
}

}  // namespace
}  // namespace skerry
