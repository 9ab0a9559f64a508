#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace skerry {

// Where the readers get their bytes: a file on disk, or bytes already in memory (tests,
// fuzzing, an entry inside a container). Reads never go past the end: a read that asks for
// more than exists gives what exists.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Up to count bytes from offset; fewer (or none) where the source ends first.
    virtual std::string ReadAt(std::uint64_t offset, std::uint64_t count) = 0;
    // The same into out, which holds count bytes; how many were read.
    virtual std::uint64_t ReadInto(std::uint64_t offset, char* out, std::uint64_t count) = 0;
};

class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::string ReadAt(std::uint64_t offset, std::uint64_t count) override;
    std::uint64_t ReadInto(std::uint64_t offset, char* out, std::uint64_t count) override;

  private:
    std::string_view bytes_;
};

// Appends value as ByteReader::I32 reads it back: four bytes, least significant first.
void AppendLe32(std::string& out, std::uint32_t value);

// A file opened for reading only, for the life of this object.
class FileSource : public ByteSource {
  public:
    // Nothing when the file cannot be opened.
    static std::optional<FileSource> Open(const std::filesystem::path& path);
    // The same for a path a folder listing has just found to be a plain file, without the
    // check for a folder that costs a call to the file system each. Should it have become a
    // folder since, its size is not what the listing said and nothing can be read from it.
    static std::optional<FileSource> OpenListed(const std::filesystem::path& path);

    std::uint64_t Size() const override { return size_; }
    std::string ReadAt(std::uint64_t offset, std::uint64_t count) override;
    std::uint64_t ReadInto(std::uint64_t offset, char* out, std::uint64_t count) override;

  private:
    FileSource(std::ifstream in, std::uint64_t size) : in_(std::move(in)), size_(size) {}

    std::ifstream in_;
    std::uint64_t size_;
    // Where the stream stands after the last whole read: a read from there needs no seek,
    // which costs a call to the system each.
    std::uint64_t next_ = UINT64_MAX;
};

// Little-endian fields of a byte block; a field the block does not hold whole is nothing.
class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    bool Holds(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::optional<std::int32_t> I32(std::uint64_t offset) const;
    // The bytes from offset on, at most count of them.
    std::string_view Span(std::uint64_t offset, std::uint64_t count) const;

  private:
    std::string_view bytes_;
};

}  // namespace skerry
