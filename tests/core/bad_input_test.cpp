// The bad-input tables through the core readers, the way the program reads them: from files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/file_io.hpp"
#include "editors/template_file_checks.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/model_preview.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"
#include "support/bad_inputs.hpp"
#include "support/temp_dir.hpp"
#include "template/new_tpl.hpp"
#include "template/template_file.hpp"
#include "template/template_store.hpp"

namespace skerry {
namespace {

using testing::BadContainers;
using testing::BadTemplateFiles;
using testing::BadTextures;

class BadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::UniqueTempPath("skerry_bad_input");
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = dir_ / name;
        EXPECT_FALSE(WriteFileWhole(path, bytes));
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(BadInput, ContainersListWhatTheyHoldWholeAndReadOnlyWhatExists) {
    for (const auto& bad : BadContainers()) {
        SCOPED_TRACE(bad.name);
        const std::filesystem::path path = Write(bad.name + ".gob", bad.bytes);
        const LoadedContainer loaded = LoadContainer(path);
        if (!bad.isContainer) {
            EXPECT_EQ(loaded.status, ContainerStatus::NotAContainer);
            EXPECT_EQ(loaded.error, kNotAContainerMessage);
            continue;
        }
        ASSERT_EQ(loaded.status, ContainerStatus::Ok);
        const std::vector<GobEntry>& entries = loaded.directory.entries;
        ASSERT_EQ(entries.size(), bad.listed);
        EXPECT_EQ(loaded.directory.truncated, loaded.directory.declaredCount > 4096);
        if (entries.empty()) {
            continue;
        }
        EXPECT_EQ(EntryName(entries[0]), bad.firstName);
        EXPECT_EQ(ReadEntryFromFile(path, entries[0]), bad.firstEntry);
        for (const GobEntry& entry : entries) {
            // Whatever the name, its bitmap lands in the export folder itself.
            const std::filesystem::path exported(ExportFileName(EntryName(entry)));
            EXPECT_FALSE(exported.has_parent_path()) << exported;
            EXPECT_TRUE(exported.string().ends_with(".bmp"));
        }
    }
}

// Unpacked whole, every container writes below the folder asked for and nowhere else; a name
// that would lead elsewhere is named and left out.
TEST_F(BadInput, ContainersUnpackOnlyIntoTheirFolder) {
    for (const auto& bad : BadContainers()) {
        SCOPED_TRACE(bad.name);
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        const std::filesystem::path path = Write("bad.gob", bad.bytes);
        const ContainerJob job = ExtractContainer(path, dir_ / "out" / "mod");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_)) {
            const std::string below = entry.path().lexically_relative(dir_).generic_string();
            EXPECT_TRUE(below == "bad.gob" || below == "out" || below.starts_with("out/mod"))
                << below;
        }
        if (!bad.isContainer) {
            EXPECT_EQ(job.status, JobStatus::Failed);
            continue;
        }
        const bool noted =
            !job.notes.empty() && job.notes.front().find("Not written: " + bad.firstName) == 0;
        EXPECT_EQ(noted, bad.unsafeName) << (job.notes.empty() ? "" : job.notes.front());
        if (bad.listed > 0 && !bad.unsafeName) {
            std::string file = bad.firstName;
            std::replace(file.begin(), file.end(), '\\', '/');
            EXPECT_EQ(ReadFileBytes(dir_ / "out" / "mod" / file).bytes, bad.firstEntry);
        }
    }
}

TEST_F(BadInput, TexturesDecodeAtTheirFullSizeOrAreRefused) {
    ColormapTable colormaps;
    colormaps.Load(0, MakeColormap(SamplePalette()));
    for (const auto& bad : BadTextures()) {
        SCOPED_TRACE(bad.name);
        try {
            const DecodedTexture texture = DecodeMat(bad.bytes, colormaps.Slot(0));
            ASSERT_TRUE(bad.decodes);
            EXPECT_EQ(texture.width, bad.width);
            EXPECT_EQ(texture.height, bad.height);
            EXPECT_EQ(texture.sixteenBit, bad.sixteenBit);
            EXPECT_EQ(texture.celCount, bad.cels);
            EXPECT_EQ(texture.bmp.size(), (bad.sixteenBit ? 54u : 1078u) +
                                              static_cast<std::size_t>(bad.height) *
                                                  BmpStride(bad.width, bad.sixteenBit ? 24 : 8));
            EXPECT_THROW(DecodeMat(bad.bytes, colormaps.Slot(0), '.', bad.cels), MatError);
        } catch (const MatError& error) {
            EXPECT_FALSE(bad.decodes);
            EXPECT_EQ(error.what(), kNotAMatMessage);
        }
    }
}

TEST_F(BadInput, ModelsReadOrSayWhatIsWrong) {
    std::vector<ContainerEntry> entries;
    for (const auto& bad : testing::BadModels()) {
        entries.push_back({"3do\\" + bad.name + ".3do", bad.bytes});
    }
    ResourceState container;
    ASSERT_FALSE(container.Load(Write("models.gob", MakeContainer(entries)).string()));
    for (const auto& bad : testing::BadModels()) {
        SCOPED_TRACE(bad.name);
        const ListedModel listed = ReadListedModel(container, bad.name + ".3do");
        if (bad.message.empty()) {
            ASSERT_TRUE(listed.model) << listed.message;
            EXPECT_EQ(ModelBox(*listed.model).high.x, 0.5);
            EXPECT_EQ(ModelBox(*listed.model).low.y, -0.022);
            EXPECT_EQ(ModelBox(*listed.model).high.z, 2);
        } else {
            EXPECT_EQ(listed.status, ModelStatus::Bad);
            EXPECT_EQ(listed.message, bad.name + ".3do: " + bad.message);
        }
    }
}

TEST_F(BadInput, ColormapsOfEveryShortLengthTakeTheBytesThereAre) {
    const std::string whole = MakeColormap(SamplePalette());
    const std::string palette = whole.substr(64, 768);
    ColormapTable table;
    for (std::size_t size = 0; size <= kColormapBytes; ++size) {
        table.Load(7, whole.substr(0, size));
        const ColormapSlot& slot = table.Slot(7);
        const std::size_t present = size > 64 ? size - 64 : 0;
        for (std::size_t k = 0; k < 768; ++k) {
            const std::uint8_t expected =
                k < present ? static_cast<std::uint8_t>(palette[k]) : std::uint8_t{0};
            const auto& plane = k % 3 == 0 ? slot.red : k % 3 == 1 ? slot.green : slot.blue;
            ASSERT_EQ(plane[k / 3], expected) << "size " << size << ", byte " << k;
        }
    }
}

TEST_F(BadInput, TemplateFilesScanLookUpAndRebuildWithEveryLineKept) {
    for (const auto& bad : BadTemplateFiles()) {
        SCOPED_TRACE(bad.name);
        TemplateStore store;
        const ScanResult scan = store.Scan(Write("master.tpl", bad.bytes).string());
        ASSERT_EQ(scan.status, ScanResult::Status::Read);
        EXPECT_EQ(scan.truncated, bad.truncated);
        const std::vector<std::string> offered = store.OfferedTemplateNames();
        ASSERT_EQ(offered.size(), bad.offered);

        const std::vector<std::string> lines = SplitTemplateLines(bad.bytes);
        const RebuiltTemplateFile kept = RebuildTemplateFile(bad.bytes, "\x01", "unused");
        EXPECT_FALSE(kept.replaced);
        EXPECT_EQ(SplitTemplateLines(kept.bytes), lines);
        EXPECT_TRUE(kept.bytes.empty() || kept.bytes.ends_with(kLineEnd));
        if (offered.empty()) {
            continue;
        }
        EXPECT_EQ(offered[0], bad.firstName);
        const std::optional<std::string> line = store.Lookup(offered[0]);
        ASSERT_TRUE(line);
        EXPECT_EQ(store.FoundFields()[0], bad.firstName);
        const RebuiltTemplateFile replaced = RebuildTemplateFile(bad.bytes, offered[0], "new");
        EXPECT_TRUE(replaced.replaced);
        EXPECT_EQ(SplitTemplateLines(replaced.bytes).size(), lines.size());
    }
}

TEST_F(BadInput, TemplateChecksReadEveryBadFileWholeAndAsALevel) {
    for (const auto& bad : BadTemplateFiles()) {
        SCOPED_TRACE(bad.name);
        const std::vector<TemplateFinding> findings =
            CheckTemplateFile(bad.bytes, Game::JediKnight);
        const auto level = CheckLevelTemplates(
            "Section: TEMPLATES\r\nWorld templates 4294967296000\r\n" + bad.bytes, Game::Mots);
        ASSERT_TRUE(level);
        if (bad.name == "megabyte_line") {
            ASSERT_FALSE(findings.empty());
            EXPECT_EQ(findings[0].code, finding_code::kLineTooLong);
            EXPECT_LT(findings[0].message.size(), 200u);
        }
        EXPECT_LE(findings.size(), 20 * SplitTemplateLines(bad.bytes).size());
    }
}

TEST_F(BadInput, LongLinesAndWideLinesKeepWhatTheTableHolds) {
    auto bytesOf = [](std::string_view name) {
        for (const auto& bad : BadTemplateFiles()) {
            if (bad.name == name)
                return bad.bytes;
        }
        return std::string();
    };
    TemplateStore store;
    store.ScanBytes(bytesOf("sixty_fields"));
    ASSERT_TRUE(store.Lookup("wide"));
    // Fields past the fiftieth are not kept, but the line is.
    EXPECT_EQ(store.FoundFields()[49], "p49=49");
    EXPECT_TRUE(store.Templates().line[0].ends_with(" p59=59"));

    const std::string megabyte = bytesOf("megabyte_line");
    store.ScanBytes(megabyte);
    EXPECT_EQ(store.Templates().line[0].size(), megabyte.size() - 2);
    EXPECT_EQ(store.Templates().parent[0], "none");
}

}  // namespace
}  // namespace skerry
