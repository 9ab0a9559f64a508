#include "settings/settings_store.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/memory_settings_store.hpp"

namespace skerry {
namespace {

using testing::MemorySettingsStore;

const std::string kSep(1, kDirSeparator);

// A path as the settings hold it on this platform.
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kDirSeparator);
    return path;
}

TEST(SettingsStore, FirstRunLeavesEverythingUnsetAndSaysSoInOrder) {
    MemorySettingsStore store;
    Settings settings;
    LoadStoredPaths(settings, store);
    EXPECT_EQ(settings.jedTplPath, "");
    EXPECT_EQ(settings.jkDir, "");
    EXPECT_EQ(settings.motsDir, "");
    EXPECT_EQ(MissingPathMessages(settings),
              (std::vector<std::string>{"Please Set Directories in Options",
                                        "JediKnight directory must be set in Options"}));
}

TEST(SettingsStore, StoredPathsAreNormalisedOnReading) {
    MemorySettingsStore store;
    store.values = {{"Jed", "C:\\Jed/master.tpl"}, {"JK", "/games/jk"}, {"MOTS", "/games/mots\\"}};
    Settings settings;
    LoadStoredPaths(settings, store);
    EXPECT_EQ(settings.jedTplPath, "C:" + kSep + "Jed" + kSep + "master.tpl");
    EXPECT_EQ(settings.jkDir, kSep + "games" + kSep + "jk" + kSep);
    EXPECT_EQ(settings.motsDir, kSep + "games" + kSep + "mots" + kSep);
    EXPECT_TRUE(MissingPathMessages(settings).empty());
}

TEST(SettingsStore, UnreadableValueCountsAsUnset) {
    MemorySettingsStore store;
    store.values = {{"Jed", "/jed/master.tpl"}, {"JK", "/jk/"}};
    store.unreadable = {{"JK", true}};
    Settings settings;
    LoadStoredPaths(settings, store);
    EXPECT_EQ(MissingPathMessages(settings),
              (std::vector<std::string>{"JediKnight directory must be set in Options"}));
}

TEST(SettingsStore, BrowsedFilesBecomeSettingsAndStoredValues) {
    MemorySettingsStore store;
    Settings settings;
    EXPECT_FALSE(ApplyBrowsedFile(settings, store, BrowsedPath::JedTemplate, "/jed/master.tpl"));
    EXPECT_EQ(settings.jedTplPath, Native("/jed/master.tpl"));
    EXPECT_EQ(store.values["Jed"], Native("/jed/master.tpl"));
    EXPECT_TRUE(settings.restartNeeded);

    // Any container name will do: its folder is what counts.
    EXPECT_FALSE(ApplyBrowsedFile(settings, store, BrowsedPath::JkContainer, "/jk/RES1HI.GOB"));
    EXPECT_EQ(settings.jkDir, Native("/jk/"));
    EXPECT_EQ(store.values["JK"], Native("/jk/"));
    EXPECT_FALSE(ApplyBrowsedFile(settings, store, BrowsedPath::MotsContainer, "/mots/jkmres.goo"));
    EXPECT_EQ(store.values["MOTS"], Native("/mots/"));
    EXPECT_EQ(store.values.size(), 3u);  // each button writes only its own value
}

TEST(SettingsStore, FailedSaveStillAppliesAndNamesTheValue) {
    MemorySettingsStore store;
    store.failWrites = true;
    Settings settings;
    const auto message = ApplyBrowsedFile(settings, store, BrowsedPath::MotsContainer, "/m/a.goo");
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("MOTS"), std::string::npos);
    EXPECT_EQ(settings.motsDir, Native("/m/"));
}

}  // namespace
}  // namespace skerry
