#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skerry {

// The fields whose value names another template the game builds from this one.
inline constexpr std::string_view kReferenceParams[] = {
    "weapon", "weapon2", "explode", "creatething", "debris", "trailthing", "fleshhit"};

// Whether a parameter name is one of those, in any letter case.
bool IsReferenceParam(std::string_view name);

// A name that stands for no template: empty, or "none" in any letter case.
bool NamesNoTemplate(std::string_view name);

// The templates a line needs, in the order the game meets them: its parent, then the
// templates its reference fields name, in field order. Names that stand for none are left out.
// The line is tab-converted.
std::vector<std::string_view> NeededTemplates(std::string_view line);

// The template lines of one file by name, as views into its bytes (tabs as they stand): every
// line the template scan takes, named by its first field.
class TemplateIndex {
  public:
    explicit TemplateIndex(std::string_view bytes);

    // The line of that name, ignoring letter case as the game does; of several, the last, as
    // Open finds it.
    std::optional<std::string_view> Find(std::string_view name) const;
    std::size_t Size() const { return lines_.size(); }

  private:
    std::unordered_map<std::string, std::string_view> lines_;  // by the name in lower case
};

}  // namespace skerry
