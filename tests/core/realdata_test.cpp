// The readers on real files from public mods, as a user's files would come: when the
// collection is beside the project, every file must read without a crash and give sane
// results; the known-bad ones give their message.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <set>

#include "common/file_io.hpp"
#include "editors/finished_template.hpp"
#include "editors/template_file_checks.hpp"
#include "resources/byte_source.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/model_geometry.hpp"
#include "resources/model_preview.hpp"
#include "resources/texture_png.hpp"
#include "support/own_fields.hpp"
#include "support/temp_dir.hpp"
#include "template/open_template.hpp"
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

// Unpacked and packed again, every real container gives the same entries with the same bytes.
TEST(RealData, ContainersUnpackAndPackAgainToTheSameEntries) {
    const auto files = Files("gob");
    if (files.empty())
        GTEST_SKIP() << "no real containers beside the project";
    const auto entries = [](const std::filesystem::path& path) {
        std::map<std::string, std::string> named;
        for (const GobEntry& entry : LoadContainer(path).directory.entries) {
            named[EntryName(entry)] = ReadEntryFromFile(path, entry).value_or("?");
        }
        return named;
    };
    const std::filesystem::path work = testing::UniqueTempPath("skerry_real_repack");
    for (const auto& path : files) {
        if (path.filename().string().find("corrupt") != std::string::npos)
            continue;
        SCOPED_TRACE(path.string());
        const std::filesystem::path folder = work / path.stem();
        ASSERT_EQ(ExtractContainer(path, folder).status, JobStatus::Done);
        const std::filesystem::path again = work / path.filename();
        ASSERT_EQ(WriteContainer(folder, again).status, JobStatus::Done);
        EXPECT_EQ(entries(again), entries(path));
    }
    std::filesystem::remove_all(work);
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

// Every template of the real files, opened as Open does it, gives back every field of its own
// line. The only templates that cannot be opened are those whose name runs into the parent (a
// name of 17 characters with no blank after it) and those whose chain names no type.
TEST(RealData, OpenLosesNoFieldOfARealTemplate) {
    int files = 0;
    for (const char* kind : {"tpl", "tpl-jed"}) {
        for (const auto& path : Files(kind)) {
            ++files;
            TemplateStore store;
            ASSERT_EQ(store.Scan(path.string()).status, ScanResult::Status::Read);
            std::set<std::string> names;
            for (const std::string& name : store.Templates().name) {
                if (!name.empty()) {
                    names.insert(name);
                }
            }
            int opened = 0, gluedNames = 0, untyped = 0, keptRows = 0;
            for (const std::string& name : names) {
                const std::string line = *store.Lookup(name);
                const OpenedTemplate open = OpenTemplate(store, name);
                if (!open.ok) {
                    const bool glued = name.size() > kHeadColumn;
                    const bool noType = open.error.find("names its type") != std::string::npos;
                    EXPECT_TRUE(glued || noType) << path << ": " << open.error;
                    (glued ? gluedNames : untyped) += 1;
                    continue;
                }
                ++opened;
                EXPECT_EQ(open.name, name);
                EXPECT_EQ(open.parent, SplitFields(line)[1]) << name;
                EXPECT_EQ(testing::OwnFields(open.line), testing::OwnFields(line)) << name;
                for (const GridRow& row : open.grid.Rows()) {
                    keptRows += row.Kept() ? 1 : 0;
                }
            }
            std::cout << path.parent_path().filename().string() << "/" << path.filename().string()
                      << ": " << names.size() << " templates, " << opened << " opened whole ("
                      << keptRows << " fields kept in rows of "
                      << "their own), " << gluedNames << " with the name run into the parent, "
                      << untyped << " without a type\n";
        }
    }
    if (files == 0)
        GTEST_SKIP() << "no real template files beside the project";
}

// Calls each(kind, file name, path, game) for every real template file and level; the number
// of them.
template <typename Each>
int ForEachTemplateSource(Each&& each) {
    int files = 0;
    for (const char* kind : {"tpl-jed", "tpl", "jkl"}) {
        for (const auto& path : Files(kind)) {
            ++files;
            const std::string file = path.filename().string();
            each(kind, file, path,
                 file.find("mots") != std::string::npos ? Game::Mots : Game::JediKnight);
        }
    }
    return files;
}

// The game's view of the real template files and levels: the counts per code are printed for
// the record. The three force lightning lines of master.tpl, whose 17-character names run into
// their parents, must be among the findings.
TEST(RealData, TemplateFilesAndLevelsAsTheGameReadsThem) {
    const int files = ForEachTemplateSource([](const char* kind, const std::string& file,
                                               const std::filesystem::path& path, Game game) {
        const SourceCheck check = CheckTemplateSource(path.string(), game);
        ASSERT_TRUE(check.read) << check.error;
        std::map<std::string_view, int> counts;
        std::set<std::size_t> nameTooLong;
        for (const TemplateFinding& finding : check.findings) {
            ++counts[finding.code];
            if (finding.code == finding_code::kNameTooLong) {
                nameTooLong.insert(finding.line);
            }
        }
        std::cout << kind << "/" << file << ":";
        for (const auto& [code, count] : counts) {
            std::cout << " " << code << " " << count;
        }
        std::cout << (counts.empty() ? " nothing found\n" : "\n");
        if (file == "master.tpl") {
            EXPECT_EQ(nameTooLong, (std::set<std::size_t>{399, 402, 405})) << path;
        }
    });
    if (files == 0)
        GTEST_SKIP() << "no real template files or levels beside the project";
}

// Every template of the real files finished as the game finishes it: how many the game drops
// and how many of their own fields it does not apply are printed for the record.
TEST(RealData, EveryTemplateFinished) {
    const int files = ForEachTemplateSource([](const char* kind, const std::string& file,
                                               const std::filesystem::path& path, Game game) {
        const SourceFile read = ReadTemplateSource(path.string());
        ASSERT_TRUE(read.source) << read.error;
        const TemplateSource& source = *read.source;
        Resolver resolver(source, game);
        std::size_t dropped = 0;
        std::size_t unapplied = 0;
        for (std::size_t i = 0; i < source.Size(); ++i) {
            const OwnResolution& own = resolver.Apply(i);
            dropped += own.type == nullptr ? 1 : 0;
            for (const FieldOutcome& field : own.fields) {
                unapplied += field.fate != FieldFate::Applied ? 1 : 0;
            }
            const FinishedTemplate finished = resolver.Finished();
            EXPECT_EQ(finished.dropped.empty(), own.type != nullptr) << source.At(i).name;
            EXPECT_EQ(finished.chain.back(), source.At(i).name);
        }
        std::cout << kind << "/" << file << ": " << source.Size() << " templates, " << dropped
                  << " dropped by the game, " << unapplied << " fields not applied\n";
    });
    if (files == 0)
        GTEST_SKIP() << "no real template files or levels beside the project";
}

TEST(RealData, Models) {
    if (Files("3do").empty())
        GTEST_SKIP() << "no real models beside the project";
    struct Case {
        const char* file;
        double radius;
        std::size_t materials, meshes, vertices, faces;
        Vec3 low, high;
    };
    const Case cases[] = {
        {"jkrecog_rpt3.3do",
         .022547,
         2,
         3,
         666,
         720,
         {-.022046, -.022046, -.022321},
         {.022046, .022046, .022321}},
        {"jkrecog_detsphere1.3do",
         .086589,
         1,
         1,
         222,
         240,
         {-.081127, -.084304, -.084},
         {.084805, .081628, .084}},
        {"jkrecog_boc_saberthrow.3do",
         .12772,
         3,
         1,
         19,
         22,
         {-.0305, -.042654, -.00296},
         {.0305, .12772, .002959}},
        {"jkrecog_gran_head_sphere.3do",
         .02,
         1,
         1,
         382,
         400,
         {-.02, -.02, -.0198},
         {.02, .02, .0198}},
        {"jkrecog_crosshair_green_scope.3do",
         .010308,
         2,
         1,
         4,
         1,
         {-.01, 0, -.0025},
         {.01, 0, .0025}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ListedModel listed = ReadModelFile(RealData("3do") / c.file);
        ASSERT_TRUE(listed.model) << listed.message;
        const Model3do& model = *listed.model;
        EXPECT_EQ(model.radius, c.radius);
        EXPECT_EQ(model.materials.size(), c.materials);
        ASSERT_EQ(model.geosets.size(), 1u);
        std::size_t vertices = 0, faces = 0;
        for (const ModelMesh& mesh : model.geosets[0].meshes) {
            vertices += mesh.vertices.size();
            faces += mesh.faces.size();
        }
        EXPECT_EQ(model.geosets[0].meshes.size(), c.meshes);
        EXPECT_EQ(vertices, c.vertices);
        EXPECT_EQ(faces, c.faces);
        const Box box = ModelBox(model);
        EXPECT_EQ(box.low, c.low);
        EXPECT_EQ(box.high, c.high);
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
