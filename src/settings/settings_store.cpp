#include "settings/settings_store.hpp"

#include <algorithm>

namespace skerry {

std::string WithPlatformSeparators(std::string path) {
    std::replace_if(
        path.begin(), path.end(), [](char c) { return c == '/' || c == '\\'; }, kDirSeparator);
    return path;
}

void LoadStoredPaths(Settings& settings, SettingsStore& store) {
    auto read = [&store](std::string_view name) {
        return WithPlatformSeparators(store.Read(name).value_or(std::string()));
    };
    settings.jedTplPath = read(kJedValue);
    settings.jkDir = WithTrailingSeparator(read(kJkValue));
    settings.motsDir = WithTrailingSeparator(read(kMotsValue));
}

std::vector<std::string> MissingPathMessages(const Settings& settings) {
    std::vector<std::string> messages;
    if (settings.jedTplPath.empty()) {
        messages.emplace_back(kSetDirectoriesMessage);
    }
    if (settings.jkDir.empty()) {
        messages.emplace_back(kSetJkDirectoryMessage);
    }
    return messages;
}

std::optional<std::string> ApplyBrowsedFile(Settings& settings, SettingsStore& store,
                                            BrowsedPath which, const std::string& chosenFile) {
    const std::string file = WithPlatformSeparators(chosenFile);
    std::string* setting = nullptr;
    std::string_view name;
    std::string value;
    switch (which) {
        case BrowsedPath::JedTemplate:
            setting = &settings.jedTplPath;
            name = kJedValue;
            value = file;
            break;
        case BrowsedPath::JkContainer:
            setting = &settings.jkDir;
            name = kJkValue;
            value = FolderOf(file);
            break;
        case BrowsedPath::MotsContainer:
            setting = &settings.motsDir;
            name = kMotsValue;
            value = FolderOf(file);
            break;
    }
    *setting = value;
    settings.restartNeeded = true;
    if (!store.Write(name, value)) {
        return "The " + std::string(name) +
               " setting applies to this run but could not be saved to " + store.Location() + ".";
    }
    return std::nullopt;
}

}  // namespace skerry
