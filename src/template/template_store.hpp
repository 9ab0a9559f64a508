#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.hpp"
#include "template/template_line.hpp"

namespace skerry {

inline constexpr std::size_t kTemplateCapacity = 1000;
inline constexpr std::size_t kDescendantCapacity = 400;
// The picker offers names from the first 999 templates and the first 399 descendants.
inline constexpr std::size_t kOfferedTemplates = 999;
inline constexpr std::size_t kOfferedDescendants = 399;

inline constexpr std::string_view kMissingTplFileMessage = "Cannot find Jed Tpl file";

// Names, parents and whole lines of the non-comment lines of one template file.
template <std::size_t N>
struct TemplateRecords {
    std::array<std::string, N> name;
    std::array<std::string, N> parent;
    std::array<std::string, N> line;

    void Clear() {
        name.fill({});
        parent.fill({});
        line.fill({});
    }
};
// The template table of one scanned file (TTPLRec) and the descendant table of one base
// template (TWeaponRec).
using TemplateTable = TemplateRecords<kTemplateCapacity>;
using DescendantTable = TemplateRecords<kDescendantCapacity>;

struct ScanResult {
    enum class Status { Read, Missing, Unreadable } status = Status::Read;
    bool truncated = false;  // more template lines than the table holds; the rest are unused
    std::string error;       // for Unreadable: what went wrong, naming the file
};

// The template table of the file scanned last, the descendant table of the last search, the
// fields of the template found last by name.
class TemplateStore {
  public:
    // Fills the template table from a file. A missing file leaves the table as it was. A
    // level (.jkl) gives the lines of its templates section.
    ScanResult Scan(const std::string& path);
    // Fills the template table from the bytes of a template file.
    ScanResult ScanBytes(std::string_view bytes);

    // Finds the last entry of that name; its fields become the found-template fields.
    std::optional<std::string> Lookup(std::string_view name);

    // Fills the descendant table with base first, then its children in file order, then
    // every deeper descendant once, breadth first.
    void SearchDescendants(std::string_view base);

    // The non-empty names the picker offers, in table order.
    std::vector<std::string> OfferedTemplateNames() const;
    std::vector<std::string> OfferedDescendantNames() const;

    const TemplateTable& Templates() const { return templates_; }
    const DescendantTable& Descendants() const { return descendants_; }
    const Fields& FoundFields() const { return found_; }
    // Counts the scans, so that what is made of the table can tell when to make it again.
    std::uint64_t Generation() const { return generation_; }

  private:
    TemplateTable templates_;
    DescendantTable descendants_;
    Fields found_;
    std::uint64_t generation_ = 0;
};

}  // namespace skerry
