#include "template/template_file.hpp"

#include <fstream>
#include <system_error>

#include "template/new_tpl.hpp"

namespace skerry {

std::vector<std::string> SplitTemplateLines(std::string_view bytes) {
    constexpr char kCtrlZ = 26;
    if (const std::size_t end = bytes.find(kCtrlZ); end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

FileBytes ReadFileBytes(const std::filesystem::path& path) {
    FileBytes result;
    std::error_code ec;
    std::ifstream in;
    // A folder opens as a stream here and fails only at the first read.
    if (!std::filesystem::is_directory(path, ec)) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        result.error = "Cannot open file " + path.string();
        return result;
    }
    std::string bytes;
    char buffer[1 << 16];
    // read() turns a failing read into badbit; the stream buffer on its own would throw.
    while (in.read(buffer, sizeof buffer), in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        result.error = "Cannot read file " + path.string();
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

std::optional<std::string> WriteFileWhole(const std::filesystem::path& path,
                                          std::string_view bytes) {
    return WriteFilesTogether({{path, std::string(bytes)}});
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace skerry
