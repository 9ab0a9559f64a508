#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// The whole file as bytes, or nothing with a message naming the file when it cannot be read.
struct FileBytes {
    std::optional<std::string> bytes;
    std::string error;
};
FileBytes ReadFileBytes(const std::filesystem::path& path);

// True when path names an existing regular file (or a link to one).
bool FileExists(const std::filesystem::path& path);

// True when two paths name the same file (or would, once created).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether a write must reach the disk before it counts. The user's own files are synced, so
// that a power cut right after a save leaves the new file or the old one, never an empty one;
// a pack of exported pictures is not, since each is made again by showing it.
enum class Durability { Synced, Unsynced };

// Replaces several files so that either all of them change or none does: every file is
// written beside its target (as TARGET.part) first, and only when all are written whole are
// they renamed into place, in order. A folder in a target's place is found before anything is
// written; only a rename that fails for a reason arising meanwhile (the folder taken away) can
// leave the files before it replaced. Returns a message naming the file that failed.
struct FileWrite {
    std::filesystem::path path;
    std::string bytes;
};
std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files,
                                              Durability durability = Durability::Synced);

// Writes the file whole or not at all: a temporary file beside the target is renamed over it
// once every byte is written, so a failure never leaves a half-written file. Returns a message
// naming the file when it fails.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& path, std::string_view bytes,
                                          Durability durability = Durability::Synced);

// How WriteFilesTogether puts one temporary file's bytes on disk; false when it could not.
// Tests put a writer in its place that fails part way through.
using FileWriter = std::function<bool(const std::filesystem::path&, std::string_view)>;
// Returns the writer in place. An empty writer restores the plain one.
FileWriter SetFileWriter(FileWriter writer);

// A file written piece by piece and put in place whole, for files too large to hold in memory:
// the pieces go to TARGET.part, which Commit renames over the target. Dropped without a
// Commit (a failure, a cancel), the part is removed and the target stays as it was.
class PartFile {
  public:
    // Nothing, with a message naming the target in error, when the part cannot be created or
    // a folder stands in the target's place.
    static std::optional<PartFile> Create(const std::filesystem::path& target, std::string& error);
    PartFile(PartFile&& other) noexcept;
    PartFile& operator=(PartFile&&) = delete;
    ~PartFile();

    // False when the bytes could not be written; the part is then of no use.
    bool Write(std::string_view bytes);
    // Puts the part in the target's place; a message naming the target when it cannot.
    std::optional<std::string> Commit(Durability durability);

  private:
    PartFile(std::filesystem::path target, std::filesystem::path part, std::ofstream out)
        : target_(std::move(target)), part_(std::move(part)), out_(std::move(out)) {}

    std::filesystem::path target_;
    std::filesystem::path part_;
    std::ofstream out_;
    bool pending_ = true;  // the part is ours to remove
};

// The plain files below a folder, found without following links: a link, to a file or to a
// folder, is skipped and named, as is anything else that is not a plain file or a folder.
struct FolderFile {
    std::vector<std::string> parts;  // the folders below the listed one, then the file's name
    std::filesystem::path path;
    std::uint64_t size = 0;
};
struct FolderListing {
    std::vector<FolderFile> files;  // in no particular order
    std::vector<std::filesystem::path> skipped;
    std::string error;  // a folder that could not be read: the listing is then incomplete
};
FolderListing ListFolderFiles(const std::filesystem::path& folder);

// True when files can be created in dir (it exists and takes a new file).
bool CanWriteIn(const std::filesystem::path& dir);

}  // namespace skerry
