#include "common/file_io.hpp"

#include <fstream>
#include <random>
#include <system_error>
#include <utility>

#include "common/file_path.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace skerry {

FileBytes ReadFileBytes(const std::filesystem::path& path) {
    FileBytes result;
    std::error_code ec;
    std::ifstream in;
    // A folder opens as a stream here and fails only at the first read.
    if (!std::filesystem::is_directory(path, ec)) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        result.error = "Cannot open file " + Utf8Of(path);
        return result;
    }
    // Whole blocks at a time: a character at a time through the stream buffer is ten times
    // slower, and a 1 MB template file is read at every Open, Save and Append.
    std::string bytes;
    if (const std::uintmax_t size = std::filesystem::file_size(path, ec); !ec) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    char block[1 << 16];
    // read() turns a failing read into badbit; the stream buffer on its own would throw.
    while (in.read(block, sizeof block), in.gcount() > 0) {
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        result.error = "Cannot read file " + Utf8Of(path);
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    if (ec)
        return a == b;
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    if (ec)
        return a == b;
    return canonicalA == canonicalB;
}

namespace {

bool WritePlainFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

FileWriter& CurrentWriter() {
    static FileWriter writer = WritePlainFile;
    return writer;
}

std::filesystem::path Temporary(const std::filesystem::path& path) {
    std::filesystem::path part = path;
    part += ".part";
    return part;
}

// Puts a written file's bytes on the disk itself, not only in the system's cache. Syncing a
// second handle of the file flushes what the writer's handle left behind.
bool SyncFile(const std::filesystem::path& path) {
#ifdef _WIN32
    const int fd = _wopen(path.c_str(), _O_RDWR | _O_BINARY);
    if (fd < 0) {
        return false;
    }
    const bool synced = _commit(fd) == 0;
    _close(fd);
    return synced;
#else
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#endif
}

// A rename is itself a change of the folder, which must reach the disk too, or a power cut
// can bring back the old name. Windows commits a rename with the file system's own log.
void SyncFolder([[maybe_unused]] const std::filesystem::path& folder) {
#ifndef _WIN32
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

}  // namespace

FileWriter SetFileWriter(FileWriter writer) {
    FileWriter previous = std::move(CurrentWriter());
    CurrentWriter() = writer ? std::move(writer) : FileWriter(WritePlainFile);
    return previous;
}

namespace {

// A file to write, by reference: a single file's bytes are not copied to be written.
struct PendingWrite {
    const std::filesystem::path& path;
    std::string_view bytes;
};

std::optional<std::string> WriteAllOrNone(const std::vector<PendingWrite>& files,
                                          Durability durability) {
    std::error_code ec;
    auto failure = [](const PendingWrite& file) {
        return "Cannot create file " + Utf8Of(file.path);
    };
    // A folder in a target's place would refuse its rename only after the files before it
    // had been replaced, so look before writing anything.
    for (const PendingWrite& file : files) {
        if (std::filesystem::is_directory(file.path, ec)) {
            return failure(file);
        }
    }
    std::vector<std::filesystem::path> parts;  // ours, removed unless renamed into place
    auto discard = [&](std::size_t from) {
        for (std::size_t i = from; i < parts.size(); ++i) {
            std::filesystem::remove(parts[i], ec);
        }
    };
    for (const PendingWrite& file : files) {
        const std::filesystem::path part = Temporary(file.path);
        // A folder of that name is not ours to remove.
        if (std::filesystem::is_directory(part, ec)) {
            discard(0);
            return failure(file);
        }
        parts.push_back(part);
        if (!CurrentWriter()(part, file.bytes) ||
            (durability == Durability::Synced && !SyncFile(part))) {
            discard(0);
            return failure(file);
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::filesystem::rename(parts[i], files[i].path, ec);
        if (ec) {
            discard(i);
            return failure(files[i]);
        }
    }
    if (durability == Durability::Synced) {
        for (const PendingWrite& file : files) {
            SyncFolder(file.path.parent_path());
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files,
                                              Durability durability) {
    std::vector<PendingWrite> pending;
    pending.reserve(files.size());
    for (const FileWrite& file : files) {
        pending.push_back({file.path, file.bytes});
    }
    return WriteAllOrNone(pending, durability);
}

std::optional<std::string> WriteFileWhole(const std::filesystem::path& path, std::string_view bytes,
                                          Durability durability) {
    return WriteAllOrNone({{path, bytes}}, durability);
}

std::optional<PartFile> PartFile::Create(const std::filesystem::path& target, std::string& error) {
    std::error_code ec;
    const std::filesystem::path part = Temporary(target);
    error = "Cannot create file " + Utf8Of(target);
    // A folder of either name is not ours to write over or remove.
    if (std::filesystem::is_directory(target, ec) || std::filesystem::is_directory(part, ec)) {
        return std::nullopt;
    }
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) {
        return std::nullopt;
    }
    error.clear();
    return PartFile(target, part, std::move(out));
}

PartFile::PartFile(PartFile&& other) noexcept
    : target_(std::move(other.target_)),
      part_(std::move(other.part_)),
      out_(std::move(other.out_)),
      pending_(std::exchange(other.pending_, false)) {}

PartFile::~PartFile() {
    if (pending_) {
        out_.close();
        std::error_code ec;
        std::filesystem::remove(part_, ec);
    }
}

bool PartFile::Write(std::string_view bytes) {
    out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out_);
}

std::optional<std::string> PartFile::Commit(Durability durability) {
    const std::string failure = "Cannot create file " + Utf8Of(target_);
    out_.close();
    if (!out_ || (durability == Durability::Synced && !SyncFile(part_))) {
        return failure;
    }
    std::error_code ec;
    std::filesystem::rename(part_, target_, ec);
    if (ec) {
        return failure;
    }
    pending_ = false;
    if (durability == Durability::Synced) {
        SyncFolder(target_.parent_path());
    }
    return std::nullopt;
}

FolderListing ListFolderFiles(const std::filesystem::path& folder) {
    FolderListing listing;
    std::error_code ec;
    // Links are never followed: the iterator does not enter a linked folder, and a linked
    // file is told apart by its own status.
    std::filesystem::recursive_directory_iterator it(folder, ec);
    const std::filesystem::recursive_directory_iterator end;
    std::filesystem::path entered = folder;  // the folder a failing step was reading
    for (; !ec && it != end; it.increment(ec)) {
        // The iterator knows each entry's own type (links included) without asking the
        // file system again; only the size costs a call per file.
        const std::filesystem::directory_entry& entry = *it;
        if (entry.is_symlink(ec) || ec) {
            listing.skipped.push_back(entry.path());
            continue;
        }
        if (entry.is_directory(ec)) {
            entered = entry.path();
            continue;
        }
        if (ec) {
            entered = entry.path();
            break;
        }
        if (!entry.is_regular_file(ec)) {
            listing.skipped.push_back(entry.path());
            continue;
        }
        FolderFile file;
        file.path = entry.path();
        file.size = entry.file_size(ec);
        if (ec) {
            listing.error = "Cannot read file " + Utf8Of(file.path);
            return listing;
        }
        for (const std::filesystem::path& part : file.path.lexically_relative(folder)) {
            file.parts.push_back(Utf8Of(part));
        }
        listing.files.push_back(std::move(file));
    }
    if (ec) {
        listing.error = "Cannot read folder " + Utf8Of(entered);
    }
    return listing;
}

bool CanWriteIn(const std::filesystem::path& dir) {
    std::error_code ec;
    // A name of its own, so that two programs probing the same folder at once do not meet.
    const std::filesystem::path probe =
        (dir.empty() ? std::filesystem::path(".") : dir) /
        (".skerry-write-test-" + std::to_string(std::random_device{}()));
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
    }
    std::filesystem::remove(probe, ec);
    return true;
}

}  // namespace skerry
