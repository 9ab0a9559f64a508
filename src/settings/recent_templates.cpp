#include "settings/recent_templates.hpp"

#include <algorithm>

namespace skerry {

namespace {

std::string Key(std::size_t slot, const char* part) {
    return "Recent/" + std::to_string(slot + 1) + "/" + part;
}

}  // namespace

void RecentTemplates::Load(SettingsStore& store) {
    items_.clear();
    for (std::size_t slot = 0; slot < kCapacity; ++slot) {
        RecentTemplate recent{store.Read(Key(slot, "Name")).value_or(std::string()),
                              store.Read(Key(slot, "File")).value_or(std::string())};
        if (!recent.name.empty() && !recent.file.empty() &&
            std::find(items_.begin(), items_.end(), recent) == items_.end()) {
            items_.push_back(std::move(recent));
        }
    }
}

bool RecentTemplates::Save(SettingsStore& store) const {
    // Every Open and Save comes here: one rewrite of the settings, not one a value.
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t slot = 0; slot < kCapacity; ++slot) {
        const RecentTemplate recent = slot < items_.size() ? items_[slot] : RecentTemplate{};
        values.emplace_back(Key(slot, "Name"), recent.name);
        values.emplace_back(Key(slot, "File"), recent.file);
    }
    return store.WriteAll(values);
}

void RecentTemplates::Add(const RecentTemplate& recent) {
    Remove(recent);
    items_.insert(items_.begin(), recent);
    if (items_.size() > kCapacity) {
        items_.resize(kCapacity);
    }
}

void RecentTemplates::Remove(const RecentTemplate& recent) {
    std::erase(items_, recent);
}

}  // namespace skerry
