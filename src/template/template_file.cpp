#include "template/template_file.hpp"

#include <fstream>
#include <system_error>

#include "template/new_tpl.hpp"

namespace skerry {

std::vector<std::string> SplitTemplateLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachTemplateLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
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
