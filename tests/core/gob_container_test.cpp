#include "resources/gob_container.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/file_io.hpp"
#include "sample/game_file_writers.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

GobDirectory Directory(const std::string& bytes) {
    MemorySource source(bytes);
    const ContainerHeader header = TestContainer(source);
    EXPECT_EQ(header.status, ContainerStatus::Ok);
    return ReadDirectory(source, header.count);
}

TEST(GobContainer, OnlyByteThreeIsTested) {
    auto status = [](std::string bytes) {
        MemorySource source(bytes);
        return TestContainer(source).status;
    };
    EXPECT_EQ(status(MakeContainer({})), ContainerStatus::Ok);
    EXPECT_EQ(status(std::string("XYZ ") + std::string(12, '\0')), ContainerStatus::Ok);
    EXPECT_EQ(status("GOB\n" + std::string(12, '\0')), ContainerStatus::NotAContainer);
    EXPECT_EQ(status(""), ContainerStatus::NotAContainer);
    EXPECT_EQ(status("GOB"), ContainerStatus::NotAContainer);
    // A header too short to hold a count has no entries.
    MemorySource shortHeader(std::string_view("GOB \x14", 5));
    EXPECT_EQ(TestContainer(shortHeader).count, 0);
}

TEST(GobContainer, DirectoryInOrderWithNames) {
    const std::string bytes = MakeContainer(
        {{"3do\\crate.3do", "abc"}, {"mat\\crate.3do", ""}, {"cog\\door.cog", "symbols"}});
    const GobDirectory directory = Directory(bytes);
    ASSERT_EQ(directory.entries.size(), 3u);
    EXPECT_EQ(EntryName(directory.entries[0]), "3do\\crate.3do");
    EXPECT_EQ(EntryName(directory.entries[1]), "mat\\crate.3do");  // same file name, two entries
    MemorySource source(bytes);
    EXPECT_EQ(ReadEntry(source, directory.entries[2]), "symbols");
    EXPECT_EQ(ReadEntry(source, directory.entries[1]), "");
    EXPECT_EQ(FindEntry(directory, "COG\\Door.cog"), 2u);
    EXPECT_FALSE(FindEntry(directory, "door.cog"));
}

TEST(GobContainer, NamesStopAtZeroAndLoseTrailingBlanks) {
    GobEntry entry;
    std::memcpy(entry.name.data(), "misc\\ai\\x.ai \t\r\0junk after", 27);
    EXPECT_EQ(EntryName(entry), "misc\\ai\\x.ai");
    entry.name.fill('a');  // no zero byte at all
    EXPECT_EQ(EntryName(entry).size(), kEntryNameSize);
}

TEST(GobContainer, AtMost4096EntriesAreRead) {
    std::vector<ContainerEntry> entries(kDirectoryCapacity + 1, {"x", ""});
    entries.back().name = "last";
    const GobDirectory directory = Directory(MakeContainer(entries));
    EXPECT_EQ(directory.entries.size(), kDirectoryCapacity);
    EXPECT_EQ(directory.declaredCount, 4097);
    EXPECT_TRUE(directory.truncated);
    EXPECT_FALSE(Directory(MakeContainer({{"x", ""}})).truncated);
}

TEST(GobContainer, ShortfallSaysWhatWasRead) {
    std::vector<ContainerEntry> many(kDirectoryCapacity + 1, {"x", ""});
    EXPECT_EQ(DirectoryShortfall("big.gob", Directory(MakeContainer(many))),
              "big.gob lists 4097 entries; only the first 4096 are read.");
    std::string cut = MakeContainer({{"a", ""}, {"b", ""}});
    cut[12] = 100;  // more entries than the file holds
    EXPECT_EQ(DirectoryShortfall("cut.gob", Directory(cut)),
              "cut.gob lists 100 entries but holds only 2 of them whole; those are read.");
    EXPECT_FALSE(DirectoryShortfall("ok.gob", Directory(MakeContainer({{"a", ""}}))));
}

TEST(GobContainer, EntryReadsCanStopEarly) {
    const std::string bytes = MakeContainer({{"a.txt", "hello"}});
    MemorySource source(bytes);
    const GobEntry entry = Directory(bytes).entries.at(0);
    EXPECT_EQ(ReadEntry(source, entry, 3), "hel");  // a reader that needs only the start
    EXPECT_EQ(ReadEntry(source, entry, 99), "hello");
}

TEST(GobContainer, FilesThatCannotBeUsedAreReported) {
    const LoadedContainer missing = LoadContainer("/nonexistent/res2.gob");
    EXPECT_EQ(missing.status, ContainerStatus::CannotOpen);
    EXPECT_EQ(missing.error, "Cannot open file /nonexistent/res2.gob");
    const LoadedContainer folder = LoadContainer("/tmp");
    EXPECT_EQ(folder.status, ContainerStatus::CannotOpen);
    EXPECT_FALSE(ReadEntryFromFile("/nonexistent/res2.gob", GobEntry{}));
}

TEST(GobContainer, OtherFilesWithABlankAtByteThreeAreNamedWhenTheirDirectoryCannotBeRead) {
    const auto dir = testing::UniqueTempPath("skerry_not_gob");
    std::filesystem::create_directories(dir);
    const std::string two = MakeContainer({{"a.mat", "first"}, {"b.cog", "second"}});
    auto withCount = [](std::string bytes, std::int32_t count) {
        std::memcpy(bytes.data() + 12, &count, 4);
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
        ContainerStatus status;
        std::size_t listed;
    };
    const Case cases[] = {
        {"other.gob", "XYZ " + withCount(two, 1000).substr(4), ContainerStatus::NotAContainer, 0},
        {"negative.gob", "XYZ " + withCount(two, -1).substr(4), ContainerStatus::NotAContainer, 0},
        {"readable.gob", "XYZ " + two.substr(4), ContainerStatus::Ok, 2},
        {"empty.gob", "XYZ " + withCount(two, 0).substr(4), ContainerStatus::Ok, 0},
        {"gob.gob", withCount(two, 1000), ContainerStatus::Ok, 2},  // the count is mentioned
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(WriteFileWhole(dir / c.name, c.bytes));
        const LoadedContainer loaded = LoadContainer(dir / c.name);
        EXPECT_EQ(loaded.status, c.status);
        EXPECT_EQ(loaded.directory.entries.size(), c.listed);
        EXPECT_EQ(loaded.error, c.status == ContainerStatus::Ok
                                    ? ""
                                    : (dir / c.name).string() + " is not a GOB/GOO container");
    }
    std::filesystem::remove_all(dir);
}

TEST(GobContainer, ColormapsByFileNameOrWholeNameInAnyCase) {
    const GobDirectory directory = Directory(MakeContainer(
        {{"misc\\cmp\\dflt.cmp", ""}, {"mat\\night.mat", ""}, {"misc\\cmp\\NIGHT.CMP", ""}}));
    EXPECT_EQ(ColormapEntries(directory), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(FindColormapEntry(directory, "night.cmp"), 2u);
    EXPECT_EQ(FindColormapEntry(directory, "MISC\\cmp\\Night.Cmp"), 2u);
    EXPECT_FALSE(FindColormapEntry(directory, "night.mat"));  // not a colormap
    EXPECT_FALSE(FindColormapEntry(directory, "cmp\\night.cmp"));
}

TEST(GobContainer, FileNamePart) {
    EXPECT_EQ(FileNamePart("3do\\key\\kyrun.key"), "kyrun.key");
    EXPECT_EQ(FileNamePart("a/b.mat"), "b.mat");
    EXPECT_EQ(FileNamePart("plain"), "plain");
}

}  // namespace
}  // namespace skerry
