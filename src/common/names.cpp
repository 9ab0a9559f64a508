#include "common/names.hpp"

#include <algorithm>
#include <system_error>

#include "common/file_path.hpp"

namespace skerry {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(FoldAscii(c));
    }
    return lower;
}

std::string Shown(std::string_view token, std::size_t longest) {
    return token.size() <= longest ? std::string(token)
                                   : std::string(token.substr(0, longest)) + "...";
}

std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& dir,
                                                          std::string_view name) {
    std::error_code ec;
    if (dir.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path exact = dir / PathFromUtf8(name);
    if (std::filesystem::is_regular_file(exact, ec)) {
        return exact;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (EqualsIgnoringCase(Utf8Of(entry.path().filename()), name) &&
            entry.is_regular_file(ec)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& path) {
    std::error_code ec;
    if (path.empty() || std::filesystem::is_regular_file(path, ec)) {
        return path;
    }
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    return FindFileIgnoringCase(dir, Utf8Of(path.filename())).value_or(path);
}

}  // namespace skerry
