#include "template/template_file.hpp"

#include <fstream>
#include <iterator>
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "Cannot open file " + path.string();
        return result;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
