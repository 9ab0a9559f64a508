#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/byte_source.hpp"

namespace skerry {

// GOB (JK) and GOO (Mots) containers share one layout: "GOB ", two unused words, the entry
// count at 12, then 136-byte directory entries (offset, size, 128-byte name) from 16 on.
inline constexpr std::size_t kDirectoryCapacity = 4096;
inline constexpr std::size_t kEntryRecordSize = 136;
inline constexpr std::size_t kEntryNameSize = 128;
inline constexpr std::size_t kContainerHeaderSize = 128;
inline constexpr std::uint64_t kDirectoryStart = 16;

inline constexpr std::string_view kNotAContainerMessage = "File is Not A Jedi Knight GOB ?";

// One directory entry as it stands in the file.
struct GobEntry {
    std::int32_t offset = 0;
    std::int32_t size = 0;
    std::array<char, kEntryNameSize> name{};
};

// The entry's name as text: up to the first zero byte, without trailing blanks and control
// characters. Folders are separated by backslashes, as the game writes them.
std::string EntryName(const GobEntry& entry);
// The same, as a view into the entry.
std::string_view EntryNameView(const GobEntry& entry);

struct GobDirectory {
    std::vector<GobEntry> entries;  // in directory order: the index is the directory index
    std::int32_t declaredCount = 0;
    bool truncated = false;  // the count was above what the table holds; the rest are unlisted
};

enum class ContainerStatus { Ok, NotAContainer, CannotOpen };

// The container test: byte 3 of the file must be a blank. Gives the entry count on success.
struct ContainerHeader {
    ContainerStatus status = ContainerStatus::NotAContainer;
    std::int32_t count = 0;
    bool gobSignature = false;  // the file starts with "GOB " itself, not only the blank
};
ContainerHeader TestContainer(ByteSource& source);

// Reads up to kDirectoryCapacity entries of count; only entries the file holds whole.
GobDirectory ReadDirectory(ByteSource& source, std::int32_t count);

// How many entries the directory read gives of count from a source of this size.
std::size_t EntriesRead(std::uint64_t sourceSize, std::int32_t count);

// The entries ReadDirectory gives, handed to visit one by one with their index and read a
// block at a time, for a reader that needs each once. Returns how many were visited.
std::size_t ForEachEntry(ByteSource& source, std::int32_t count,
                         const std::function<void(std::size_t, const GobEntry&)>& visit);

// What the user is told when a directory lists more entries than are read: more than the
// table holds, or more than the file holds whole. Nothing when every entry was read.
std::optional<std::string> DirectoryShortfall(const std::string& path,
                                              const GobDirectory& directory);
std::optional<std::string> DirectoryShortfall(const std::string& path, std::int32_t declaredCount,
                                              std::size_t read);

// The entry's bytes: only those that exist in the source, none for a negative offset or size.
// At most limit of them, for readers that need only the entry's start.
std::string ReadEntry(ByteSource& source, const GobEntry& entry, std::uint64_t limit = UINT64_MAX);

// What the user is told of a file that passes the container test by its blank alone but whose
// directory cannot be read: some other kind of file.
std::string NotAGobMessage(const std::filesystem::path& path);

// The container test and the directory read of a file, with a message for the user when the
// file cannot be used.
struct LoadedContainer {
    ContainerStatus status = ContainerStatus::CannotOpen;
    GobDirectory directory;
    std::string error;
};
LoadedContainer LoadContainer(const std::filesystem::path& path);

// The container test of a file, its directory not yet read: LoadContainer's first half, for a
// reader that walks the entries once with ForEachEntry.
struct OpenedContainer {
    ContainerStatus status = ContainerStatus::CannotOpen;
    std::string error;
    std::optional<FileSource> source;
    ContainerHeader header;
    std::size_t entries = 0;  // what the directory read will give
};
OpenedContainer OpenContainer(const std::filesystem::path& path);

// One entry's bytes from a container file, at most limit of them; nothing when the file
// cannot be opened.
std::optional<std::string> ReadEntryFromFile(const std::filesystem::path& path,
                                             const GobEntry& entry,
                                             std::uint64_t limit = UINT64_MAX);

std::string CannotOpenMessage(const std::filesystem::path& path);

// The index of the first entry whose name equals name ignoring ASCII letter case.
std::optional<std::size_t> FindEntry(const GobDirectory& directory, std::string_view name);

// The file-name part of an entry name: what follows its last backslash or slash.
std::string_view FileNamePart(std::string_view name);

struct ContainerEntry {
    std::string name;  // path inside the container, folders separated by backslashes
    std::string bytes;
};

// A GOB/GOO container of these entries: "GOB ", 20, 12, the count, the directory, then the
// entries' bytes. Names are cut to 127 bytes.
std::string MakeContainer(const std::vector<ContainerEntry>& entries);

// The header and directory of a container whose entries' data follow the directory in this
// order with nothing between them, as every container made here starts. Each name must be
// shorter than kEntryNameSize and the whole container fit in 2 GB.
struct DirectoryLine {
    std::string_view name;
    std::uint64_t size = 0;
};
std::string ContainerHead(const std::vector<DirectoryLine>& entries);

// The largest container the directory's signed 32-bit offsets can address.
inline constexpr std::uint64_t kLargestContainer = INT32_MAX;

// The directory as `skerry-cli gob list` prints it: index, offset, size and name, a tab
// between them, a line each, handed to write a few kilobytes at a time.
void WriteListing(ByteSource& source, std::int32_t count,
                  const std::function<void(std::string_view)>& write);

// The colormap entries (".cmp" in any letter case), in directory order.
std::vector<std::size_t> ColormapEntries(const GobDirectory& directory);

// The first colormap entry whose file name or whole name is name, ignoring letter case.
std::optional<std::size_t> FindColormapEntry(const GobDirectory& directory, std::string_view name);

}  // namespace skerry
