// Writes the fuzz seeds into DIR/<target>/: small pieces of our sample data, and the hand-made
// bad fixtures ("bad_" and the case's name) that the tests also read. Run once and commit:
//   skerry-fuzz-seeds fuzz/seeds
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "resources/gob_container.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_models.hpp"
#include "sample/sample_pictures.hpp"
#include "sample/sample_templates.hpp"
#include "support/bad_inputs.hpp"

using namespace skerry;

namespace {

struct Seed {
    std::string target;
    std::string name;
    std::string bytes;
};

std::string Colormap(int variant) {
    return MakeColormap(SamplePalette(variant)).substr(0, 832);
}

// The sample res2.gob's small entries, with its colormap cut to the bytes that are read.
std::string SmallSampleContainer() {
    std::vector<ContainerEntry> entries;
    for (ContainerEntry& entry : SampleJkEntries()) {
        if (entry.bytes.size() <= 300) {
            entries.push_back(std::move(entry));
        }
    }
    entries.resize(std::min<std::size_t>(entries.size(), 10));
    entries.push_back({"mat\\sparks.mat", MakeTextureMat(8, 8, GradientPixels(8, 8))});
    entries.push_back({"misc\\cmp\\dflt.cmp", Colormap(0)});
    return MakeContainer(entries);
}

// A texture of the sample res2.gob, by its entry name.
std::string SampleTexture(const std::string& name) {
    for (ContainerEntry& entry : SampleJkEntries()) {
        if (entry.name == name) {
            return std::move(entry.bytes);
        }
    }
    return {};
}

std::vector<Seed> SampleSeeds() {
    std::vector<Seed> seeds = {
        {"container", "sample_res2.gob", SmallSampleContainer()},
        {"container", "sample_jkmsnd.goo", SampleSoundContainer()},
        {"unpack", "sample_res2.gob", SmallSampleContainer()},
        {"texture", "sample_sparks.mat", MakeTextureMat(8, 8, GradientPixels(8, 8))},
        {"texture", "sample_stripe.mat", MakeTextureMat(30, 20, StripePixels(30, 20))},
        {"texture", "sample_cels.mat", MakeTextureMat(16, 16, BrickPixels(16, 16), 3)},
        {"texture", "sample_red.mat", MakeSolidMat(28)},
        {"texture", "sample_sky16.mat", SampleTexture("mat\\05sky16.mat")},
        {"texture", "sample_glass15.mat", SampleTexture("mat\\06glass15.mat")},
        {"texture", "sample_switch.mat", SampleTexture("mat\\07switch.mat")},
        {"colormap", "sample_dflt.cmp", Colormap(0)},
        {"colormap", "sample_narsh.cmp", Colormap(1)},
        {"colormap", "sample_night.cmp", Colormap(2)},
        {"template", "sample_master.tpl", SampleTemplateFile(true)},
        {"template", "sample_mots.tpl", SampleTemplateFile(false)},
        {"template", "sample_level.jkl",
         "Section: TEMPLATES\r\n\r\nWorld templates 30\r\n" + SampleTemplateFile(true) + "end\r\n"},
        {"vector", "sample_vector", "v(0.0/0.0/0.0)"},
        {"vector", "sample_frame", "f(0.0/0.0/0.0:0.0/0.0/0.0)"},
        {"vector", "sample_typed_vector", "v(1.5/-2/3e4)"},
        {"vector", "sample_typed_frame", "f(0.1/0.2/0.3:90/180/-45)"},
        {"model", "sample_spheres.3do", MakeModel3do(SphereModel(48, 3), "spheres")},
    };
    const std::pair<const char*, PictureFileKind> kinds[] = {
        {"png", PictureFileKind::Png},
        {"bmp", PictureFileKind::Bmp},
        {"tga", PictureFileKind::Tga},
        {"rle.tga", PictureFileKind::TgaRunLength},
        {"jpg", PictureFileKind::Jpeg}};
    for (const auto& [extension, kind] : kinds) {
        seeds.push_back({"picture", std::string("sample_stone.") + extension,
                         PictureFile(StonePicture(16, 16, true), kind)});
        seeds.push_back({"picture", std::string("sample_wide_stone.") + extension,
                         PictureFile(StonePicture(24, 10), kind)});
    }
    for (ContainerEntry& model : SampleJkModels()) {
        seeds.push_back({"model", "sample_" + std::string(FileNamePart(model.name)), model.bytes});
    }
    return seeds;
}

std::vector<Seed> BadSeeds() {
    std::vector<Seed> seeds;
    auto add = [&seeds](const char* target, const std::string& name, const std::string& bytes) {
        if (bytes.size() <= testing::kLargestSeed) {
            seeds.push_back({target, "bad_" + name, bytes});
        }
    };
    for (const auto& bad : testing::BadContainers()) {
        add("container", bad.name, bad.bytes);
        add("unpack", bad.name, bad.bytes);
    }
    for (const auto& bad : testing::BadTextures()) {
        add("texture", bad.name, bad.bytes);
    }
    for (const auto& bad : testing::BadColormaps()) {
        add("colormap", bad.name, bad.bytes);
    }
    for (const auto& bad : testing::BadTemplateFiles()) {
        add("template", bad.name, bad.bytes);
    }
    for (const auto& bad : testing::BadPictures()) {
        add("picture", bad.name, bad.bytes);
    }
    for (const auto& bad : testing::BadModels()) {
        add("model", bad.name, bad.bytes);
    }
    const std::pair<const char*, const char*> vectors[] = {
        {"mode_only", "v"},
        {"open_only", "f("},
        {"close_only", "v)"},
        {"two_components", "v(1/2)"},
        {"frame_of_three", "f(1/2/3)"},
        {"no_parentheses", "v1/2/3"},
        {"only_separators", "f((//::))"},
        {"vector_read_as_frame", "f(a/b/c)"},
        {"frame_read_as_vector", "v(a/b/c:d/e/f)"},
        {"empty_components", "f(//:/)"},
    };
    for (const auto& [name, text] : vectors) {
        add("vector", name, text);
    }
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::vector<Seed> seeds = SampleSeeds();
    for (Seed& seed : BadSeeds()) {
        seeds.push_back(std::move(seed));
    }
    for (const Seed& seed : seeds) {
        std::filesystem::create_directories(dir / seed.target);
        if (const auto failure = WriteFileWhole(dir / seed.target / seed.name, seed.bytes)) {
            std::fprintf(stderr, "%s\n", failure->c_str());
            return 1;
        }
    }
    std::printf("Wrote %zu seeds into %s\n", seeds.size(), dir.c_str());
    return 0;
}
