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

namespace {

bool WritePlainFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

FileWriter& CurrentWriter() {
    static FileWriter writer = WritePlainFile;
    return writer;
}

std::filesystem::path Temporary(const std::filesystem::path& path) {
    std::filesystem::path part = path;
    part += ".part";
    return part;
}

}  // namespace

FileWriter SetFileWriter(FileWriter writer) {
    FileWriter previous = std::move(CurrentWriter());
    CurrentWriter() = writer ? std::move(writer) : FileWriter(WritePlainFile);
    return previous;
}

std::optional<std::string> WriteFilesTogether(const std::vector<FileWrite>& files) {
    std::error_code ec;
    auto failure = [](const FileWrite& file) { return "Cannot create file " + file.path.string(); };
    // A folder in a target's place would refuse its rename only after the files before it
    // had been replaced, so look before writing anything.
    for (const FileWrite& file : files) {
        if (std::filesystem::is_directory(file.path, ec)) {
            return failure(file);
        }
    }
    std::vector<std::filesystem::path> parts;  // ours, removed unless renamed into place
    auto discard = [&](std::size_t from) {
        for (std::size_t i = from; i < parts.size(); ++i) {
            std::filesystem::remove(parts[i], ec);
        }
    };
    for (const FileWrite& file : files) {
        const std::filesystem::path part = Temporary(file.path);
        // A folder of that name is not ours to remove.
        if (std::filesystem::is_directory(part, ec)) {
            discard(0);
            return failure(file);
        }
        parts.push_back(part);
        if (!CurrentWriter()(part, file.bytes)) {
            discard(0);
            return failure(file);
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::filesystem::rename(parts[i], files[i].path, ec);
        if (ec) {
            discard(i);
            return failure(files[i]);
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
