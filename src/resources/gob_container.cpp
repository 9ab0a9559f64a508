#include "resources/gob_container.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstddef>
#include <cstring>

#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/picker_listing.hpp"
#include "resources/picker_order.hpp"

namespace skerry {

static_assert(sizeof(GobEntry) == kEntryRecordSize && offsetof(GobEntry, size) == 4 &&
                  offsetof(GobEntry, name) == 8 && std::endian::native == std::endian::little,
              "a directory record is read in place as a GobEntry");

std::string_view EntryNameView(const GobEntry& entry) {
    const auto* end = std::find(entry.name.begin(), entry.name.end(), '\0');
    std::string_view name(entry.name.data(), static_cast<std::size_t>(end - entry.name.begin()));
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') {
        name.remove_suffix(1);
    }
    return name;
}

std::string EntryName(const GobEntry& entry) {
    return std::string(EntryNameView(entry));
}

ContainerHeader TestContainer(ByteSource& source) {
    ContainerHeader header;
    const std::string bytes = source.ReadAt(0, kContainerHeaderSize);
    if (bytes.size() < 4 || bytes[3] != ' ') {
        header.status = ContainerStatus::NotAContainer;
        return header;
    }
    header.status = ContainerStatus::Ok;
    header.gobSignature = bytes.compare(0, 4, "GOB ") == 0;
    // A file too short to hold a count has no entries.
    header.count = ByteReader(bytes).I32(12).value_or(0);
    return header;
}

std::size_t EntriesRead(std::uint64_t sourceSize, std::int32_t count) {
    if (count <= 0 || sourceSize <= kDirectoryStart) {
        return 0;
    }
    const std::uint64_t held = (sourceSize - kDirectoryStart) / kEntryRecordSize;
    return static_cast<std::size_t>(
        std::min({static_cast<std::uint64_t>(count), std::uint64_t{kDirectoryCapacity}, held}));
}

std::size_t ForEachEntry(ByteSource& source, std::int32_t count,
                         const std::function<void(std::size_t, const GobEntry&)>& visit) {
    const std::size_t wanted = EntriesRead(source.Size(), count);
    // A few pages of records at a time: memory a process touches for the first time costs
    // more than reading the file, and a listing needs each record only once. Smaller blocks
    // would cost more in calls to the system than they save.
    constexpr std::size_t kBlock = 256;
    // Bytes, not entries: entries would be cleared first, touching every page for nothing.
    std::array<char, kBlock * kEntryRecordSize> block;
    std::size_t index = 0;
    GobEntry entry;
    while (index < wanted) {
        const std::size_t asked = std::min(kBlock, wanted - index);
        const std::uint64_t read = source.ReadInto(kDirectoryStart + index * kEntryRecordSize,
                                                   block.data(), asked * kEntryRecordSize);
        const auto whole = static_cast<std::size_t>(read / kEntryRecordSize);
        for (std::size_t i = 0; i < whole; ++i) {
            // A record's layout is the entry's own.
            std::memcpy(&entry, block.data() + i * kEntryRecordSize, kEntryRecordSize);
            visit(index + i, entry);
        }
        index += whole;
        if (whole < asked) {
            break;
        }
    }
    return index;
}

GobDirectory ReadDirectory(ByteSource& source, std::int32_t count) {
    GobDirectory directory;
    directory.declaredCount = count;
    directory.truncated = count > 0 && static_cast<std::uint64_t>(count) > kDirectoryCapacity;
    directory.entries.reserve(EntriesRead(source.Size(), count));
    ForEachEntry(source, count,
                 [&](std::size_t, const GobEntry& entry) { directory.entries.push_back(entry); });
    return directory;
}

std::string ReadEntry(ByteSource& source, const GobEntry& entry, std::uint64_t limit) {
    if (entry.offset < 0 || entry.size <= 0) {
        return {};
    }
    return source.ReadAt(static_cast<std::uint64_t>(entry.offset),
                         std::min(static_cast<std::uint64_t>(entry.size), limit));
}

std::string ContainerHead(const std::vector<DirectoryLine>& entries) {
    const auto append = [](std::string& out, std::uint64_t value) {
        AppendLe32(out, static_cast<std::uint32_t>(value));
    };
    std::string out = "GOB ";
    out.reserve(kDirectoryStart + kEntryRecordSize * entries.size());
    append(out, 20);
    append(out, 12);
    append(out, entries.size());
    std::uint64_t dataAt = kDirectoryStart + kEntryRecordSize * entries.size();
    for (const DirectoryLine& entry : entries) {
        append(out, dataAt);
        append(out, entry.size);
        out += entry.name;
        out.append(kEntryNameSize - entry.name.size(), '\0');
        dataAt += entry.size;
    }
    return out;
}

std::string MakeContainer(const std::vector<ContainerEntry>& entries) {
    std::vector<DirectoryLine> lines;
    lines.reserve(entries.size());
    for (const ContainerEntry& entry : entries) {
        lines.push_back(
            {std::string_view(entry.name).substr(0, kEntryNameSize - 1), entry.bytes.size()});
    }
    std::string out = ContainerHead(lines);
    for (const ContainerEntry& entry : entries) {
        out += entry.bytes;
    }
    return out;
}

void WriteListing(ByteSource& source, std::int32_t count,
                  const std::function<void(std::string_view)>& write) {
    constexpr std::size_t kBlock = 16 * 1024;
    std::string out;
    out.reserve(kBlock + 64 + kEntryNameSize);
    char number[16];
    const auto field = [&](std::int64_t value) {
        const auto [end, ec] = std::to_chars(number, number + sizeof number, value);
        out.append(number, end);
        out += '\t';
    };
    ForEachEntry(source, count, [&](std::size_t index, const GobEntry& entry) {
        field(static_cast<std::int64_t>(index));
        field(entry.offset);
        field(entry.size);
        out += EntryNameView(entry);
        out += '\n';
        if (out.size() >= kBlock) {
            write(out);
            out.clear();
        }
    });
    if (!out.empty()) {
        write(out);
    }
}

std::optional<std::string> DirectoryShortfall(const std::string& path,
                                              const GobDirectory& directory) {
    return DirectoryShortfall(path, directory.declaredCount, directory.entries.size());
}

std::optional<std::string> DirectoryShortfall(const std::string& path, std::int32_t declaredCount,
                                              std::size_t read) {
    if (declaredCount <= 0 || static_cast<std::size_t>(declaredCount) <= read) {
        return std::nullopt;
    }
    const std::string listed = path + " lists " + std::to_string(declaredCount) + " entries";
    if (read == kDirectoryCapacity) {
        return listed + "; only the first " + std::to_string(kDirectoryCapacity) + " are read.";
    }
    return listed + " but holds only " + std::to_string(read) + " of them whole; those are read.";
}

std::string CannotOpenMessage(const std::filesystem::path& path) {
    return "Cannot open file " + Utf8Of(path);
}

std::string NotAGobMessage(const std::filesystem::path& path) {
    return Utf8Of(path) + " is not a GOB/GOO container";
}

OpenedContainer OpenContainer(const std::filesystem::path& path) {
    OpenedContainer opened;
    opened.source = FileSource::Open(path);
    if (!opened.source) {
        opened.status = ContainerStatus::CannotOpen;
        opened.error = CannotOpenMessage(path);
        return opened;
    }
    opened.header = TestContainer(*opened.source);
    opened.status = opened.header.status;
    if (opened.status != ContainerStatus::Ok) {
        opened.error = kNotAContainerMessage;
        return opened;
    }
    const std::int32_t count = opened.header.count;
    opened.entries = EntriesRead(opened.source->Size(), count);
    // A blank at byte 3 is all the game asks, and many a file has one there. Without "GOB "
    // in front, a count the file cannot hold says the file is something else: listing the
    // entries would list noise.
    const bool unreadable =
        count < 0 ||
        opened.entries < std::min<std::size_t>(static_cast<std::size_t>(count), kDirectoryCapacity);
    if (!opened.header.gobSignature && unreadable) {
        opened.status = ContainerStatus::NotAContainer;
        opened.error = NotAGobMessage(path);
        opened.entries = 0;
    }
    return opened;
}

LoadedContainer LoadContainer(const std::filesystem::path& path) {
    LoadedContainer loaded;
    OpenedContainer opened = OpenContainer(path);
    loaded.status = opened.status;
    loaded.error = std::move(opened.error);
    if (opened.status == ContainerStatus::Ok) {
        loaded.directory = ReadDirectory(*opened.source, opened.header.count);
    }
    return loaded;
}

std::optional<std::string> ReadEntryFromFile(const std::filesystem::path& path,
                                             const GobEntry& entry, std::uint64_t limit) {
    std::optional<FileSource> source = FileSource::Open(path);
    if (!source) {
        return std::nullopt;
    }
    return ReadEntry(*source, entry, limit);
}

std::optional<std::size_t> FindEntry(const GobDirectory& directory, std::string_view name) {
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        if (EqualsIgnoringCase(EntryName(directory.entries[i]), name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string_view FileNamePart(std::string_view name) {
    const std::size_t last = name.find_last_of("\\/");
    return last == std::string_view::npos ? name : name.substr(last + 1);
}

std::vector<std::size_t> ColormapEntries(const GobDirectory& directory) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const std::string name = EntryName(directory.entries[i]);
        if (EqualsIgnoringCase(FileExtension(name), ".cmp")) {
            found.push_back(i);
        }
    }
    return found;
}

std::optional<std::size_t> FindColormapEntry(const GobDirectory& directory, std::string_view name) {
    for (const std::size_t i : ColormapEntries(directory)) {
        const std::string entryName = EntryName(directory.entries[i]);
        if (EqualsIgnoringCase(FileNamePart(entryName), name) ||
            EqualsIgnoringCase(entryName, name)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace skerry
