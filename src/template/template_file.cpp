#include "template/template_file.hpp"

#include <fstream>
#include <iterator>
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
