// Containers made and unpacked, and `skerry-cli gob list`: each against the plain reads and
// writes of the same bytes in the same run.
#include "container_bench.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "bench_table.hpp"
#include "common/file_io.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"

extern char** environ;

namespace skerry::bench {

namespace {

namespace fs = std::filesystem;

// A mod's folder of 4096 files, 64 MB in all: eight folders of 512, from 1.6 KB to 30 KB.
struct ModFolder {
    std::vector<fs::path> files;  // relative paths, as they are packed
    std::uint64_t bytes = 0;
};

ModFolder MakeModFolder(const fs::path& folder) {
    constexpr const char* kFolders[] = {"3do",      "cog",   "mat", "misc/cmp",
                                        "misc/pup", "sound", "jkl", "ui/mat"};
    ModFolder mod;
    std::string bytes;
    for (std::size_t i = 0; i < 4096; ++i) {
        const std::size_t size = 1625 + (i * 7919) % 28001;
        bytes.assign(size, static_cast<char>('a' + i % 26));
        const fs::path relative = fs::path(kFolders[i % 8]) / ("file" + std::to_string(i) + ".dat");
        fs::create_directories((folder / relative).parent_path());
        if (WriteFileWhole(folder / relative, bytes, Durability::Unsynced)) {
            throw std::runtime_error("cannot write " + (folder / relative).string());
        }
        mod.files.push_back(relative);
        mod.bytes += size;
    }
    return mod;
}

// Every iteration writes new files, as a first pack or unpack does: replacing a file of the
// run before would time the disk's write-back of it.
void Removed(const fs::path& path, benchmark::State& state) {
    state.PauseTiming();
    fs::remove_all(path);
    state.ResumeTiming();
}

std::string Megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

// Runs the program with these arguments, its output thrown away; false when it failed.
bool Run(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status);
}

void AddPackRows(const Inputs& inputs) {
    const fs::path folder = inputs.folder / "mod";
    auto mod = std::make_shared<ModFolder>(MakeModFolder(folder));
    const std::string size = "4096 files, " + Megabytes(mod->bytes);

    const fs::path floorFile = inputs.folder / "floor.gob";
    const std::string packFloor =
        AddBaseline("baseline: the files read and written into one", mod->bytes,
                    [folder, mod, floorFile](benchmark::State& state) {
                        std::string buffer;
                        for (auto _ : state) {
                            Removed(floorFile, state);
                            std::ofstream out(floorFile, std::ios::binary | std::ios::trunc);
                            for (const fs::path& file : mod->files) {
                                std::ifstream in(folder / file, std::ios::binary);
                                buffer.resize(32 * 1024);
                                in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                                out.write(buffer.data(), in.gcount());
                            }
                        }
                    });
    const fs::path packed = inputs.folder / "mod.gob";
    AddRow({"pack of a folder into a container", size, mod->bytes, packFloor, 1.0,
            Target::AtLeastRatio(1 / 1.3)},
           [folder, packed](benchmark::State& state) {
               for (auto _ : state) {
                   Removed(packed, state);
                   if (WriteContainer(folder, packed).status != JobStatus::Done) {
                       Fault("the folder was not packed");
                   }
               }
           })
        ->UseRealTime();

    // The container the unpack rows read is the one the pack row writes.
    if (WriteContainer(folder, packed).status != JobStatus::Done) {
        throw std::runtime_error("cannot pack " + folder.string());
    }
    const fs::path floorFolder = inputs.folder / "unpacked-floor";
    const std::string unpackFloor =
        AddBaseline("baseline: the container read into 4096 files", mod->bytes,
                    [packed, mod, floorFolder](benchmark::State& state) {
                        const GobDirectory directory = LoadContainer(packed).directory;
                        std::string buffer(32 * 1024, '\0');
                        for (auto _ : state) {
                            Removed(floorFolder, state);
                            state.PauseTiming();
                            for (const fs::path& file : mod->files) {
                                fs::create_directories((floorFolder / file).parent_path());
                            }
                            state.ResumeTiming();
                            std::ifstream in(packed, std::ios::binary);
                            for (const GobEntry& entry : directory.entries) {
                                in.seekg(static_cast<std::streamoff>(entry.offset));
                                in.read(buffer.data(), static_cast<std::streamsize>(entry.size));
                                std::string name = EntryName(entry);
                                std::replace(name.begin(), name.end(), '\\', '/');
                                std::ofstream(floorFolder / name, std::ios::binary)
                                    .write(buffer.data(), static_cast<std::streamsize>(entry.size));
                            }
                        }
                    });
    const fs::path unpacked = inputs.folder / "unpacked";
    AddRow({"unpack of a container into a folder", size, mod->bytes, unpackFloor, 1.0, {}},
           [packed, unpacked](benchmark::State& state) {
               for (auto _ : state) {
                   Removed(unpacked, state);
                   if (ExtractContainer(packed, unpacked).status != JobStatus::Done) {
                       Fault("the container was not unpacked");
                   }
               }
           })
        ->UseRealTime();
}

void AddListRows(const Inputs& inputs) {
    const fs::path container = inputs.jkFolder / "res2.gob";
    const std::uint64_t directoryBytes = kDirectoryStart + 4096 * kEntryRecordSize;
    // Beside the plain read of the directory that the directory read's row measures.
    AddRow({"gob list: the listing as printed", "4096 entries", directoryBytes,
            "baseline: read of the directory", 1.0, Target::AtMostMs(1)},
           [container](benchmark::State& state) {
               std::FILE* out = std::fopen("/dev/null", "wb");
               for (auto _ : state) {
                   OpenedContainer opened = OpenContainer(container);
                   if (opened.entries != 4096) {
                       Fault("the container did not list 4096 entries");
                   }
                   WriteListing(*opened.source, opened.header.count, [out](std::string_view text) {
                       std::fwrite(text.data(), 1, text.size(), out);
                   });
               }
               std::fclose(out);
           })
        ->UseRealTime();

    // The program itself, started afresh: the first touch of memory costs a new process far
    // more than it costs a warm loop, so the listing's figure above leaves that out. The
    // difference between the two rows is what listing adds to the start-up.
    const fs::path empty = inputs.folder / "empty.gob";
    if (WriteFileWhole(empty, MakeContainer({}), Durability::Unsynced)) {
        throw std::runtime_error("cannot write " + empty.string());
    }
    for (const auto& [what, file] : {std::pair{"start-up: an empty container", empty},
                                     std::pair{"res2.gob of 4096 entries", container}}) {
        AddRow({"skerry-cli gob list, a process", what, 0, {}, 1.0, {}},
               [file = file](benchmark::State& state) {
                   for (auto _ : state) {
                       if (!Run({SKERRY_CLI, "gob", "list", file.string()})) {
                           Fault("skerry-cli did not run");
                       }
                   }
               })
            ->UseRealTime();
    }
}

}  // namespace

void AddContainerBenchmarks(const Inputs& inputs) {
    AddListRows(inputs);
    AddPackRows(inputs);
}

}  // namespace skerry::bench
