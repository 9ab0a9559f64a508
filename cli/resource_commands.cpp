#include "resource_commands.hpp"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/picker_listing.hpp"
#include "resources/texture_png.hpp"
#include "sample/sample_data.hpp"
#include "texture_commands.hpp"
#include "tpl_commands.hpp"

#ifdef _WIN32
#include <io.h>
#define SKERRY_ISATTY _isatty
#else
#include <unistd.h>
#define SKERRY_ISATTY isatty
#endif

namespace skerry::cli {

namespace {

struct Args {
    std::string container, entry, output, colormap, dir;
    std::int32_t cel = 0;
    bool all = false, png = false;
};

// Opens a container for a command; false (with the message on stderr) when it is unusable.
bool Load(const std::string& path, LoadedContainer& loaded) {
    loaded = LoadContainer(PathFromUtf8(path));
    if (loaded.status != ContainerStatus::Ok) {
        std::cerr << loaded.error << '\n';
        return false;
    }
    if (const std::optional<std::string> shortfall = DirectoryShortfall(path, loaded.directory)) {
        std::cerr << *shortfall << '\n';
    }
    return true;
}

int List(const Args& a) {
    // The directory is walked a block at a time and printed a block at a time: the whole
    // table, or a stream insertion per field, would cost more than the program's start-up.
    OpenedContainer opened = OpenContainer(PathFromUtf8(a.container));
    if (opened.status != ContainerStatus::Ok) {
        std::cerr << opened.error << '\n';
        return kBadInput;
    }
    if (const std::optional<std::string> shortfall =
            DirectoryShortfall(a.container, opened.header.count, opened.entries)) {
        std::cerr << *shortfall << '\n';
    }
    WriteListing(*opened.source, opened.header.count, [](std::string_view text) {
        std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    });
    return opened.entries == 0 ? kNothingFound : kDone;
}

// On a terminal, the entry being worked on, on one line that is written over.
ProgressFn TerminalProgress() {
    if (SKERRY_ISATTY(2) == 0) {
        return {};
    }
    return [](const ContainerProgress& at) {
        std::cerr << "\r" << at.doneEntries << "/" << at.totalEntries << " " << at.current
                  << "\x1b[K" << std::flush;
        return true;
    };
}

// The job's notes and summary; its exit code.
int Report(const ContainerJob& job) {
    if (SKERRY_ISATTY(2) != 0) {
        std::cerr << "\r\x1b[K";
    }
    for (const std::string& note : job.notes) {
        std::cerr << note << '\n';
    }
    (job.status == JobStatus::Done || job.status == JobStatus::Partial ? std::cout : std::cerr)
        << job.summary << '\n';
    switch (job.status) {
        case JobStatus::Done:
            return kDone;
        case JobStatus::Partial:
            return kNothingFound;
        default:
            return kBadInput;
    }
}

int Pack(const Args& a) {
    return Report(WriteContainer(PathFromUtf8(a.dir), PathFromUtf8(a.output), TerminalProgress()));
}

// The entry's bytes, or nothing (with the reason on stderr and in exitCode).
std::optional<std::string> EntryBytes(const std::string& container, const GobDirectory& directory,
                                      const std::string& name, int& exitCode) {
    const std::optional<std::size_t> index = FindEntry(directory, name);
    if (!index) {
        std::cerr << "No entry " << name << " in " << container << '\n';
        exitCode = kNothingFound;
        return std::nullopt;
    }
    std::optional<std::string> bytes =
        ReadEntryFromFile(PathFromUtf8(container), directory.entries[*index]);
    if (!bytes) {
        std::cerr << CannotOpenMessage(PathFromUtf8(container)) << '\n';
        exitCode = kBadInput;
    }
    return bytes;
}

bool WriteOut(const std::string& path, std::string_view bytes) {
    if (std::optional<std::string> failure = WriteFileWhole(PathFromUtf8(path), bytes)) {
        std::cerr << *failure << '\n';
        return false;
    }
    return true;
}

int Extract(const Args& a) {
    if (a.all) {
        if (a.output.empty()) {
            std::cerr << "--all needs -o DIR\n";
            return kBadInput;
        }
        return Report(ExtractContainer(PathFromUtf8(a.container), PathFromUtf8(a.output),
                                       TerminalProgress()));
    }
    if (a.entry.empty()) {
        std::cerr << "extract needs ENTRY or --all\n";
        return kBadInput;
    }
    LoadedContainer loaded;
    if (!Load(a.container, loaded))
        return kBadInput;
    int exitCode = kDone;
    const std::optional<std::string> bytes =
        EntryBytes(a.container, loaded.directory, a.entry, exitCode);
    if (!bytes)
        return exitCode;
    if (a.output.empty()) {
        std::cout.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
        return kDone;
    }
    return WriteOut(a.output, *bytes) ? kDone : kBadInput;
}

// The colormap 8-bit textures are shown with: the named one, which must be there; unnamed,
// dflt.cmp, else the first in the container, else none (black).
std::optional<ColormapSlot> ChooseColormap(const std::string& container,
                                           const GobDirectory& directory, const std::string& name) {
    std::optional<std::size_t> chosen =
        FindColormapEntry(directory, name.empty() ? "dflt.cmp" : name);
    if (!chosen && !name.empty()) {
        std::cerr << "No colormap " << name << " in " << container << '\n';
        return std::nullopt;
    }
    if (!chosen) {
        const std::vector<std::size_t> all = ColormapEntries(directory);
        if (!all.empty())
            chosen = all.front();
    }
    ColormapTable table;
    if (chosen) {
        table.Load(
            0, ReadEntryFromFile(PathFromUtf8(container), directory.entries[*chosen]).value_or(""));
    }
    return table.Slot(0);
}

// Decodes one texture and writes its picture; nothing (with the reason on stderr) when the
// picture cannot be written. Throws MatError. A colormap asked for by name that makes no
// difference is worth a word.
std::optional<DecodedTexture> ExportTexture(const std::string& bytes, const ColormapSlot& colormap,
                                            std::int32_t cel, const std::string& path,
                                            PictureFormat format, bool colormapNamed) {
    DecodedTexture texture = DecodeMat(bytes, colormap, '.', cel);
    if (texture.sixteenBit && colormapNamed) {
        std::cerr << kOwnColoursNote << '\n';
    }
    if (std::optional<std::string> failure = SavePicture(PathFromUtf8(path), texture.bmp, format)) {
        std::cerr << *failure << '\n';
        return std::nullopt;
    }
    return texture;
}

int Mat(const Args& a) {
    LoadedContainer loaded;
    if (!Load(a.container, loaded))
        return kBadInput;
    const std::optional<ColormapSlot> colormap =
        ChooseColormap(a.container, loaded.directory, a.colormap);
    if (!colormap)
        return kBadInput;
    const PictureFormat format = a.png ? PictureFormat::Png : PictureFormat::Bmp;
    if (!a.all) {
        int exitCode = kDone;
        const std::optional<std::string> bytes =
            EntryBytes(a.container, loaded.directory, a.entry, exitCode);
        if (!bytes)
            return exitCode;
        const std::string out = a.output.empty() ? ExportFileName(a.entry, format) : a.output;
        try {
            const std::optional<DecodedTexture> texture = ExportTexture(
                *bytes, *colormap, a.cel, out, a.png ? format : PictureFormatOf(PathFromUtf8(out)),
                !a.colormap.empty());
            if (!texture)
                return kBadInput;
            std::cout << texture->gridSizeText << '\n' << texture->pixelSizeText << '\n';
            if (texture->celCount > 1) {
                std::cout << "Cel " << texture->cel << " of " << texture->celCount << " (0 to "
                          << texture->celCount - 1 << ")\n";
            }
            return kDone;
        } catch (const MatError& error) {
            std::cerr << error.what() << '\n';
            return kBadInput;
        }
    }
    if (a.output.empty()) {
        std::cerr << "--all needs -o DIR\n";
        return kBadInput;
    }
    std::error_code ec;
    std::filesystem::create_directories(PathFromUtf8(a.output), ec);
    const bool progress = SKERRY_ISATTY(2) != 0;
    int written = 0, failed = 0;
    const auto& entries = loaded.directory.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name = EntryName(entries[i]);
        if (!EqualsIgnoringCase(FileExtension(name), ".mat"))
            continue;
        if (progress) {
            std::cerr << "\r" << i + 1 << "/" << entries.size() << " " << name << "\x1b[K"
                      << std::flush;
        }
        try {
            const std::filesystem::path out =
                PathFromUtf8(a.output) / PathFromUtf8(ExportFileName(name, format));
            if (ExportTexture(ReadEntryFromFile(PathFromUtf8(a.container), entries[i]).value_or(""),
                              *colormap, 0, Utf8Of(out), format, false)) {
                ++written;
            } else {
                ++failed;
            }
        } catch (const MatError& error) {
            std::cerr << (progress ? "\n" : "") << name << ": " << error.what() << '\n';
            ++failed;
        }
    }
    if (progress)
        std::cerr << '\n';
    std::cerr << written << " written, " << failed << " failed\n";
    return failed > 0 ? kBadInput : (written == 0 ? kNothingFound : kDone);
}

int Sample(const Args& a) {
    if (std::optional<std::string> failure = WriteSampleData(PathFromUtf8(a.dir))) {
        std::cerr << *failure << '\n';
        return kBadInput;
    }
    return kDone;
}

}  // namespace

void AddResourceCommands(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<Args>();
    auto run = [&exitCode, args](int (*command)(const Args&)) {
        return [&exitCode, args, command] { exitCode = command(*args); };
    };

    CLI::App* gob = app.add_subcommand("gob", "GOB and GOO containers");
    gob->require_subcommand(1);
    CLI::App* list = gob->add_subcommand("list", "The container's directory");
    list->add_option("CONTAINER", args->container)->required();
    list->callback(run(List));
    CLI::App* extract = gob->add_subcommand("extract", "One entry's bytes, or every entry");
    extract->add_option("CONTAINER", args->container)->required();
    CLI::Option* extractEntry = extract->add_option("ENTRY", args->entry);
    extract->add_flag("--all", args->all, "Every entry, into the folder -o DIR names")
        ->excludes(extractEntry);
    extract->add_option("-o", args->output,
                        "Write to FILE instead of standard output (with --all: into DIR, "
                        "the names' folders below it)");
    extract->callback(run(Extract));
    CLI::App* pack = gob->add_subcommand(
        "pack", "Every file below DIR into a container, named as the game looks them up");
    pack->add_option("DIR", args->dir)->required();
    pack->add_option("-o", args->output, "The GOB or GOO container to write")->required();
    pack->callback(run(Pack));

    CLI::App* mat = app.add_subcommand(
        "mat", "Decode MAT textures to BMP or PNG files (mat make: make one from pictures)");
    // Not required: `mat make` takes no container.
    mat->add_option("CONTAINER", args->container);
    CLI::Option* entry = mat->add_option("ENTRY", args->entry);
    CLI::Option* all = mat->add_flag("--all", args->all, "Every .mat entry (needs -o DIR)");
    entry->excludes(all);
    mat->add_option("--cmp", args->colormap,
                    "Colormap entry, by file name or whole name in any letter case (8-bit "
                    "textures; default dflt.cmp or the first)");
    mat->add_option("--cel", args->cel, "The cel to decode, from 0")->excludes(all);
    mat->add_option("-o", args->output,
                    "Output file, PNG when it ends in .png (or folder with --all)");
    mat->add_flag("--png", args->png, "Write PNG pictures rather than BMP");
    CLI::App* make = AddMatMakeCommand(*mat, exitCode);
    mat->callback([&exitCode, args, make] {
        if (make->parsed()) {
            return;
        }
        if (args->container.empty()) {
            std::cerr << "mat needs CONTAINER\n";
            exitCode = kBadInput;
            return;
        }
        if (!args->all && args->entry.empty()) {
            std::cerr << "mat needs ENTRY or --all\n";
            exitCode = kBadInput;
            return;
        }
        exitCode = Mat(*args);
    });

    CLI::App* sample = app.add_subcommand("sample", "Write the sample game data into DIR");
    sample->add_option("DIR", args->dir)->required();
    sample->callback(run(Sample));
}

}  // namespace skerry::cli
