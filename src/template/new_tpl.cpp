#include "template/new_tpl.hpp"

#include <array>
#include <fstream>
#include <system_error>

#include "template/template_file.hpp"
#include "template/template_line.hpp"

namespace skerry {

RebuiltTemplateFile RebuildTemplateFile(std::string_view source, std::string_view name,
                                        std::string_view line) {
    RebuiltTemplateFile file;
    file.bytes.reserve(source.size() + line.size() + 64);
    ForEachTemplateLine(source, [&](std::string_view raw) {
        const std::size_t at = file.bytes.size();
        file.bytes += raw;
        TabConvertTail(file.bytes, at);
        std::array<std::string_view, 1> first;
        FieldViews(std::string_view(file.bytes).substr(at), first);
        if (first[0] == name) {
            file.bytes.resize(at);
            file.bytes += line;
            file.replaced = true;
        }
        file.bytes += kLineEnd;
    });
    return file;
}

void AppendNewTemplate(RebuiltTemplateFile& file, std::string_view description,
                       std::string_view line) {
    file.bytes += kDescriptionPrefix;
    file.bytes += description;
    file.bytes += kLineEnd;
    file.bytes += line;
    file.bytes += kLineEnd;
}

std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files) {
    std::error_code ec;
    auto temporary = [](const std::filesystem::path& path) {
        std::filesystem::path part = path;
        part += ".part";
        return part;
    };
    auto discard = [&](std::size_t written) {
        for (std::size_t i = 0; i < written; ++i) {
            std::filesystem::remove(temporary(files[i].path), ec);
        }
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::ofstream out(temporary(files[i].path), std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(files[i].bytes.data(), static_cast<std::streamsize>(files[i].bytes.size()));
            out.close();
        }
        if (!out) {
            discard(i + 1);
            return "Cannot create file " + files[i].path.string();
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::filesystem::rename(temporary(files[i].path), files[i].path, ec);
        if (ec) {
            return "Cannot create file " + files[i].path.string();
        }
    }
    return std::nullopt;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    if (ec)
        return a == b;
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    if (ec)
        return a == b;
    return canonicalA == canonicalB;
}

}  // namespace skerry
