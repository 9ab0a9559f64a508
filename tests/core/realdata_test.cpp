// The readers on real files from public mods, as a user's files would come: when the
// collection is beside the project, every file must read without a crash and give sane
// results; the known-bad ones give their message.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "template/template_store.hpp"

namespace skerry {
namespace {

std::filesystem::path RealData(const char* kind) {
    return std::filesystem::path(SKERRY_REALDATA_DIR) / kind;
}

std::vector<std::filesystem::path> Files(const char* kind) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(RealData(kind), ec)) {
        files.push_back(entry.path());
    }
    return files;
}

TEST(RealData, Containers) {
    const auto files = Files("gob");
    if (files.empty())
        GTEST_SKIP() << "no real containers beside the project";
    for (const auto& path : files) {
        const LoadedContainer loaded = LoadContainer(path);
        if (path.filename().string().find("corrupt") != std::string::npos) {
            EXPECT_TRUE(loaded.directory.entries.empty()) << path;
            continue;
        }
        ASSERT_EQ(loaded.status, ContainerStatus::Ok) << path;
        for (const GobEntry& entry : loaded.directory.entries) {
            EXPECT_FALSE(EntryName(entry).empty()) << path;
            EXPECT_EQ(ReadEntryFromFile(path, entry)->size(), static_cast<std::size_t>(entry.size));
        }
    }
}

TEST(RealData, TexturesWithRealColormaps) {
    const auto mats = Files("mat");
    const auto cmps = Files("cmp");
    if (mats.empty() || cmps.empty())
        GTEST_SKIP() << "no real textures beside the project";
    ColormapTable colormaps;
    colormaps.Load(0, *ReadFileBytes(cmps.front()).bytes);
    for (const auto& path : mats) {
        const std::string bytes = *ReadFileBytes(path).bytes;
        const DecodedTexture t = DecodeMat(bytes, colormaps.Slot(0));
        EXPECT_GE(t.width, 8) << path;
        EXPECT_EQ(t.bmp.size(), 1078 + BmpStride(t.width) * static_cast<std::uint64_t>(t.height));
    }
}

TEST(RealData, TemplateFiles) {
    const auto files = Files("tpl");
    if (files.empty())
        GTEST_SKIP() << "no real template files beside the project";
    for (const auto& path : files) {
        TemplateStore store;
        ASSERT_EQ(store.Scan(path.string()).status, ScanResult::Status::Read);
        EXPECT_GT(store.OfferedTemplateNames().size(), 500u) << path;
        store.SearchDescendants("_weapon");
        EXPECT_GT(store.OfferedDescendantNames().size(), 5u) << path;
    }
}

}  // namespace
}  // namespace skerry
