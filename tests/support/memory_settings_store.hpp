#pragma once

#include <map>
#include <string>

#include "settings/settings_store.hpp"

namespace skerry::testing {

// A settings store in memory. Values can be made unreadable (as a value that is not text
// would be) and writing can be made to fail.
class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view name) override {
        const auto it = values.find(std::string(name));
        if (it == values.end() || unreadable.count(it->first) != 0) {
            return std::nullopt;
        }
        return it->second;
    }
    bool Write(std::string_view name, const std::string& value) override {
        ++writes;
        if (failWrites) {
            return false;
        }
        values[std::string(name)] = value;
        return true;
    }
    std::string Location() const override { return "the test store"; }

    std::map<std::string, std::string> values;
    std::map<std::string, bool> unreadable;
    bool failWrites = false;
    int writes = 0;
};

}  // namespace skerry::testing
