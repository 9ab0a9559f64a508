#include "sample/sample_data.hpp"

#include <algorithm>
#include <cstdint>
#include <system_error>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "sample/sample_models.hpp"
#include "sample/sample_templates.hpp"

namespace skerry {

namespace {

// The sixteen ramps of the sample palettes: index 16*r + s is ramp r at shade s.
constexpr std::uint8_t kRampColours[16][3] = {
    {255, 255, 255}, {220, 60, 40},   {240, 140, 40}, {250, 220, 60},
    {80, 200, 70},   {40, 170, 160},  {60, 110, 230}, {150, 80, 200},
    {150, 100, 60},  {230, 180, 150}, {40, 100, 40},  {120, 140, 170},
    {240, 120, 170}, {210, 170, 60},  {60, 230, 240}, {190, 190, 170},
};
constexpr int kGrey = 0, kRed = 1, kBlue = 6, kBrown = 8, kSkin = 9, kSteel = 11, kGold = 13;

char Shade(int ramp, int shade) {
    return static_cast<char>(ramp * 16 + (shade & 15));
}

void Append(std::vector<ContainerEntry>& to, std::vector<ContainerEntry> more) {
    for (ContainerEntry& entry : more)
        to.push_back(std::move(entry));
}

std::string Text(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// A short silent RIFF/WAVE sound, 8-bit mono.
std::string SilentWave() {
    std::string data(800, static_cast<char>(0x80));
    auto u32 = [](std::uint32_t v) {
        std::string s;
        AppendLe32(s, v);
        return s;
    };
    std::string fmt = u32(16) + std::string("\x01\x00\x01\x00", 4) + u32(11025) + u32(11025) +
                      std::string("\x01\x00\x08\x00", 4);
    return "RIFF" + u32(static_cast<std::uint32_t>(36 + data.size())) + "WAVEfmt " + fmt + "data" +
           u32(static_cast<std::uint32_t>(data.size())) + data;
}

// The models first, then the other text files.
std::vector<ContainerEntry> TextEntries() {
    std::vector<ContainerEntry> entries = SampleJkModels();
    Append(
        entries,
        {
            {"3do\\key\\kyrun.key", Text({"# KEYFRAME kyrun", "SECTION: HEADER", "FLAGS 0x0000",
                                          "TYPE 0x0FFF", "FRAMES 16", "FPS 15.000"})},
            {"3do\\key\\stwalk.key",
             Text({"# KEYFRAME stwalk", "SECTION: HEADER", "FRAMES 24", "FPS 12.000"})},
            {"cog\\door.cog",
             Text({"# door.cog", "# Opens when touched, closes after a wait.", "symbols",
                   "thing door linkid=1", "flex wait=3.0 local", "end", "code",
                   "touched:", "    MoveToFrame(door, 1, 4.0);", "    Sleep(wait);",
                   "    MoveToFrame(door, 0, 4.0);", "    Return;", "end"})},
            {"cog\\kyle.cog", Text({"# kyle.cog", "symbols", "message startup", "end", "code",
                                    "startup:", "    Return;", "end"})},
            {"cog\\pow_health.cog",
             Text({"# pow_health.cog", "# Gives 25 health when taken.", "symbols", "message taken",
                   "end", "code", "taken:", "    HealThing(GetSourceRef(), 25.0);", "    Return;",
                   "end"})},
            {"jkl\\01sample.jkl", Text({"# Sample level", "SECTION: JK", "", "SECTION: HEADER",
                                        "Version 1", "World Gravity 4.00"})},
            {"misc\\ai\\stormtroop.ai",
             Text({"# stormtroop.ai", "alignment -1.0", "rank 2", "fov 90", "maxstep 0.2",
                   "instincts 3", "LookForTarget 500", "PrimaryFire 1.0 0.5 0.3 0.6",
                   "Dodge 0.4"})},
            {"misc\\ai\\reeyees.ai0", Text({"# reeyees.ai0", "alignment -1.0", "rank 3",
                                            "instincts 2", "LookForTarget 400", "Jump 0.2"})},
            {"misc\\ai\\gorc.ai2",
             Text({"# gorc.ai2", "alignment -1.0", "rank 5", "instincts 1", "CircleStrafe 0.5"})},
            {"misc\\par\\sparks.par",
             Text({"# sparks.par", "TYPE 0x3F", "MATERIAL sparks.mat", "RANGE 0.1", "COUNT 24"})},
            {"misc\\par\\smoke.par",
             Text({"# smoke.par", "TYPE 0x13", "MATERIAL smoke.mat", "RANGE 0.3", "COUNT 8"})},
            {"misc\\per\\kyle.per", Text({"# kyle.per", "eyes 0.037"})},
            {"misc\\pup\\kyle.pup", Text({"# kyle.pup", "mode=0", "stand  kystand.key  0 0",
                                          "walk   kywalk.key   0 0", "run    kyrun.key    0 0"})},
            {"misc\\pup\\trooper.pup", Text({"# trooper.pup", "mode=0", "stand  ststand.key  0 0",
                                             "walk   stwalk.key   0 0"})},
            {"misc\\snd\\kyle.snd",
             Text({"# kyle.snd", "hurtsharp   kylehurt1.wav", "death       kyledie.wav"})},
            {"misc\\snd\\trooper.snd",
             Text({"# trooper.snd", "hurtsharp   sthurt.wav", "death       stdie.wav"})},
            {"misc\\snd\\exp_small.snd", Text({"# exp_small.snd", "create   expsmall.wav"})},
            {"misc\\spr\\bryx.spr", Text({"# bryx.spr", "bryx.mat 0 0.05 0.05"})},
            {"misc\\spr\\dust.spr", Text({"# dust.spr", "dust.mat 0 0.1 0.1"})},
            {"sound\\kylehurt1.wav", SilentWave()},
            {"sound\\sthurt.wav", SilentWave()},
        });
    return entries;
}

std::vector<ContainerEntry> HiEntries() {
    std::vector<ContainerEntry> entries = SampleHiModels();
    entries.push_back({"mat\\hibrick.mat", MakeTextureMat(128, 128, BrickPixels(128, 128))});
    return entries;
}

std::vector<ContainerEntry> MotsEntries() {
    std::vector<ContainerEntry> entries = SampleMotsModels();
    Append(entries, {{"cog\\pow_ysal.cog", Text({"# pow_ysal.cog", "symbols", "end"})},
                     {"misc\\pup\\mara.pup", Text({"# mara.pup", "mode=0"})},
                     {"misc\\snd\\mara.snd", Text({"# mara.snd", "death  maradie.wav"})},
                     {"mat\\m_tile.mat", MakeTextureMat(64, 64, StripePixels(64, 64))},
                     {"mat\\m_glow.mat", MakeTextureMat(64, 32, GradientPixels(64, 32))},
                     {"misc\\cmp\\dflt.cmp", MakeColormap(SamplePalette(0))},
                     {"misc\\cmp\\m_dusk.cmp", MakeColormap(SamplePalette(1))},
                     {"misc\\cmp\\m_night.cmp", MakeColormap(SamplePalette(2))}});
    return entries;
}

std::optional<std::string> Write(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        return "Cannot create folder " + Utf8Of(path.parent_path());
    }
    // Sample data is made again on every run; it need not wait for the disk.
    return WriteFileWhole(path, bytes, Durability::Unsynced);
}

}  // namespace

Palette SamplePalette(int variant) {
    Palette palette{};
    for (int ramp = 0; ramp < 16; ++ramp) {
        for (int shade = 0; shade < 16; ++shade) {
            for (int c = 0; c < 3; ++c) {
                int value = kRampColours[ramp][c] * (shade + 1) / 16;
                if (variant == 1)
                    value = c == 0 ? std::min(255, value + 40) : value * 3 / 4;
                if (variant == 2)
                    value = c == 2 ? std::min(255, value + 50) : value / 2;
                palette[static_cast<std::size_t>((ramp * 16 + shade) * 3 + c)] =
                    static_cast<std::uint8_t>(value);
            }
        }
    }
    return palette;
}

std::string BrickPixels(int width, int height) {
    std::string pixels(static_cast<std::size_t>(width * height), '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int course = y / 8;
            const int bx = (x + (course % 2) * 8) % 16;
            const bool mortar = y % 8 == 7 || bx == 15;
            const int grain = ((x * 7 + y * 13 + course * 5) % 5);
            pixels[static_cast<std::size_t>(y * width + x)] =
                mortar ? Shade(kGrey, 7) : Shade(kRed, 9 + grain);
        }
    }
    return pixels;
}

std::string GradientPixels(int width, int height) {
    std::string pixels(static_cast<std::size_t>(width * height), '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int t = (x + y) * 31 / (width + height - 1);
            pixels[static_cast<std::size_t>(y * width + x)] =
                t < 16 ? Shade(kBlue, t) : Shade(kGold, t - 16);
        }
    }
    return pixels;
}

std::string StripePixels(int width, int height) {
    std::string pixels(static_cast<std::size_t>(width * height), '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<std::size_t>(y * width + x)] =
                ((x + y) / 4) % 2 == 0 ? Shade(kSteel, 12) : Shade(kBrown, 6);
        }
    }
    return pixels;
}

namespace {

// A dusk sky in true colour, deep blue above to orange at the horizon, with a sun: the smooth
// ramps 16-bit textures are made for.
std::string SkyPixels(const MatPixelFormat& format, int width, int height) {
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int t = y * 255 / (height - 1);
            const int dx = x - width * 2 / 3, dy = y - height * 3 / 4;
            const int glow = std::max(0, 255 - (dx * dx + dy * dy) * 255 / (width * width / 16));
            pixels +=
                PackPixel(format, static_cast<std::uint8_t>(std::min(255, 20 + t * 9 / 10 + glow)),
                          static_cast<std::uint8_t>(std::min(255, 30 + t / 2 + glow * 3 / 4)),
                          static_cast<std::uint8_t>(std::max(40, 140 - t / 2)));
        }
    }
    return pixels;
}

// Stained glass: diamonds of four colours in dark lead, every pixel opaque.
std::string GlassPixels(const MatPixelFormat& format, int width, int height) {
    constexpr std::uint8_t kPanes[4][3] = {
        {200, 40, 40}, {40, 90, 210}, {230, 190, 40}, {50, 170, 80}};
    std::string pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int u = (x + y) / 8, v = (x - y + height) / 8;
            const bool lead = (x + y) % 8 == 0 || (x - y + height) % 8 == 0;
            const std::uint8_t* pane = kPanes[(u + 2 * v) % 4];
            const int light = 150 + 105 * (x + y) / (width + height);
            auto lit = [&](std::uint8_t c) {
                return static_cast<std::uint8_t>(lead ? 30 : c * light / 255);
            };
            pixels += PackPixel(format, lit(pane[0]), lit(pane[1]), lit(pane[2]), 0x8000);
        }
    }
    return pixels;
}

// A wall switch in three positions, one cel each: the lever turns from left to right and the
// lamp above it goes from red through gold to green.
std::vector<TextureCel> SwitchCels(int side) {
    const int lampRamps[3] = {kRed, kGold, 4};
    std::vector<TextureCel> cels;
    for (int position = 0; position < 3; ++position) {
        std::string pixels(static_cast<std::size_t>(side * side), Shade(kSteel, 6));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                char& pixel = pixels[static_cast<std::size_t>(y * side + x)];
                if (x < 2 || y < 2 || x >= side - 2 || y >= side - 2) {
                    pixel = Shade(kSteel, 2);  // the plate's rim
                }
                const int lx = x - side / 2, ly = y - side / 4;
                if (lx * lx + ly * ly < side * side / 64) {
                    pixel =
                        Shade(lampRamps[position], 14 - (lx * lx + ly * ly) * 64 / (side * side));
                }
                // The lever: from the plate's middle, leaning (position - 1) * 45 degrees.
                const int ry = y - side * 5 / 8;
                const int along = -ry, across = x - side / 2 - (position - 1) * along;
                if (along >= 0 && along < side / 4 && across >= -1 && across <= 1) {
                    pixel = Shade(kGrey, 12);
                }
            }
        }
        cels.push_back({side, side, std::move(pixels), 4});
    }
    return cels;
}

}  // namespace

std::vector<ContainerEntry> SampleJkEntries() {
    std::vector<ContainerEntry> entries = TextEntries();
    Append(entries,
           {
               {"mat\\00brick.mat", MakeTextureMat(64, 64, BrickPixels(64, 64))},
               {"mat\\01grad.mat", MakeTextureMat(128, 128, GradientPixels(128, 128))},
               {"mat\\02stripe.mat", MakeTextureMat(30, 20, StripePixels(30, 20))},
               {"mat\\03cels.mat", MakeTextureMat(32, 32, BrickPixels(32, 32), 3)},
               {"mat\\04wall.mat", MakeTextureMat(256, 128, BrickPixels(256, 128))},
               {"mat\\sparks.mat", MakeTextureMat(8, 8, GradientPixels(8, 8))},
               {"mat\\red.mat", MakeSolidMat(static_cast<std::uint8_t>(kRed * 16 + 12))},
               {"mat\\white.mat", MakeSolidMat(static_cast<std::uint8_t>(kGrey * 16 + 14))},
               {"mat\\black.mat", MakeSolidMat(static_cast<std::uint8_t>(kGrey * 16 + 2))},
               {"mat\\skin.mat", MakeSolidMat(static_cast<std::uint8_t>(kSkin * 16 + 13))},
               {"mat\\05sky16.mat",
                MakeMatOfPixels(kFormat565, {{64, 64, SkyPixels(kFormat565, 64, 64), 4}})},
               {"mat\\06glass15.mat",
                MakeMatOfPixels(kFormat1555, {{64, 32, GlassPixels(kFormat1555, 64, 32), 3}})},
               {"mat\\07switch.mat", MakeMatOfPixels({}, SwitchCels(32))},
               {"misc\\cmp\\dflt.cmp", MakeColormap(SamplePalette(0))},
               {"misc\\cmp\\01narsh.cmp", MakeColormap(SamplePalette(1))},
               {"misc\\cmp\\10night.cmp", MakeColormap(SamplePalette(2))},
           });
    return entries;
}

std::string SampleSoundContainer() {
    return MakeContainer({{"sound\\maradie.wav", SilentWave()},
                          {"misc\\snd\\ysal.snd", Text({"# ysal.snd", "create  ysal.wav"})}});
}

std::optional<std::string> WriteSampleData(const std::filesystem::path& dir) {
    const std::vector<std::pair<std::filesystem::path, std::string>> files = {
        {dir / "jk" / "res2.gob", MakeContainer(SampleJkEntries())},
        {dir / "jk" / "res1hi.gob", MakeContainer(HiEntries())},
        {dir / "mots" / "jkmres.goo", MakeContainer(MotsEntries())},
        {dir / "mots" / "jkmsnd.goo", SampleSoundContainer()},
        {dir / "jed" / "master.tpl", SampleTemplateFile(true)},
        {dir / "jed" / "mots.tpl", SampleTemplateFile(false)},
    };
    for (const auto& [path, bytes] : files) {
        if (std::optional<std::string> failure = Write(path, bytes)) {
            return failure;
        }
    }
    return std::nullopt;
}

}  // namespace skerry
