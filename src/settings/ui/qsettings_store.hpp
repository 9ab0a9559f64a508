#pragma once

#include <QSettings>

#include "settings/settings_store.hpp"

namespace skerry::ui {

// The paths kept through QSettings: on Windows the registry key
// HKEY_CURRENT_USER\SOFTWARE\Harrowmoor\SKERRY, elsewhere the per-user file that QSettings
// keeps for Harrowmoor/SKERRY.
class QSettingsStore : public SettingsStore {
  public:
    QSettingsStore();
    // Keeps the paths in the given settings file instead: for runs that must never touch
    // the user's own settings.
    explicit QSettingsStore(const QString& file);

    std::optional<std::string> Read(std::string_view name) override;
    bool Write(std::string_view name, const std::string& value) override;
    bool WriteAll(const std::vector<std::pair<std::string, std::string>>& values) override;
    std::string Location() const override;

  private:
    void CreateFile();

    QSettings settings_;
};

}  // namespace skerry::ui
