// Throughput and latency of the core at the largest sizes the program handles. Each rate
// stands beside a memcpy or plain read of the same bytes, measured in the same run.
#include "core_bench.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "bench_table.hpp"
#include "common/file_io.hpp"
#include "editors/finished_template.hpp"
#include "editors/template_file_checks.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/model_preview.hpp"
#include "resources/picker_listing.hpp"
#include "resources/picker_order.hpp"
#include "resources/resource_state.hpp"
#include "resources/texture_png.hpp"
#include "resources/texture_writer.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_models.hpp"
#include "sample/sample_pictures.hpp"
#include "template/catalogue.hpp"
#include "template/level_put.hpp"
#include "template/new_tpl.hpp"
#include "template/template_line.hpp"
#include "template/template_store.hpp"

namespace skerry::bench {

namespace {

std::string Megabytes(std::size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

std::size_t Scaled(std::size_t full, double scale) {
    return static_cast<std::size_t>(static_cast<double>(full) * scale + 0.5);
}

// Texts the benchmarks work on live as long as the run: the rows and baselines keep views.
const std::string& Keep(std::string bytes) {
    static std::vector<std::unique_ptr<std::string>> kept;
    kept.push_back(std::make_unique<std::string>(std::move(bytes)));
    return *kept.back();
}

// A plain read of count bytes at each offset of a file, opened once.
BenchmarkFn PlainRead(std::string path, std::vector<std::uint64_t> offsets, std::uint64_t count) {
    return [path = std::move(path), offsets = std::move(offsets), count](benchmark::State& state) {
        std::string buffer(count, '\0');
        for (auto _ : state) {
            std::ifstream in(path, std::ios::binary);
            for (const std::uint64_t offset : offsets) {
                in.seekg(static_cast<std::streamoff>(offset));
                in.read(buffer.data(), static_cast<std::streamsize>(count));
            }
            benchmark::DoNotOptimize(buffer.data());
        }
    };
}

void AddTemplateRows(const Inputs& inputs) {
    for (const double scale : kScales) {
        const std::size_t count = Scaled(kFullTemplates, scale);
        const std::string& file = scale == 1.0 ? inputs.templateFile : Keep(TemplateFile(count));
        Row row{"template scan", std::to_string(count) + " templates, " + Megabytes(file.size()),
                file.size(),     AddMemcpyBaseline(file),
                scale,           {}};
        if (scale == 1.0) {
            row.target = Target::AtLeastMBps(200);
        }
        AddRow(row, [&file](benchmark::State& state) {
            TemplateStore store;
            for (auto _ : state) {
                benchmark::DoNotOptimize(store.ScanBytes(file));
            }
        })->UseRealTime();
    }

    // As Open, Save and Append do it: the file read and the scan together.
    const std::string master = (inputs.jedFolder / "master.tpl").string();
    const std::uint64_t masterBytes = inputs.templateFile.size();
    AddRow({"template scan of master.tpl on disk",
            "1000 templates, " + Megabytes(inputs.templateFile.size()), masterBytes,
            AddBaseline("baseline: read of master.tpl", masterBytes,
                        PlainRead(master, {0}, masterBytes)),
            1.0, Target::AtLeastMBps(200)},
           [master](benchmark::State& state) {
               TemplateStore store;
               for (auto _ : state) {
                   if (store.Scan(master).status != ScanResult::Status::Read) {
                       Fault("master.tpl was not read");
                   }
               }
           })
        ->UseRealTime();

    AddRow({"lookup by name (the last one)", "1000 templates", 0, {}, 1.0, {}},
           [&inputs](benchmark::State& state) {
               TemplateStore store;
               store.ScanBytes(inputs.templateFile);
               const std::string last = store.Templates().name[kFullTemplates - 1];
               for (auto _ : state) {
                   benchmark::DoNotOptimize(store.Lookup(last));
               }
           })
        ->UseRealTime();

    for (const double scale : kScales) {
        const std::size_t count = Scaled(kFullTemplates, scale);
        const std::string& file = scale == 1.0 ? inputs.templateFile : Keep(TemplateFile(count));
        const std::size_t descendants = WeaponDescendants(count);
        AddRow({"descendant search",
                std::to_string(count) + " templates, " + std::to_string(descendants) + " below",
                0,
                {},
                scale,
                {}},
               [&file, descendants](benchmark::State& state) {
                   TemplateStore store;
                   store.ScanBytes(file);
                   for (auto _ : state) {
                       store.SearchDescendants("_weapon");
                       benchmark::DoNotOptimize(store.Descendants().name[0].data());
                   }
                   std::size_t found = 0;
                   for (const std::string& name : store.Descendants().name) {
                       found += name.empty() ? 0 : 1;
                   }
                   if (found != descendants + 1) {
                       Fault("the search missed descendants");
                   }
               })
            ->UseRealTime();
    }

    AddRow({"compose template line", "46 rows, every one set", 0, {}, 1.0, {}},
           [](benchmark::State& state) {
               ParamGrid grid;
               LoadGridMain(grid, "actor");
               for (std::size_t row = 0; row < grid.RowCount(); ++row) {
                   grid.Row(row).value = "1.000000";
               }
               if (grid.RowCount() != 46) {
                   Fault("the actor grid is not 46 rows");
               }
               for (auto _ : state) {
                   benchmark::DoNotOptimize(ComposeLine("mytemplate", "_actor", grid));
               }
           })
        ->UseRealTime();

    const std::string& file = inputs.templateFile;
    // The game's view of the whole file: every line split, every name and reference looked up,
    // every parent chain walked. Its references name templates the file lacks, so the run also
    // writes findings.
    const std::size_t findings = CheckTemplateFile(file, Game::JediKnight).size();
    AddRow({"whole-file check", "1000 templates, " + std::to_string(findings) + " findings",
            file.size(), AddMemcpyBaseline(file), 1.0, Target::AtMostMs(5)},
           [&file, findings](benchmark::State& state) {
               for (auto _ : state) {
                   const std::vector<TemplateFinding> found =
                       CheckTemplateFile(file, Game::JediKnight);
                   if (found.size() != findings) {
                       Fault("the check found otherwise");
                   }
               }
           })
        ->UseRealTime();

    // What the game makes of the deepest weapon, as the grid asks after every change: its chain
    // of six applied from nothing, over a file indexed once.
    static const std::unique_ptr<TemplateSource> source = [&file] {
        auto made = std::make_unique<TemplateSource>();
        made->AddTemplateFile(file);
        made->Index(false);
        return made;
    }();
    AddRow({"finished template",
            "six-level chain, 1000 templates",
            0,
            {},
            1.0,
            Target::AtMostMs(0.05)},
           [](benchmark::State& state) {
               const std::string name = DeepestWeapon(kFullTemplates);
               for (auto _ : state) {
                   const FinishedTemplate finished =
                       FinishTemplate(*source, name, Game::JediKnight);
                   if (finished.chain.size() != 6) {
                       Fault("the chain is not six levels from the weapon up to _weapon: " +
                             std::to_string(finished.chain.size()));
                   }
                   benchmark::DoNotOptimize(finished.params.data());
               }
           })
        ->UseRealTime();

    AddRow({"New.tpl rebuild",
            "1000 templates, " + Megabytes(file.size()),
            file.size(),
            AddMemcpyBaseline(file),
            1.0,
            {}},
           [&file](benchmark::State& state) {
               const std::string name = DeepestWeapon(kFullTemplates);
               const std::string line = name + "            _weapon damage=99.000000";
               for (auto _ : state) {
                   RebuiltTemplateFile rebuilt = RebuildTemplateFile(file, name, line);
                   benchmark::DoNotOptimize(rebuilt.bytes.data());
                   if (!rebuilt.replaced) {
                       Fault("the template was not found");
                   }
               }
           })
        ->UseRealTime();

    // The deepest weapon and the five above it go into a level that has what they name.
    const std::string& level = Keep(Level(1000000));
    AddRow({"put into a level", "six-template chain, " + Megabytes(level.size()) + " level",
            level.size(), AddMemcpyBaseline(level), 1.0, Target::AtMostMs(5)},
           [&file, &level](benchmark::State& state) {
               const std::vector<std::string> names{DeepestWeapon(kFullTemplates)};
               for (auto _ : state) {
                   const LevelPut put = PutIntoLevel(level, "bench.jkl", file, "master.tpl", names);
                   benchmark::DoNotOptimize(put.bytes.data());
                   if (!put.ok || put.added.size() != 6) {
                       Fault("the chain was not put: " + put.error);
                   }
               }
           })
        ->UseRealTime();
}

void AddResourceRows(const Inputs& inputs) {
    const std::string container = (inputs.jkFolder / "res2.gob").string();
    const std::uint64_t directoryBytes = kDirectoryStart + kFullEntries * kEntryRecordSize;
    AddRow({"directory read with names", "4096 entries", directoryBytes,
            AddBaseline("baseline: read of the directory", directoryBytes,
                        PlainRead(container, {0}, directoryBytes)),
            1.0, Target::AtMostMs(1)},
           [container](benchmark::State& state) {
               for (auto _ : state) {
                   ResourceState resources;
                   if (resources.Load(container)) {
                       Fault("the container did not load");
                   }
                   benchmark::DoNotOptimize(resources.Names().data());
               }
           })
        ->UseRealTime();

    for (const double scale : kScales) {
        const std::size_t count = Scaled(kFullEntries, scale);
        const std::vector<std::string> names(
            inputs.entryNames.begin(),
            inputs.entryNames.begin() + static_cast<std::ptrdiff_t>(count));
        std::string joined;
        for (const std::string& name : names) {
            joined += name;
        }
        const std::string& bytes = Keep(std::move(joined));
        AddRow({"listing of .mat in picker order",
                std::to_string(count) + " names",
                bytes.size(),
                AddMemcpyBaseline(bytes),
                scale,
                {}},
               [names](benchmark::State& state) {
                   for (auto _ : state) {
                       std::vector<std::string> listed;
                       AddInPickerOrder(listed, ListEntries(names, ".mat"));
                       benchmark::DoNotOptimize(listed.data());
                   }
               })
            ->UseRealTime();
    }

    ResourceState loaded;
    loaded.Load(container);
    const std::vector<ResourceState::ColormapEntry> colormaps = loaded.FindColormaps();
    std::vector<std::uint64_t> offsets;
    {
        const LoadedContainer directory = LoadContainer(container);
        for (const ResourceState::ColormapEntry& colormap : colormaps) {
            offsets.push_back(
                static_cast<std::uint64_t>(directory.directory.entries[colormap.index].offset));
        }
    }
    AddRow({"colormap reads",
            std::to_string(colormaps.size()) + " slots",
            colormaps.size() * kColormapBytes,
            AddBaseline("baseline: read of 20 colormaps", colormaps.size() * kColormapBytes,
                        PlainRead(container, offsets, kColormapBytes)),
            1.0,
            {}},
           [container, colormaps](benchmark::State& state) {
               ResourceState resources;
               resources.Load(container);
               if (colormaps.size() != kColormaps) {
                   Fault("the container lacks colormaps");
               }
               for (auto _ : state) {
                   resources.StoreColormaps(colormaps);
                   benchmark::DoNotOptimize(&resources.Colormaps());
               }
           })
        ->UseRealTime();

    // A 16-bit one of the same stripes in two shades of 5-6-5, for the widening of its words.
    std::string words;
    words.reserve(2048 * 2048 * 2);
    for (const char index : StripePixels(2048, 2048)) {
        const auto shade = static_cast<std::uint8_t>(index);
        words += PackPixel(kFormat565, shade, static_cast<std::uint8_t>(shade * 3), 0x80);
    }
    struct Texture {
        const char* size;
        std::string mat;
    };
    const Texture textures[] = {
        {"64x64", MakeTextureMat(64, 64, GradientPixels(64, 64))},
        {"512x512", MakeTextureMat(512, 512, BrickPixels(512, 512))},
        {"2048x2048", MakeTextureMat(2048, 2048, StripePixels(2048, 2048))},
        {"solid colour, 64x64", MakeSolidMat(5)},
        {"16-bit 5-6-5, 2048x2048", MakeMatOfPixels(kFormat565, {{2048, 2048, words}})},
    };
    ColormapTable palettes;
    palettes.Load(0, MakeColormap(SamplePalette(0)));
    for (const Texture& texture : textures) {
        const std::string& mat = Keep(texture.mat);
        const std::string& bmp = Keep(DecodeMat(mat, palettes.Slot(0)).bmp);
        AddRow({"texture decode into the BMP", texture.size, bmp.size(), AddMemcpyBaseline(bmp),
                1.0, Target::AtLeastRatio(0.25)},
               [&mat, palettes](benchmark::State& state) {
                   for (auto _ : state) {
                       DecodedTexture decoded = DecodeMat(mat, palettes.Slot(0));
                       benchmark::DoNotOptimize(decoded.bmp.data());
                   }
               })
            ->UseRealTime();
    }
}

void AddModelRows() {
    const BenchModel largest = LargestModel();
    const std::string& text = Keep(largest.bytes);
    AddRow({"3DO model read",
            largest.name + ", " + Megabytes(text.size()),
            text.size(),
            AddMemcpyBaseline(text),
            1.0,
            {}},
           [&text](benchmark::State& state) {
               for (auto _ : state) {
                   Model3do model = ReadModel3do(text);
                   benchmark::DoNotOptimize(model.geosets.data());
               }
           })
        ->UseRealTime();

    // The picker's picture of a model as large as any the game draws, every face in view.
    auto model = std::make_shared<Model3do>(SphereModel(5000, 1));
    const std::vector<Rgb> colours(model->materials.size(), Rgb{200, 100, 50});
    AddRow({"model picture prepared", "5000 faces, 400x400", 0, {}, 1.0, Target::AtMostMs(16)},
           [model, colours](benchmark::State& state) {
               if (model->geosets[0].meshes[0].faces.size() != 5000) {
                   Fault("the model is not 5000 faces");
               }
               ViewRotation view;
               for (auto _ : state) {
                   view = TurnView(view, 3, 0);  // as while the user drags
                   ModelPicture picture = PrepareModelPicture(*model, colours, view, 400, 400);
                   benchmark::DoNotOptimize(picture.faces.data());
               }
           })
        ->UseRealTime();
}

// Cels are found by stepping from header to header over each one's mip-maps, never by
// reading pixels, so the last of many large cels is as near as the first.
void AddCelRows() {
    std::vector<TextureCel> cels;
    for (int cel = 0; cel < 16; ++cel) {
        cels.push_back({256, 256, BrickPixels(256, 256), 4});
    }
    const std::string& mat = Keep(MakeMatOfPixels({}, cels));
    AddRow({"finding the last cel", "16 cels of 256x256, 4 mip-maps each", 0, {}, 1.0, {}},
           [&mat](benchmark::State& state) {
               for (auto _ : state) {
                   benchmark::DoNotOptimize(ReadMatInfo(mat));
               }
               if (ReadMatInfo(mat).celCount != 16) {
                   Fault("the cels were not all found");
               }
           })
        ->UseRealTime();
}

// A texture pack as modders export one: 800 textures, most 64x64, a quarter 128x128 and an
// eighth 256x256, each decoded and written as its own BMP file (whole, through a temporary
// file, unsynced), against writing the same BMP bytes straight into as many new files.
void AddExportRows(const Inputs& inputs) {
    constexpr int kPack = 800;
    ColormapTable palettes;
    palettes.Load(0, MakeColormap(SamplePalette(0)));
    auto mats = std::make_shared<std::vector<std::string>>();
    auto bmps = std::make_shared<std::vector<std::string>>();
    std::uint64_t bytes = 0;
    for (int i = 0; i < kPack; ++i) {
        const int side = i % 8 == 0 ? 256 : i % 4 == 1 ? 128 : 64;
        mats->push_back(MakeTextureMat(side, side, BrickPixels(side, side)));
        bmps->push_back(DecodeMat(mats->back(), palettes.Slot(0)).bmp);
        bytes += bmps->back().size();
    }
    auto fileName = [](int i) { return "tex" + std::to_string(i) + ".bmp"; };
    // Every repetition writes new files, as a first export does.
    auto emptied = [](const std::filesystem::path& folder, benchmark::State& state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
    };
    const std::filesystem::path plain = inputs.programFolder / "pack-plain";
    const std::string baseline =
        AddBaseline("baseline: 800 new files written", bytes,
                    [plain, bmps, fileName, emptied](benchmark::State& state) {
                        for (auto _ : state) {
                            emptied(plain, state);
                            for (int i = 0; i < kPack; ++i) {
                                const std::string& bmp = (*bmps)[static_cast<std::size_t>(i)];
                                std::ofstream(plain / fileName(i), std::ios::binary)
                                    .write(bmp.data(), static_cast<std::streamsize>(bmp.size()));
                            }
                        }
                    });
    const std::filesystem::path folder = inputs.programFolder / "pack";
    AddRow({"export of a texture pack to BMP files", "800 textures, " + Megabytes(bytes), bytes,
            baseline, 1.0, Target::AtLeastRatio(1 / 1.5)},
           [folder, mats, palettes, fileName, emptied](benchmark::State& state) {
               for (auto _ : state) {
                   emptied(folder, state);
                   for (int i = 0; i < kPack; ++i) {
                       const DecodedTexture texture =
                           DecodeMat((*mats)[static_cast<std::size_t>(i)], palettes.Slot(0));
                       if (SavePicture(folder / fileName(i), texture.bmp, PictureFormat::Bmp)) {
                           Fault("a bitmap was not written");
                       }
                   }
               }
           })
        ->UseRealTime();
}

// Debian's own Python, where python3-pil puts Pillow, before any other on the PATH.
std::string Python() {
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

// The seconds a plain Pillow script takes to map the picture's levels to the palette, measured
// once in this run (the median of its own repetitions); nothing when Pillow is not installed.
std::optional<double> PillowSeconds(const std::filesystem::path& picture,
                                    const std::filesystem::path& colormap, int levels) {
    const std::string command = Python() + " '" SKERRY_BENCH_DIR "/pillow_quantise.py' '" +
                                picture.string() + "' '" + colormap.string() + "' " +
                                std::to_string(levels) + " 11 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return std::nullopt;
    }
    char answer[64] = {};
    const bool read = std::fgets(answer, sizeof answer, pipe) != nullptr;
    pclose(pipe);
    char* end = nullptr;
    const double seconds = read ? std::strtod(answer, &end) : 0;
    return read && end != answer && seconds > 0 ? std::optional<double>(seconds) : std::nullopt;
}

// A modder's picture made into a texture: a 1024x1024 PNG read from disk, its mip-maps made
// and every level mapped to the palette (or rounded to 16 bits), the MAT laid out in memory.
// The 8-bit one stands beside a plain Pillow script doing the same to the same palette.
void AddTextureMakingRows(const Inputs& inputs) {
    constexpr int kLevels = 4;
    const std::filesystem::path picture = inputs.folder / "stone1024.png";
    const std::filesystem::path colormap = inputs.folder / "dflt.cmp";
    const std::string cmp = MakeColormap(SamplePalette(0));
    if (WriteFileWhole(picture, PictureFile(StonePicture(1024, 1024), PictureFileKind::Png),
                       Durability::Unsynced) ||
        WriteFileWhole(colormap, cmp, Durability::Unsynced)) {
        return;
    }
    ColormapTable table;
    table.Load(0, cmp);
    const std::uint64_t pngBytes = std::filesystem::file_size(picture);
    const std::optional<double> pillow = PillowSeconds(picture, colormap, kLevels);
    std::string baseline;
    if (pillow) {
        baseline = AddTimedBaseline("baseline: Pillow, the same picture to the same palette",
                                    pngBytes, [seconds = *pillow](benchmark::State& state) {
                                        for (auto _ : state) {
                                            state.SetIterationTime(seconds);
                                        }
                                    });
    }
    for (const bool sixteenBit : {false, true}) {
        TextureOptions options;
        options.sixteenBit = sixteenBit;
        options.palette = table.Slot(0);
        options.mipMaps = kLevels;
        Row row{
            "texture made from a PNG picture",
            std::string("1024x1024 to ") + (sixteenBit ? "16-bit 5-6-5" : "8-bit") + ", 4 levels",
            pngBytes,
            sixteenBit ? std::string() : baseline,
            1.0,
            Target::AtMostMs(30)};
        if (!sixteenBit && pillow) {
            row.also = Target::AtLeastRatio(1.0);
        } else if (!sixteenBit) {
            row.size += " (no Pillow here to compare: python3-pil)";
        }
        AddRow(row, [picture, options](benchmark::State& state) {
            for (auto _ : state) {
                std::vector<Picture> cels;
                cels.push_back(ReadPictureFile(picture));
                const std::string mat = MakeMat(cels, options);
                benchmark::DoNotOptimize(mat.data());
            }
        })->UseRealTime();
    }
}

}  // namespace

void AddCoreBenchmarks(const Inputs& inputs) {
    AddTemplateRows(inputs);
    AddResourceRows(inputs);
    AddModelRows();
    AddCelRows();
    AddExportRows(inputs);
    AddTextureMakingRows(inputs);
}

}  // namespace skerry::bench
