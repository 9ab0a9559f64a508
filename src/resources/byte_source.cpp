#include "resources/byte_source.hpp"

#include <algorithm>
#include <system_error>

namespace skerry {

std::string MemorySource::ReadAt(std::uint64_t offset, std::uint64_t count) {
    if (offset >= bytes_.size()) {
        return {};
    }
    const std::uint64_t available = bytes_.size() - offset;
    return std::string(bytes_.substr(static_cast<std::size_t>(offset),
                                     static_cast<std::size_t>(std::min(count, available))));
}

std::uint64_t MemorySource::ReadInto(std::uint64_t offset, char* out, std::uint64_t count) {
    const std::string_view span = ByteReader(bytes_).Span(offset, count);
    std::copy(span.begin(), span.end(), out);
    return span.size();
}

std::optional<FileSource> FileSource::Open(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return std::nullopt;
    }
    return OpenListed(path);
}

std::optional<FileSource> FileSource::OpenListed(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0) {
        return std::nullopt;
    }
    return FileSource(std::move(in), static_cast<std::uint64_t>(end));
}

std::string FileSource::ReadAt(std::uint64_t offset, std::uint64_t count) {
    if (offset >= size_) {
        return {};
    }
    // Never ask for more than the file holds, so a size field from the file cannot make us
    // allocate beyond the file's own size.
    std::string bytes(static_cast<std::size_t>(std::min(count, size_ - offset)), '\0');
    bytes.resize(static_cast<std::size_t>(ReadInto(offset, bytes.data(), bytes.size())));
    return bytes;
}

std::uint64_t FileSource::ReadInto(std::uint64_t offset, char* out, std::uint64_t count) {
    if (offset >= size_) {
        return 0;
    }
    if (offset != next_) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
    }
    const std::uint64_t wanted = std::min(count, size_ - offset);
    in_.read(out, static_cast<std::streamsize>(wanted));
    const auto got = static_cast<std::uint64_t>(std::max<std::streamsize>(in_.gcount(), 0));
    next_ = in_ && got == wanted ? offset + got : UINT64_MAX;
    return got;
}

std::optional<std::int32_t> ByteReader::I32(std::uint64_t offset) const {
    if (!Holds(offset, 4)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) |
                static_cast<unsigned char>(
                    bytes_[static_cast<std::size_t>(offset) + static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(value);
}

void AppendLe32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

std::string_view ByteReader::Span(std::uint64_t offset, std::uint64_t count) const {
    if (offset >= bytes_.size()) {
        return {};
    }
    const std::uint64_t available = bytes_.size() - offset;
    return bytes_.substr(static_cast<std::size_t>(offset),
                         static_cast<std::size_t>(std::min(count, available)));
}

}  // namespace skerry
