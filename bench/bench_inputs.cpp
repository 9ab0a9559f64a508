#include "bench_inputs.hpp"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "common/file_io.hpp"
#include "resources/picker_listing.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_models.hpp"

namespace skerry::bench {

namespace {

// Parameters as the level editor writes them, six decimals and all, so that a line of about
// 45 of them comes to about 1 KB.
constexpr const char* kParams[] = {
    "thingflags=0x20000400",
    "collide=1",
    "move=physics",
    "mass=5.000000",
    "physflags=0x200",
    "maxrotvel=90.000000",
    "damageclass=0x2",
    "typeflags=0x1",
    "model3d=bryarbolt.3do",
    "soundclass=bryarbolt.snd",
    "creatething=+bryarflash",
    "fleshhit=+bryarhit",
    "explode=+bryarexp",
    "damage=30.000000",
    "mindamage=10.000000",
    "range=8.000000",
    "force=10.000000",
    "size=0.010000",
    "movesize=0.010000",
    "orient=(0.000000/90.000000/0.000000)",
    "vel=(0.000000/4.000000/0.000000)",
    "angvel=(0.000000/0.000000/90.000000)",
    "timer=10.000000",
    "light=0.400000",
    "puppet=kyle.pup",
    "cog=actor_ew.cog",
};

struct OtherBase {
    const char* name;
    const char* type;
};
constexpr OtherBase kOtherBases[] = {
    {"_actor", "actor"},  {"_explosion", "explosion"}, {"_debris", "debris"},
    {"_powerup", "item"}, {"_decor", "cog"},           {"_particle", "particle"},
};

std::string WeaponName(std::size_t k) {
    char name[32];
    std::snprintf(name, sizeof name, "+weapon_%03zu", k);
    return name;
}

// Weapon k (from 1) of the tree four wide under "_weapon": its parent is (k - 1) / 4.
std::string WeaponParent(std::size_t k) {
    const std::size_t parent = (k - 1) / 4;
    return parent == 0 ? std::string("_weapon") : WeaponName(parent);
}

void AppendTemplate(std::string& out, const std::string& name, const std::string& parent,
                    const char* type, std::size_t seed) {
    std::string line = name + "\t" + parent;
    std::size_t fields = 2;
    if (type != nullptr) {
        line += std::string(" type=") + type;
        ++fields;
    }
    for (std::size_t p = seed; line.size() < 1000 && fields < 48; ++p, ++fields) {
        line += ' ';
        line += kParams[p % std::size(kParams)];
    }
    out += line;
    out += "\r\n";
}

struct Kind {
    const char* folder;
    const char* extension;
};

// The mix of one block of 64 entries: 20 textures, 14 models, 10 sounds, 6 scripts...
Kind KindOf(std::size_t slot) {
    if (slot < 20)
        return {"mat\\", ".mat"};
    if (slot < 34)
        return {"3do\\", ".3do"};
    if (slot < 44)
        return {"sound\\", ".wav"};
    if (slot < 50)
        return {"cog\\", ".cog"};
    if (slot < 54)
        return {"3do\\key\\", ".key"};
    if (slot < 56)
        return {"misc\\snd\\", ".snd"};
    if (slot < 58)
        return {"misc\\pup\\", ".pup"};
    if (slot == 58)
        return {"misc\\par\\", ".par"};
    if (slot == 59)
        return {"misc\\spr\\", ".spr"};
    if (slot == 60)
        return {"misc\\ai\\", ".ai"};
    if (slot == 61)
        return {"misc\\ai\\", ".ai0"};
    if (slot == 62)
        return {"misc\\ai\\", ".ai2"};
    return {"jkl\\", ".jkl"};
}

constexpr std::size_t kColormapEvery = 200;

bool IsColormap(std::size_t i) {
    return i % kColormapEvery == kColormapEvery - 1;
}

bool IsBigTexture(std::size_t i, std::size_t count) {
    return count >= 64 && (i == count - 3 || i == count - 2);
}

std::string ContainerName(std::size_t i, std::size_t count) {
    if (IsColormap(i)) {
        const std::size_t k = i / kColormapEvery;
        char name[40];
        std::snprintf(name, sizeof name, "misc\\cmp\\%02zulevel.cmp", k);
        return k == 0 ? std::string("misc\\cmp\\dflt.cmp") : std::string(name);
    }
    if (IsBigTexture(i, count)) {
        return i == count - 3 ? "mat\\big0.mat" : "mat\\big1.mat";
    }
    static constexpr std::array<const char*, 12> kSyllables = {
        "ka", "ro", "tel", "vin", "dos", "mar", "qua", "zel", "bri", "sto", "ne", "ux"};
    // A multiplicative hash spreads the syllables, so directory order is not name order.
    const std::size_t h = (i * 2654435761u) >> 7;
    const Kind kind = KindOf(i % 64);
    return std::string(kind.folder) + kSyllables[h % 12] + kSyllables[(h / 12) % 12] +
           kSyllables[(h / 144) % 12] + std::to_string(i) + kind.extension;
}

std::string SmallTexturePixels(std::size_t i) {
    std::string pixels(16 * 16, '\0');
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        pixels[p] = static_cast<char>((p + i) & 0xff);
    }
    return pixels;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    if (const std::optional<std::string> failure = WriteFileWhole(path, bytes)) {
        throw std::runtime_error(*failure);
    }
}

}  // namespace

std::size_t WeaponDescendants(std::size_t count) {
    return count * 2 / 5 - 1;
}

std::string DeepestWeapon(std::size_t count) {
    return WeaponName(WeaponDescendants(count));
}

std::string TemplateFile(std::size_t count) {
    const std::size_t weapons = WeaponDescendants(count);
    std::string out = "# Object templates made for Skerry's benchmarks\r\n";
    AppendTemplate(out, "_weapon", "none", "weapon", 0);
    for (const OtherBase& base : kOtherBases) {
        AppendTemplate(out, base.name, "none", base.type, 3);
    }
    std::size_t placedWeapons = 0;
    std::size_t placedOthers = std::size(kOtherBases);
    const std::size_t firstSlot = 1 + std::size(kOtherBases);
    const std::size_t slots = count - firstSlot - 1;
    for (std::size_t i = firstSlot; i < count; ++i) {
        if (i % 10 == 0) {
            out += "# DESC: group " + std::to_string(i / 10) + "\r\n";
            out += "# BBOX: -0.010000 -0.010000 -0.010000 0.010000 0.010000 0.010000\r\n";
        }
        // Weapons are spread evenly over every slot but the last, so the file ends on
        // another type and the deepest weapon is among the names the picker offers.
        const std::size_t slot = i - firstSlot;
        const bool weapon = i + 1 < count && (slot + 1) * weapons / slots > slot * weapons / slots;
        if (weapon) {
            ++placedWeapons;
            AppendTemplate(out, WeaponName(placedWeapons), WeaponParent(placedWeapons), nullptr, i);
        } else {
            const OtherBase& base = kOtherBases[placedOthers % std::size(kOtherBases)];
            ++placedOthers;
            AppendTemplate(out, std::string(base.type) + "_" + std::to_string(placedOthers),
                           base.name, nullptr, i);
        }
    }
    return out;
}

std::string Level(std::size_t bytes) {
    constexpr std::size_t kLevelTemplates = 200;
    std::string out =
        "# made for Skerry's benchmarks\r\nSECTION: JK\r\nVersion 1\r\nend\r\n"
        "Section: GEORESOURCE\r\n";
    std::string templates = "Section: TEMPLATES\r\n\r\nWorld templates " +
                            std::to_string(kLevelTemplates) +
                            "\r\n#Name:           Based On:        Params:\r\n";
    for (const char* reference : {"+bryarflash", "+bryarhit", "+bryarexp"}) {
        AppendTemplate(templates, reference, "none", "explosion", 20);
    }
    for (std::size_t k = 3; k < kLevelTemplates; ++k) {
        AppendTemplate(templates, "thing_" + std::to_string(k), "none", "cog", k);
    }
    templates += "end\r\nSection: THINGS\r\nWorld things 0\r\nend\r\n";
    const std::size_t vertices =
        bytes > out.size() + templates.size() ? (bytes - out.size() - templates.size()) / 40 : 0;
    out += "World vertices " + std::to_string(vertices) + "\r\n";
    for (std::size_t v = 0; v < vertices; ++v) {
        char line[64];
        std::snprintf(line, sizeof line, "%8zu: %9.6f %9.6f %9.6f\r\n", v,
                      static_cast<double>(v % 97) * 0.125, static_cast<double>(v % 89) * -0.25,
                      static_cast<double>(v % 83) * 0.5);
        out += line;
    }
    out += "end\r\n";
    return out + templates;
}

std::vector<ContainerEntry> ContainerEntries(std::size_t count) {
    std::vector<ContainerEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        ContainerEntry entry{ContainerName(i, count), {}};
        if (IsColormap(i)) {
            entry.bytes = MakeColormap(SamplePalette(static_cast<int>(i / kColormapEvery % 3)));
        } else if (IsBigTexture(i, count)) {
            entry.bytes = MakeTextureMat(
                1024, 1024, i == count - 3 ? GradientPixels(1024, 1024) : BrickPixels(1024, 1024));
        } else if (FileExtension(entry.name) == ".mat") {
            entry.bytes = MakeTextureMat(16, 16, SmallTexturePixels(i));
        } else {
            entry.bytes = "# " + entry.name + "\r\n# made for Skerry's benchmarks\r\n";
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> EntryNames(const std::vector<ContainerEntry>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const ContainerEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

BenchModel LargestModel() {
    BenchModel largest;
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::path(SKERRY_REALDATA_DIR) / "3do";
    for (const auto& entry : std::filesystem::directory_iterator(real, ec)) {
        const FileBytes file = ReadFileBytes(entry.path());
        if (file.bytes && file.bytes->size() > largest.bytes.size()) {
            largest = {entry.path().filename().string(), *file.bytes};
        }
    }
    if (largest.bytes.empty()) {
        for (std::size_t faces = 300; largest.bytes.size() < 100000; faces += 30) {
            largest = {"generated",
                       MakeModel3do(SphereModel(faces, 3), "made for Skerry's benchmarks")};
        }
    }
    return largest;
}

Inputs::Inputs(const std::filesystem::path& root)
    : folder(root),
      jedFolder(root / "game" / "jed"),
      jkFolder(root / "game" / "jk"),
      motsFolder(root / "game" / "mots"),
      programFolder(root / "program") {
    // The sample data gives the Mots side and the other containers; the two files every
    // figure depends on are then replaced by full-size ones.
    if (const std::optional<std::string> failure = WriteSampleData(root / "game")) {
        throw std::runtime_error(*failure);
    }
    std::filesystem::create_directories(programFolder);
    templateFile = TemplateFile(kFullTemplates);
    Write(jedFolder / "master.tpl", templateFile);
    const std::vector<ContainerEntry> entries = ContainerEntries(kFullEntries);
    entryNames = EntryNames(entries);
    Write(jkFolder / "res2.gob", MakeContainer(entries));
}

}  // namespace skerry::bench
