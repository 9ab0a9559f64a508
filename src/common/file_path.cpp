#include "common/file_path.hpp"

#ifdef _WIN32
#include <windows.h>
// windows.h comes first: shellapi.h needs its types.
#include <shellapi.h>
#endif

namespace skerry {

std::filesystem::path PathFromUtf8(std::string_view text) {
    // A char8_t source is UTF-8 by the standard's rule, on every system.
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::vector<std::filesystem::path> PathsFromUtf8(const std::vector<std::string>& texts) {
    std::vector<std::filesystem::path> paths;
    paths.reserve(texts.size());
    for (const std::string& text : texts) {
        paths.push_back(PathFromUtf8(text));
    }
    return paths;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 0; i < count; ++i) {
            arguments.push_back(Utf8Of(std::filesystem::path(wide[i])));
        }
        LocalFree(wide);
        return arguments;
    }
#endif
    for (int i = 0; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

}  // namespace skerry
