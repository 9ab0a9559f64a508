#include "editors/flag_kinds.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "editors/flag_editor.hpp"

namespace skerry {
namespace {

TEST(TrimHex, DropsLeadingZerosAndKeepsOneForZero) {
    const std::pair<std::string_view, std::string_view> table[] = {
        {"00000009", "0x9"},
        {"0000A000", "0xA000"},
        {"80000000", "0x80000000"},
        {"FFFFFFFF", "0xFFFFFFFF"},
        {"0A", "0xA"},
        {"1F", "0x1F"},
        {"00", "0x0"},
        {"00000000", "0x0"},
        {"10", "0x10"},
    };
    for (const auto& [digits, text] : table) {
        EXPECT_EQ(TrimHex(digits), text) << digits;
    }
}

struct ExpectedKind {
    std::string_view key;
    std::string_view title;
    bool enumerated;
    std::map<std::size_t, std::string_view> names;
};

// Written out from the game's flag meanings, apart from the table under test.
const ExpectedKind kExpected[] = {
    {"actor", "Actor Flags", false, {{2, "Field Light"}, {3, "Invulnerable"}, {7, "Invisible"}}},
    {"damage",
     "Damage Type",
     true,
     {{1, "Impact"}, {2, "Energy"}, {4, "Fire"}, {8, "Force"}, {16, "Saber"}}},
    {"explosion",
     "Explosion Flags",
     false,
     {{0, "Animated Sprite"},
      {1, "Blast Phase"},
      {2, "Damage In Blast Area"},
      {3, "Child Explosions"},
      {4, "Variable Light"},
      {6, "No Damage Shooter"},
      {7, "Random Debris"},
      {8, "Flash Blind"}}},
    {"item", "Item Type", false, {{0, "Respawn MP"}, {2, "BackPack"}, {3, "CTF Flag"}}},
    {"particle",
     "Particle flags",
     false,
     {{0, "Outward expanding"},
      {1, "Animate cel"},
      {2, "Random "},
      {3, "FadeOut"},
      {4, "Emit light"},
      {5, "used but not sure"}}},
    {"physics",
     "Physics flags",
     false,
     {{0, "Has Gravity"},
      {4, "Align with surface"},
      {5, "Bounce off surface"},
      {6, "Sticks to Floor"},
      {7, "Sticks to Wall"},
      {9, "No Rotation vel"},
      {16, "Crouching"},
      {18, "Partial Gravity"},
      {22, "No thrust effect"}}},
    {"thing",
     "Thing flags",
     false,
     {{0, "Emits Light"},
      {1, "Dead"},
      {2, "MagSealed"},
      {3, "Part of World Geo"},
      {4, "Invisible"},
      {6, "Can standon"},
      {10, "Used in Cog"},
      {11, "No Crush"},
      {12, "Not in Easy"},
      {13, "Not in Med"},
      {14, "Not in Hard"},
      {15, "Not in Multi"},
      {16, "Not in Single"},
      {17, "Sends Pulse msg"},
      {19, "Disabled"},
      {22, "Made of Metal"},
      {23, "Made of Earth"},
      {24, "No Sounds"}}},
    {"weapon",
     "Weapon Flags",
     false,
     {{10, "Reflects on Magsealed surf"},
      {11, "Sticks to things"},
      {12, "Close Proximity Trigger"}}},
};

TEST(FlagKinds, EveryKindLabelsAllThirtyTwoEntriesAndItsTitle) {
    ASSERT_EQ(FlagKinds().size(), std::size(kExpected));
    for (std::size_t k = 0; k < std::size(kExpected); ++k) {
        const ExpectedKind& want = kExpected[k];
        EXPECT_EQ(FlagKinds()[k].key, want.key);  // the order keys are compared in
        FlagEditor editor;
        ASSERT_TRUE(editor.GetFlag(want.key)) << want.key;
        EXPECT_EQ(editor.Title(), want.title);
        EXPECT_EQ(editor.SingleValueMode(), want.enumerated) << want.key;
        for (std::size_t i = 0; i < kFlagEntryCount; ++i) {
            char base[16];
            if (want.enumerated) {
                std::snprintf(base, sizeof base, "0x%02zX", i);
            } else {
                std::snprintf(base, sizeof base, "0x%08X", 1u << i);
            }
            const auto named = want.names.find(i);
            EXPECT_EQ(editor.List()[i].caption,
                      named != want.names.end() ? std::string(named->second) : std::string(base))
                << want.key << " entry " << i;
        }
    }
}

TEST(FlagKinds, KeysAreExact) {
    EXPECT_NE(FindFlagKind("thing"), nullptr);
    EXPECT_EQ(FindFlagKind("Thing"), nullptr);
    EXPECT_EQ(FindFlagKind(""), nullptr);
    std::set<std::string_view> keys;
    for (const FlagKind& kind : FlagKinds()) {
        keys.insert(kind.key);
        for (const FlagName& name : kind.names) {
            EXPECT_LT(name.index, kFlagEntryCount) << kind.key;
        }
    }
    EXPECT_EQ(keys.size(), 8u);
}

TEST(TypeFlagKey, ChoosesFromTheDescriptionAndTheLastWordWins) {
    EXPECT_EQ(TypeFlagKey("actor flags (int)"), "actor");
    EXPECT_EQ(TypeFlagKey("weapon flags (int)"), "weapon");
    EXPECT_EQ(TypeFlagKey("explosion flags (int)"), "explosion");
    EXPECT_EQ(TypeFlagKey("item flags (int)"), "item");
    EXPECT_EQ(TypeFlagKey("particle flags (int)"), "particle");
    // Tested in the order actor, item, explosion, particle, weapon: not by position in text.
    EXPECT_EQ(TypeFlagKey("weapon or actor"), "weapon");
    EXPECT_EQ(TypeFlagKey("particle item"), "particle");
    EXPECT_EQ(TypeFlagKey("Actor flags"), "");
    EXPECT_EQ(TypeFlagKey("thingflags  (int)"), "");
}

}  // namespace
}  // namespace skerry
