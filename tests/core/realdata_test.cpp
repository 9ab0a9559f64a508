// The readers on real files from public mods, as a user's files would come: when the
// collection is beside the project, every file must read without a crash and give sane
// results; the known-bad ones give their message.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "resources/byte_source.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/texture_png.hpp"
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
    int sixteenBit = 0;
    for (const auto& path : mats) {
        SCOPED_TRACE(path.string());
        const std::string bytes = *ReadFileBytes(path).bytes;
        const MatInfo info = ReadMatInfo(bytes);
        const DecodedTexture t = DecodeMat(bytes, colormaps.Slot(0));
        EXPECT_GE(t.width, 8);
        EXPECT_EQ(t.sixteenBit, info.format.SixteenBit());
        EXPECT_EQ(t.bmp.size(),
                  (t.sixteenBit ? 54 : 1078) + BmpStride(t.width, t.sixteenBit ? 24 : 8) *
                                                   static_cast<std::uint64_t>(t.height));
        // Every texture here has one cel; a solid colour has one for each colour record.
        EXPECT_EQ(t.celCount, t.solidColour ? ByteReader(bytes).I32(12) : 1);
        if (!t.sixteenBit) {
            continue;
        }
        // Their headers give 5-6-5 and three levels, and after them come more bytes than
        // those take. h.mat's pixels are all 00 ff then ff ff: orange (5-6-5's ff00), white.
        ++sixteenBit;
        EXPECT_EQ(info.format.bits, (std::array<std::int32_t, 3>{5, 6, 5}));
        EXPECT_EQ(info.format.shifts, (std::array<std::int32_t, 3>{11, 5, 0}));
        if (path.filename() == "mat16_h.mat") {
            const std::size_t topRow = 54 + 3 * 256 * 255;
            EXPECT_EQ(t.bmp.substr(topRow, 6), std::string("\0\xe3\xff\xff\xff\xff", 6));
        }
        EXPECT_EQ(PngFromBmp(t.bmp).value_or("").substr(1, 3), "PNG");
    }
    EXPECT_EQ(sixteenBit, 2);
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
