// A folder packed into a container, and the rules for names both ways.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/byte_source.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"

namespace skerry {

namespace {

// The files pass through this much memory at a time.
constexpr std::size_t kBufferSize = std::size_t{1} << 20;

// At most this many refused files are named; a folder of thousands would bury the first.
constexpr std::size_t kProblemsNamed = 20;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The path as its folders and file name, without a trailing separator's empty part.
std::filesystem::path Whole(const std::filesystem::path& path) {
    std::filesystem::path normal = path.lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}

// True when inner is folder or lies below it. Windows' file names ignore letter case.
bool Inside(const std::filesystem::path& inner, const std::filesystem::path& folder) {
    auto f = folder.begin();
    for (auto i = inner.begin(); f != folder.end(); ++f, ++i) {
        if (i == inner.end()) {
            return false;
        }
#ifdef _WIN32
        if (!EqualsIgnoringCase(i->string(), f->string())) {
#else
        if (*i != *f) {
#endif
            return false;
        }
    }
    return true;
}

std::string Problem(const std::filesystem::path& path, const std::string& name,
                    const char* reason) {
    return Utf8Of(path) + ": the entry name " + name + " " + reason;
}

}  // namespace

std::optional<std::string> UnsafeEntryName(std::string_view name) {
    if (name.empty()) {
        return "is empty";
    }
    if (IsSeparator(name.front())) {
        return "starts at the root of the disk";
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) {
            ++end;
        }
        const std::string_view part = name.substr(start, end - start);
        if (part.empty()) {
            return end == name.size() ? "names a folder, not a file" : "has an empty folder name";
        }
        if (part.find(':') != std::string_view::npos) {
            return "names a drive or holds a ':'";
        }
        // Windows drops trailing dots and blanks, so "... " climbs out as ".." does.
        if (part.find_first_not_of(". ") == std::string_view::npos) {
            return "has a part of dots, which would lead out of the folder";
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> EntryPathBelow(std::string_view name) {
    if (UnsafeEntryName(name)) {
        return std::nullopt;
    }
    std::filesystem::path path;
    std::size_t start = 0;
    while (start < name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) {
            ++end;
        }
        path /= std::string(name.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

std::string ByteCountText(std::uint64_t bytes) {
    const auto shown = [](double value, const char* unit) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f %s", value, unit);
        return std::string(text);
    };
    if (bytes < 10000) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    if (bytes < 1000000) {
        return shown(static_cast<double>(bytes) / 1e3, "KB");
    }
    if (bytes < 1000000000) {
        return shown(static_cast<double>(bytes) / 1e6, "MB");
    }
    return shown(static_cast<double>(bytes) / 1e9, "GB");
}

PackPlan PlanContainer(const std::filesystem::path& folder, const std::filesystem::path& output) {
    PackPlan plan;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        plan.problems.push_back(Utf8Of(folder) + " is not a folder");
        return plan;
    }
    const std::filesystem::path realFolder = Whole(std::filesystem::canonical(folder, ec));
    const std::filesystem::path realOutput = Whole(std::filesystem::weakly_canonical(output, ec));
    if (Inside(realOutput, realFolder)) {
        plan.problems.push_back(Utf8Of(output) + " is inside " + Utf8Of(folder) +
                                ", the folder being packed; choose a place outside it");
        return plan;
    }
    FolderListing listing = ListFolderFiles(folder);
    if (!listing.error.empty()) {
        plan.problems.push_back(listing.error);
        return plan;
    }
    for (const std::filesystem::path& skipped : listing.skipped) {
        plan.notes.push_back("Not packed: " + Utf8Of(skipped) + " is a link or not a plain file");
    }
    if (listing.files.size() > kDirectoryCapacity) {
        plan.problems.push_back(Utf8Of(folder) + " holds " + std::to_string(listing.files.size()) +
                                " files; a container holds at most " +
                                std::to_string(kDirectoryCapacity));
        return plan;
    }

    // Each file's name, and what is wrong with it as a part of the folder on disk.
    struct Candidate {
        PackedFile file;
        const char* problem = nullptr;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(listing.files.size());
    for (FolderFile& file : listing.files) {
        Candidate candidate;
        for (const std::string& part : file.parts) {
            if (!candidate.file.name.empty()) {
                candidate.file.name += '\\';
            }
            candidate.file.name += LowerAscii(part);
            if (std::any_of(part.begin(), part.end(), [](char c) {
                    const auto u = static_cast<unsigned char>(c);
                    return u <= ' ' || u == 0x7f;
                })) {
                candidate.problem = "holds a blank or a control byte";
            } else if (part.find('\\') != std::string::npos && !candidate.problem) {
                candidate.problem = "holds a backslash, which the game takes for a folder";
            }
        }
        candidate.file.path = std::move(file.path);
        candidate.file.size = file.size;
        candidates.push_back(std::move(candidate));
    }
    // Files of one name in two letter cases come in the order of their paths, so that the
    // message is the same at every try.
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.file.name != b.file.name ? a.file.name < b.file.name : a.file.path < b.file.path;
    });

    std::vector<std::string> problems;
    std::uint64_t end = kDirectoryStart + kEntryRecordSize * candidates.size();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const PackedFile& file = candidates[i].file;
        const std::optional<std::string> unsafe = UnsafeEntryName(file.name);
        if (file.name.size() >= kEntryNameSize) {
            problems.push_back(Problem(file.path, file.name,
                                       "is longer than the 127 bytes a container's names hold"));
        } else if (candidates[i].problem) {
            problems.push_back(Problem(file.path, file.name, candidates[i].problem));
        } else if (unsafe) {
            problems.push_back(Problem(file.path, file.name, unsafe->c_str()));
        }
        if (i > 0 && candidates[i - 1].file.name == file.name) {
            problems.push_back(Utf8Of(candidates[i - 1].file.path) + " and " + Utf8Of(file.path) +
                               " are one entry, " + file.name +
                               ", as the game ignores letter case");
        }
        end += file.size;
    }
    if (!problems.empty()) {
        const std::size_t more =
            problems.size() > kProblemsNamed ? problems.size() - kProblemsNamed : 0;
        problems.resize(std::min(problems.size(), kProblemsNamed));
        if (more > 0) {
            problems.push_back("and " + std::to_string(more) + " more");
        }
        plan.problems = std::move(problems);
        return plan;
    }
    if (end > kLargestContainer) {
        plan.problems.push_back(Utf8Of(folder) + " holds " + ByteCountText(end) +
                                "; a container holds less than 2 GB");
        return plan;
    }
    for (Candidate& candidate : candidates) {
        plan.files.push_back(std::move(candidate.file));
    }
    return plan;
}

ContainerJob WriteContainer(const std::filesystem::path& folder,
                            const std::filesystem::path& output, const ProgressFn& progress) {
    ContainerJob job;
    PackPlan plan = PlanContainer(folder, output);
    job.notes = std::move(plan.notes);
    if (!plan.problems.empty()) {
        job.status = JobStatus::Refused;
        job.summary = "Nothing written to " + Utf8Of(output) + ":";
        for (const std::string& problem : plan.problems) {
            job.summary += "\n" + problem;
        }
        return job;
    }
    // Every way out before the rename drops the part file: nothing is left behind.
    const auto failed = [&](const std::string& why) {
        job.summary = why + "; nothing written to " + Utf8Of(output);
        return job;
    };
    ContainerProgress at;
    const auto carryOn = [&] {
        if (!progress || progress(at)) {
            return true;
        }
        job.status = JobStatus::Cancelled;
        job.summary = "Cancelled: nothing written to " + Utf8Of(output);
        return false;
    };

    at.totalEntries = plan.files.size();
    std::vector<DirectoryLine> lines;
    lines.reserve(plan.files.size());
    for (const PackedFile& file : plan.files) {
        lines.push_back({file.name, file.size});
        at.totalBytes += file.size;
    }
    std::string error;
    std::optional<PartFile> out = PartFile::Create(output, error);
    if (!out) {
        job.summary = error;
        return job;
    }
    const std::string cannotWrite = "Cannot write file " + Utf8Of(output);
    if (!out->Write(ContainerHead(lines))) {
        return failed(cannotWrite);
    }
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    std::size_t filled = 0;
    const auto flush = [&] {
        const bool written = out->Write({buffer.get(), filled});
        filled = 0;
        return written;
    };
    for (const PackedFile& file : plan.files) {
        at.current = file.name;
        if (!carryOn()) {
            return job;
        }
        std::optional<FileSource> source = FileSource::OpenListed(file.path);
        if (!source) {
            return failed("Cannot open file " + Utf8Of(file.path));
        }
        // The directory already gives the size: a file that changes meanwhile would make the
        // container lie about it.
        bool whole = source->Size() == file.size;
        for (std::uint64_t done = 0; whole && done < file.size;) {
            const std::uint64_t got =
                source->ReadInto(done, buffer.get() + filled,
                                 std::min<std::uint64_t>(file.size - done, kBufferSize - filled));
            whole = got > 0;
            done += got;
            at.doneBytes += got;
            filled += static_cast<std::size_t>(got);
            if (filled < kBufferSize) {
                continue;
            }
            if (!flush()) {
                return failed(cannotWrite);
            }
            // A large file is worth a word, and a chance to stop, between its pieces.
            if (!carryOn()) {
                return job;
            }
        }
        if (!whole) {
            return failed(Utf8Of(file.path) + " changed while it was packed");
        }
        ++at.doneEntries;
    }
    if (!flush()) {
        return failed(cannotWrite);
    }
    // Made again from the folder at will, as exported pictures are: not worth a wait on the
    // disk.
    if (std::optional<std::string> failure = out->Commit(Durability::Unsynced)) {
        job.summary = *failure;
        return job;
    }
    job.status = JobStatus::Done;
    job.entries = plan.files.size();
    job.bytes = at.totalBytes;
    job.summary = std::to_string(job.entries) + (job.entries == 1 ? " file" : " files") + " (" +
                  ByteCountText(job.bytes) + ") packed into " + Utf8Of(output);
    return job;
}

}  // namespace skerry
