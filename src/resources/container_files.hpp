#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// A folder packed into a GOB/GOO container, and a container unpacked into a folder: the
// files stream one after another through one buffer, so neither side is ever held whole.

// How far a pack or unpack has come. current names the entry being worked on.
struct ContainerProgress {
    std::uint64_t doneBytes = 0;
    std::uint64_t totalBytes = 0;
    std::size_t doneEntries = 0;
    std::size_t totalEntries = 0;
    std::string_view current;
};
// Told of the progress now and then; returning false cancels the work.
using ProgressFn = std::function<bool(const ContainerProgress&)>;

enum class JobStatus {
    Done,       // everything written
    Partial,    // written, but some entries left out or cut short (the notes name them)
    Refused,    // nothing written: the input cannot be packed as it is
    Failed,     // a file could not be read or written
    Cancelled,  // stopped by the progress function
};

struct ContainerJob {
    JobStatus status = JobStatus::Failed;
    std::string summary;             // what was written, or why nothing was
    std::vector<std::string> notes;  // each thing left out or done short, by name
    std::size_t entries = 0;         // entries written
    std::uint64_t bytes = 0;         // their bytes
};

// Why an entry name cannot stand for a file below a folder: a part that is empty, only dots
// (".." climbs out), or holds a ':' (a drive, or a stream on Windows); nothing when it can.
// Parts are separated by backslashes or slashes; a name that starts with one is refused.
std::optional<std::string> UnsafeEntryName(std::string_view name);

// The entry's file below the folder it is unpacked into, or nothing for an unsafe name.
std::optional<std::filesystem::path> EntryPathBelow(std::string_view name);

// A plain file of the folder as the container will hold it.
struct PackedFile {
    std::string name;  // the path below the folder, in lower case, backslashes between parts
    std::filesystem::path path;
    std::uint64_t size = 0;
};
// What packing a folder will write, in directory order (the byte order of the names), or why
// it cannot: every refused file is named in problems.
struct PackPlan {
    std::vector<PackedFile> files;
    std::vector<std::string> problems;
    std::vector<std::string> notes;  // links not followed
};
PackPlan PlanContainer(const std::filesystem::path& folder, const std::filesystem::path& output);

// Packs every plain file below folder into the container output, written beside it and
// renamed into place when whole: a refusal, a failure or a cancel leaves nothing behind and
// the earlier file as it was. The same folder always gives the same bytes.
ContainerJob WriteContainer(const std::filesystem::path& folder,
                            const std::filesystem::path& output, const ProgressFn& progress = {});

// Writes every entry of the container into dir, the name's parts as folders; existing files
// are replaced. An unsafe name is not written, nor the second of two entries whose names
// differ only in letter case (the game reads the first); an entry the container holds only in
// part is written as far as it goes. Those are notes, and the job is Partial.
ContainerJob ExtractContainer(const std::filesystem::path& container,
                              const std::filesystem::path& dir, const ProgressFn& progress = {});

// A byte count as the summaries give it: "512 bytes", "14.2 KB", "64.0 MB".
std::string ByteCountText(std::uint64_t bytes);

}  // namespace skerry
