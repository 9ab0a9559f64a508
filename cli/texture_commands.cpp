#include "texture_commands.hpp"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "resources/gob_container.hpp"
#include "resources/texture_writer.hpp"
#include "tpl_commands.hpp"

namespace skerry::cli {

namespace {

struct MakeArgs {
    std::vector<std::string> pictures;
    std::string output, colormap;
    std::vector<int> colours;
    std::optional<std::int32_t> mipMaps;  // unset: as many as the sides allow, up to 4
    bool sixteenBit = false, transparent = false, dither = false, fit = false;
};

// A refusal: its message on stderr, nothing written.
class Refused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::string ColormapBytes(const std::string& colormap) {
    if (FileExists(PathFromUtf8(colormap))) {
        const FileBytes file = ReadFileBytes(PathFromUtf8(colormap));
        if (!file.bytes) {
            throw Refused(file.error);
        }
        return *file.bytes;
    }
    // CONTAINER:ENTRY, the container being the longest part before a colon that names a file
    // (so that a Windows drive's colon stays in the path).
    for (std::size_t colon = colormap.rfind(':'); colon != std::string::npos && colon > 0;
         colon = colormap.rfind(':', colon - 1)) {
        const std::string container = colormap.substr(0, colon);
        const std::string entry = colormap.substr(colon + 1);
        if (!FileExists(PathFromUtf8(container))) {
            continue;
        }
        const LoadedContainer loaded = LoadContainer(PathFromUtf8(container));
        if (loaded.status != ContainerStatus::Ok) {
            throw Refused(loaded.error);
        }
        const std::optional<std::size_t> index = FindColormapEntry(loaded.directory, entry);
        if (!index) {
            throw Refused("No colormap " + entry + " in " + container);
        }
        std::optional<std::string> bytes =
            ReadEntryFromFile(PathFromUtf8(container), loaded.directory.entries[*index]);
        if (!bytes) {
            throw Refused(CannotOpenMessage(PathFromUtf8(container)));
        }
        return std::move(*bytes);
    }
    throw Refused("Cannot open file " + colormap);
}

ColormapSlot LoadColormap(const std::string& colormap) {
    const std::string bytes = ColormapBytes(colormap);
    // A palette of zeros would make a black texture without a word.
    if (bytes.size() < kColormapBytes || bytes.compare(0, 4, "CMP ") != 0) {
        throw Refused(colormap + " is not a colormap (a colormap starts with CMP and holds " +
                      std::to_string(kColormapBytes) + " bytes at least)");
    }
    ColormapTable table;
    table.Load(0, bytes);
    return table.Slot(0);
}

std::string MakeColourMat(const MakeArgs& a) {
    if (!a.pictures.empty() || !a.colormap.empty() || a.sixteenBit || a.transparent || a.dither ||
        a.fit || a.mipMaps) {
        throw Refused(
            "--colour makes a single-colour MAT: it takes no pictures and no options "
            "but -o");
    }
    std::vector<std::uint8_t> indexes;
    for (const int colour : a.colours) {
        if (colour < 0 || colour > 255) {
            throw Refused("Colour index " + std::to_string(colour) + " is not 0 to 255");
        }
        indexes.push_back(static_cast<std::uint8_t>(colour));
    }
    return WriteColourMat(indexes);
}

std::string MakeTextureMat(const MakeArgs& a, std::string& summary) {
    if (a.pictures.empty()) {
        throw Refused("mat make needs PICTURE... (or --colour INDEX...)");
    }
    if (a.colormap.empty() == !a.sixteenBit) {
        throw Refused("mat make needs one of --cmp COLORMAP (8-bit) and --16bit");
    }
    if (a.dither && a.sixteenBit) {
        throw Refused("--dither is for 8-bit textures, made with --cmp");
    }
    TextureOptions options;
    options.sixteenBit = a.sixteenBit;
    options.transparent = a.transparent;
    options.dither = a.dither;
    if (!a.sixteenBit) {
        options.palette = LoadColormap(a.colormap);
    }
    std::vector<Picture> cels;
    for (const std::string& path : a.pictures) {
        Picture picture;
        try {
            picture = ReadPictureFile(PathFromUtf8(path));
        } catch (const PictureError& error) {
            throw Refused(error.what());
        }
        if (a.fit) {
            picture = FitToTextureSides(picture);
        } else if (const std::string problem = TextureSideProblem(picture.width, picture.height);
                   !problem.empty()) {
            throw Refused(path + ": " + problem + " (--fit scales it to " +
                          std::to_string(NearestTextureSide(picture.width)) + "x" +
                          std::to_string(NearestTextureSide(picture.height)) + ")");
        }
        cels.push_back(std::move(picture));
    }
    const Picture& first = cels.front();
    options.mipMaps = a.mipMaps ? *a.mipMaps : std::min(4, MostMipMaps(first.width, first.height));
    std::string mat;
    try {
        mat = MakeMat(cels, options);
    } catch (const TextureError& error) {
        throw Refused(error.what());
    }
    char error[32];
    std::snprintf(error, sizeof error, "%.2f", MeanColourError(cels, mat, options.palette));
    summary =
        std::string(a.sixteenBit ? a.transparent ? "16-bit 1-5-5-5" : "16-bit 5-6-5" : "8-bit") +
        (a.transparent ? ", transparent" : "") + ", " + std::to_string(first.width) + "x" +
        std::to_string(first.height) + ", " + std::to_string(cels.size()) +
        (cels.size() == 1 ? " cel, " : " cels, ") + std::to_string(options.mipMaps) +
        (options.mipMaps == 1 ? " mip-map level" : " mip-map levels") + "; mean colour error " +
        error;
    return mat;
}

int Make(const MakeArgs& a) {
    try {
        std::string summary;
        const std::string mat = a.colours.empty() ? MakeTextureMat(a, summary) : MakeColourMat(a);
        if (const std::optional<std::string> failure =
                WriteFileWhole(PathFromUtf8(a.output), mat)) {
            throw Refused(*failure);
        }
        if (summary.empty()) {
            summary =
                std::to_string(a.colours.size()) + (a.colours.size() == 1 ? " colour" : " colours");
        }
        std::cout << a.output << ": " << summary << '\n';
        return kDone;
    } catch (const Refused& refused) {
        std::cerr << refused.what() << '\n';
        return kBadInput;
    }
}

}  // namespace

CLI::App* AddMatMakeCommand(CLI::App& mat, int& exitCode) {
    auto args = std::make_shared<MakeArgs>();
    CLI::App* make = mat.add_subcommand(
        "make", "Make a MAT texture from PNG, BMP, TGA or JPEG pictures, one cel each");
    make->add_option("PICTURE", args->pictures, "The pictures, one a cel, all of one size");
    make->add_option("-o", args->output, "The MAT file to write")->required();
    make->add_option("--cmp", args->colormap,
                     "8-bit: the colormap, a .cmp file or CONTAINER:ENTRY (the entry by file "
                     "name or whole name in any letter case)");
    make->add_flag("--16bit", args->sixteenBit,
                   "16-bit colours: 5-6-5, or 1-5-5-5 with --transparent");
    make->add_flag("--transparent", args->transparent,
                   "Pixels of alpha below 128 are see-through (8-bit: index 0)");
    make->add_flag("--dither", args->dither, "8-bit: Floyd-Steinberg dithering");
    make->add_option("--mips", args->mipMaps,
                     "Mip-map levels, from 1 (default: 4, or what the sides allow)");
    make->add_flag("--fit", args->fit, "Scale each picture to the nearest power-of-two sides");
    make->add_option("--colour", args->colours,
                     "A single-colour MAT of these colour indexes instead");
    make->callback([&exitCode, args] { exitCode = Make(*args); });
    return make;
}

}  // namespace skerry::cli
