#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings.hpp"

namespace skerry {

// The names under which the three paths are kept.
inline constexpr std::string_view kJedValue = "Jed";
inline constexpr std::string_view kJkValue = "JK";
inline constexpr std::string_view kMotsValue = "MOTS";

// The windows' sizes and places and the picker's last choices, in a group of their own so
// that the three paths keep their names and meaning.
inline constexpr std::string_view kMainGeometryValue = "Windows/MainWindow";
inline constexpr std::string_view kMainSplitterValue = "Windows/MainSplitter";
inline constexpr std::string_view kPickerGeometryValue = "Windows/Picker";
inline constexpr std::string_view kPickerSplittersValue = "Windows/PickerSplitters";
inline constexpr std::string_view kPickerContainerValue = "Windows/PickerContainer";
inline constexpr std::string_view kPickerColormapValue = "Windows/PickerColormap";

// Where the three paths persist between runs (the registry on Windows, a per-user file
// elsewhere). The windows supply the real one; tests supply their own.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The text of a value; nothing when it is missing, is not text, or cannot be read.
    virtual std::optional<std::string> Read(std::string_view name) = 0;
    // False when the value could not be saved.
    virtual bool Write(std::string_view name, const std::string& value) = 0;
    // Several values, saved together where the store can (one rewrite of the settings file);
    // false when any could not be saved.
    virtual bool WriteAll(const std::vector<std::pair<std::string, std::string>>& values) {
        bool saved = true;
        for (const auto& [name, value] : values) {
            saved = Write(name, value) && saved;
        }
        return saved;
    }
    // Where the values are kept, for messages.
    virtual std::string Location() const = 0;
};

// Reads the three paths into settings (an unset value leaves its setting empty) and gives
// them the platform's separators, directories ending in one.
void LoadStoredPaths(Settings& settings, SettingsStore& store);

inline constexpr std::string_view kSetDirectoriesMessage = "Please Set Directories in Options";
inline constexpr std::string_view kSetJkDirectoryMessage =
    "JediKnight directory must be set in Options";
inline constexpr std::string_view kRestartMessage = "You Must Restart SKERRY ";

// The messages start-up shows about unset paths, in order.
std::vector<std::string> MissingPathMessages(const Settings& settings);

// The three paths the browse buttons choose.
enum class BrowsedPath { JedTemplate, JkContainer, MotsContainer };

// Takes a file the user chose: the Jed template file is kept whole, a container gives its
// folder. The path applies at once and is saved; when saving fails the returned message
// says so, naming the value. Marks that a restart is needed either way.
std::optional<std::string> ApplyBrowsedFile(Settings& settings, SettingsStore& store,
                                            BrowsedPath which, const std::string& chosenFile);

// The path with every separator of either kind turned into the platform's own.
std::string WithPlatformSeparators(std::string path);

}  // namespace skerry
