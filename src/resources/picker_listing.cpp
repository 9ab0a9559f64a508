#include "resources/picker_listing.hpp"

#include <algorithm>
#include <system_error>

#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/gob_container.hpp"
#include "resources/picker_order.hpp"

namespace skerry {

std::string_view FileExtension(std::string_view name) {
    const std::string_view file = FileNamePart(name);
    const std::size_t dot = file.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : file.substr(dot);
}

std::string_view FolderPrefix(std::string_view extension) {
    struct Prefix {
        std::string_view extension, folder;
    };
    static constexpr Prefix kPrefixes[] = {
        {".3do", "3do\\"},       {".key", "3do\\key\\"},  {".cog", "cog\\"},
        {".jkl", "jkl\\"},       {".ai", "misc\\ai\\"},   {".ai0", "misc\\ai\\"},
        {".ai2", "misc\\ai\\"},  {".par", "misc\\par\\"}, {".per", "misc\\per\\"},
        {".pup", "misc\\pup\\"}, {".snd", "misc\\snd\\"}, {".spr", "misc\\spr\\"},
    };
    for (const Prefix& p : kPrefixes) {
        if (p.extension == extension) {
            return p.folder;
        }
    }
    return {};
}

std::vector<std::string> ListEntries(const std::vector<std::string>& entryNames,
                                     std::string_view extension) {
    std::vector<std::string> listed;
    for (const std::string& name : entryNames) {
        const std::string_view entryExtension = FileExtension(name);
        if (entryExtension != extension) {
            continue;
        }
        const bool withFolders = extension == ".mat" || extension == ".wav";
        listed.emplace_back(withFolders ? std::string_view(name) : FileNamePart(name));
    }
    return listed;
}

std::optional<std::size_t> FindName(const std::vector<std::string>& entryNames,
                                    std::string_view name) {
    for (std::size_t i = 0; i < entryNames.size(); ++i) {
        if (EqualsIgnoringCase(entryNames[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ListContainerFiles(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = Utf8Of(entry.path().filename());
        const std::string_view extension = FileExtension(name);
        if ((EqualsIgnoringCase(extension, ".gob") || EqualsIgnoringCase(extension, ".goo")) &&
            entry.is_regular_file(ec)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return PickerNameLess(a, b); });
    return names;
}

}  // namespace skerry
