#include "resources/resource_state.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

class ResourceStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::UniqueTempPath("skerry_resource_state");
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::vector<ContainerEntry>& entries) {
        const std::string path = (dir_ / "res2.gob").string();
        EXPECT_FALSE(WriteFileWhole(path, MakeContainer(entries)));
        return path;
    }
    std::filesystem::path dir_;
};

TEST_F(ResourceStateTest, ColormapsTakeTheirPaletteAndNoMore) {
    Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<std::uint8_t>(i * 7 % 251);
    }
    // A short colormap is followed by other bytes, which must not stand in for its palette.
    const std::string shortOne = MakeColormap(palette).substr(0, 64 + 3 * 10);
    ResourceState state;
    ASSERT_FALSE(state.Load(Write({{"misc\\cmp\\dflt.cmp", MakeColormap(palette)},
                                   {"misc\\cmp\\short.cmp", shortOne},
                                   {"mat\\after.mat", std::string(4096, '\xff')}})));
    const auto colormaps = state.FindColormaps();
    ASSERT_EQ(colormaps.size(), 2u);
    state.StoreColormaps(colormaps);

    const ColormapSlot& full = state.Colormaps().Slot(0);
    EXPECT_EQ(full.red[0], palette[0]);
    EXPECT_EQ(full.green[100], palette[301]);
    EXPECT_EQ(full.blue[255], palette[767]);
    const ColormapSlot& cut = state.Colormaps().Slot(1);
    EXPECT_EQ(cut.red[9], palette[27]);
    EXPECT_EQ(cut.red[10], 0);
    EXPECT_EQ(cut.blue[255], 0);
}

TEST_F(ResourceStateTest, OnlyTwentyColormapsAreKept) {
    std::vector<ContainerEntry> entries;
    for (int i = 0; i < 22; ++i) {
        entries.push_back(
            {"misc\\cmp\\c" + std::to_string(i) + ".cmp", MakeColormap(SamplePalette(i % 3))});
    }
    ResourceState state;
    ASSERT_FALSE(state.Load(Write(entries)));
    const auto colormaps = state.FindColormaps();
    ASSERT_EQ(colormaps.size(), kColormapSlots);
    EXPECT_EQ(colormaps.back().fileName, "c19.cmp");
    state.StoreColormaps(colormaps);
    const Palette last = SamplePalette(19 % 3);
    for (std::size_t i = 0; i < 256; ++i) {
        ASSERT_EQ(state.Colormaps().Slot(19).blue[i], last[3 * i + 2]) << i;
    }
}

}  // namespace
}  // namespace skerry
