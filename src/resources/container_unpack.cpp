// A container unpacked whole into a folder.
#include <algorithm>
#include <memory>
#include <set>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/byte_source.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"

namespace skerry {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// The entry's bytes that the container holds: none for a negative offset or size.
std::uint64_t HeldBytes(const GobEntry& entry, std::uint64_t containerSize) {
    if (entry.offset < 0 || entry.size <= 0 ||
        static_cast<std::uint64_t>(entry.offset) >= containerSize) {
        return 0;
    }
    return std::min<std::uint64_t>(static_cast<std::uint64_t>(entry.size),
                                   containerSize - static_cast<std::uint64_t>(entry.offset));
}

}  // namespace

ContainerJob ExtractContainer(const std::filesystem::path& container,
                              const std::filesystem::path& dir, const ProgressFn& progress) {
    ContainerJob job;
    const LoadedContainer loaded = LoadContainer(container);
    if (loaded.status != ContainerStatus::Ok) {
        job.summary = loaded.error;
        return job;
    }
    std::optional<FileSource> source = FileSource::Open(container);
    if (!source) {
        job.summary = CannotOpenMessage(container);
        return job;
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) {
        job.summary = "Cannot create folder " + Utf8Of(dir);
        return job;
    }
    bool partial = false, failed = false;
    if (std::optional<std::string> shortfall =
            DirectoryShortfall(Utf8Of(container), loaded.directory)) {
        job.notes.push_back(std::move(*shortfall));
        partial = true;
    }

    const std::vector<GobEntry>& entries = loaded.directory.entries;
    ContainerProgress at;
    at.totalEntries = entries.size();
    for (const GobEntry& entry : entries) {
        at.totalBytes += HeldBytes(entry, source->Size());
    }
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    std::set<std::string> written;                // names ignoring case, as the game looks
    std::set<std::filesystem::path> madeFolders;  // each made once, not once per file
    for (const GobEntry& entry : entries) {
        const std::string name = EntryName(entry);
        at.current = name;
        if (progress && !progress(at)) {
            job.status = JobStatus::Cancelled;
            break;
        }
        ++at.doneEntries;
        const std::uint64_t held = HeldBytes(entry, source->Size());
        const std::optional<std::filesystem::path> below = EntryPathBelow(name);
        if (!below) {
            job.notes.push_back("Not written: " + name + " " + *UnsafeEntryName(name));
            partial = true;
            at.doneBytes += held;
            continue;
        }
        std::string key = LowerAscii(name);
        std::replace(key.begin(), key.end(), '/', '\\');
        if (!written.insert(key).second) {
            job.notes.push_back("Not written: " + name +
                                " a second time; the game reads the first entry of that name");
            partial = true;
            at.doneBytes += held;
            continue;
        }
        const std::filesystem::path target = dir / *below;
        if (below->has_parent_path() && madeFolders.insert(below->parent_path()).second) {
            std::filesystem::create_directories(target.parent_path(), ec);
        }
        std::string error;
        std::optional<PartFile> out = PartFile::Create(target, error);
        bool whole = out.has_value();
        for (std::uint64_t done = 0; whole && done < held;) {
            // A large entry is worth a word, and a chance to stop, between its pieces.
            if (done > 0 && progress && !progress(at)) {
                job.status = JobStatus::Cancelled;
                break;
            }
            const std::uint64_t got =
                source->ReadInto(static_cast<std::uint64_t>(entry.offset) + done, buffer.get(),
                                 std::min<std::uint64_t>(held - done, kBufferSize));
            whole = got > 0 && out->Write({buffer.get(), static_cast<std::size_t>(got)});
            done += got;
            at.doneBytes += got;
        }
        if (job.status == JobStatus::Cancelled) {
            break;
        }
        if (whole) {
            if (std::optional<std::string> failure = out->Commit(Durability::Unsynced)) {
                error = *failure;
                whole = false;
            }
        } else if (error.empty()) {
            error = "Cannot write file " + Utf8Of(target);
        }
        if (!whole) {
            job.notes.push_back(error);
            failed = true;
            continue;
        }
        ++job.entries;
        job.bytes += held;
        const auto declared = static_cast<std::uint64_t>(std::max(entry.size, 0));
        if (held < declared) {
            job.notes.push_back("Cut short: " + name + " has only " + ByteCountText(held) +
                                " of its " + ByteCountText(declared) + " in the container");
            partial = true;
        }
    }
    const std::string count = std::to_string(job.entries) + (job.entries == 1 ? " file" : " files");
    if (job.status == JobStatus::Cancelled) {
        job.summary = "Cancelled after " + count + " (" + ByteCountText(job.bytes) +
                      ") written into " + Utf8Of(dir);
        return job;
    }
    job.status = failed ? JobStatus::Failed : partial ? JobStatus::Partial : JobStatus::Done;
    job.summary = count + " (" + ByteCountText(job.bytes) + ") unpacked into " + Utf8Of(dir);
    return job;
}

}  // namespace skerry
