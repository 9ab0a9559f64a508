#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/settings_store.hpp"

namespace skerry {

// A template opened or saved lately, with the template file it lives in.
struct RecentTemplate {
    std::string name;
    std::string file;

    friend bool operator==(const RecentTemplate&, const RecentTemplate&) = default;
};

// File > Open Recent: the templates opened or saved last, newest first. They are kept in the
// settings store under values of their own ("Recent/1/Name", "Recent/1/File"...), apart
// from the three stored paths.
class RecentTemplates {
  public:
    static constexpr std::size_t kCapacity = 8;

    // Reads the list; entries without a name or a file are skipped.
    void Load(SettingsStore& store);
    // Writes the list, emptying the slots it no longer fills; false when the store failed.
    bool Save(SettingsStore& store) const;

    // Puts the template first, once, and drops the oldest beyond the capacity.
    void Add(const RecentTemplate& recent);
    void Remove(const RecentTemplate& recent);

    const std::vector<RecentTemplate>& Items() const { return items_; }

  private:
    std::vector<RecentTemplate> items_;
};

}  // namespace skerry
