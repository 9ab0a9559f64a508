#include "sample/sample_data.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/model_preview.hpp"
#include "support/temp_dir.hpp"
#include "template/template_store.hpp"

namespace skerry {
namespace {

class SampleData : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = testing::UniqueTempPath("skerry_sample_test");
        std::filesystem::remove_all(dir_);
        ASSERT_FALSE(WriteSampleData(dir_));
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }
    static std::filesystem::path dir_;
};
std::filesystem::path SampleData::dir_;

TEST_F(SampleData, ContainersHoldEveryKindTheEditorLists) {
    const LoadedContainer res2 = LoadContainer(dir_ / "jk" / "res2.gob");
    ASSERT_EQ(res2.status, ContainerStatus::Ok);
    std::set<std::string> kinds;
    for (const GobEntry& entry : res2.directory.entries) {
        const std::string name = EntryName(entry);
        kinds.insert(name.substr(0, name.find_last_of('\\') + 1) +
                     name.substr(name.find_last_of('.')));
    }
    for (const char* kind : {"3do\\.3do", "3do\\key\\.key", "cog\\.cog", "jkl\\.jkl",
                             "misc\\ai\\.ai", "misc\\ai\\.ai0", "misc\\ai\\.ai2", "misc\\par\\.par",
                             "misc\\per\\.per", "misc\\pup\\.pup", "misc\\snd\\.snd",
                             "misc\\spr\\.spr", "mat\\.mat", "sound\\.wav", "misc\\cmp\\.cmp"}) {
        EXPECT_TRUE(kinds.count(kind)) << kind;
    }
    EXPECT_TRUE(FindEntry(res2.directory, "misc\\cmp\\dflt.cmp"));
    for (const char* other : {"jk/res1hi.gob", "mots/jkmres.goo", "mots/jkmsnd.goo"}) {
        EXPECT_EQ(LoadContainer(dir_ / other).status, ContainerStatus::Ok) << other;
    }
}

TEST_F(SampleData, EveryTextureDecodesWithAColourfulPalette) {
    const std::filesystem::path path = dir_ / "jk" / "res2.gob";
    const LoadedContainer res2 = LoadContainer(path);
    ColormapTable colormaps;
    colormaps.Load(0, *ReadEntryFromFile(path, res2.directory.entries.at(*FindEntry(
                                                   res2.directory, "misc\\cmp\\dflt.cmp"))));
    int textures = 0;
    bool oddWidth = false, solid = false, cels = false;
    std::set<std::int32_t> greenBits;  // 6 for 5-6-5, 5 for 1-5-5-5
    for (const GobEntry& entry : res2.directory.entries) {
        if (!EntryName(entry).ends_with(".mat"))
            continue;
        const std::string bytes = *ReadEntryFromFile(path, entry);
        const DecodedTexture t = DecodeMat(bytes, colormaps.Slot(0));
        oddWidth |= t.width % 4 != 0;
        solid |= t.solidColour;
        cels |= t.celCount > 1;
        if (t.sixteenBit) {
            greenBits.insert(ReadMatInfo(bytes).format.bits[1]);
        }
        ++textures;
    }
    EXPECT_GE(textures, 5);
    EXPECT_TRUE(oddWidth);
    EXPECT_TRUE(solid);
    EXPECT_TRUE(cels);
    EXPECT_EQ(greenBits, (std::set<std::int32_t>{5, 6}));
    std::set<int> reds(colormaps.Slot(0).red.begin(), colormaps.Slot(0).red.end());
    EXPECT_GT(reds.size(), 32u);
}

TEST_F(SampleData, ModelsHangFromHierarchiesInTheContainersMaterials) {
    int missing = 0;
    for (const char* file : {"jk/res2.gob", "jk/res1hi.gob", "mots/jkmres.goo"}) {
        ResourceState container;
        ASSERT_FALSE(container.Load((dir_ / file).string()));
        container.StoreColormaps(container.FindColormaps());
        for (const std::string& name : container.Names()) {
            if (!name.ends_with(".3do"))
                continue;
            SCOPED_TRACE(name);
            const ListedModel listed = ReadListedModel(container, name);
            ASSERT_TRUE(listed.model) << listed.message;
            EXPECT_GE(listed.model->nodes.size(), 2u);
            EXPECT_GT(listed.model->radius, 0);
            const MaterialColours colours =
                ColourMaterials(listed.model->materials, ContainerMaterials(container),
                                container.Colormaps().Slot(0));
            for (const MaterialState state : colours.state) {
                missing += state != MaterialState::Found;
            }
        }
    }
    // Kyle's belt in res2.gob, and all four of hikyle's, which res1hi.gob lacks.
    EXPECT_EQ(missing, 1 + 4);
}

TEST_F(SampleData, TemplateFilesHaveDeepHierarchiesOfEveryType) {
    TemplateStore store;
    ASSERT_EQ(store.Scan((dir_ / "jed" / "master.tpl").string()).status, ScanResult::Status::Read);
    std::string all;
    bool longName = false;
    for (const std::string& name : store.OfferedTemplateNames()) {
        longName |= name.size() >= 17;
        all += *store.Lookup(name) + "\n";
    }
    EXPECT_TRUE(longName);
    for (const char* type : {"actor", "cog", "corpse", "debris", "explosion", "ghost", "item",
                             "particle", "player", "weapon"}) {
        EXPECT_NE(all.find(std::string("type=") + type), std::string::npos) << type;
    }
    store.SearchDescendants("_weapon");
    EXPECT_GE(store.OfferedDescendantNames().size(), 6u);
    EXPECT_EQ(store.Descendants().name[0], "_weapon");
    store.SearchDescendants("_actor");
    const auto actors = store.OfferedDescendantNames();
    EXPECT_NE(std::find(actors.begin(), actors.end(), "stormtrooper_officer_heavy"), actors.end());
    EXPECT_EQ(store.Scan((dir_ / "jed" / "mots.tpl").string()).status, ScanResult::Status::Read);
    EXPECT_TRUE(store.Lookup("mara"));
}

}  // namespace
}  // namespace skerry
