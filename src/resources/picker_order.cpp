#include "resources/picker_order.hpp"

#include <algorithm>

#include "common/names.hpp"

namespace skerry {

bool PickerNameLess(std::string_view a, std::string_view b) {
    // One pass: the first byte that differs once case is folded decides; when none does the
    // shorter name goes first, and names equal but for case fall back to byte order.
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldAscii(a[i]);
        const unsigned char y = FoldAscii(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

std::size_t PickerInsertPosition(const std::vector<std::string>& sorted, std::string_view name) {
    const auto at = std::upper_bound(sorted.begin(), sorted.end(), name,
                                     [](std::string_view value, const std::string& element) {
                                         return PickerNameLess(value, element);
                                     });
    return static_cast<std::size_t>(at - sorted.begin());
}

void AddInPickerOrder(std::vector<std::string>& listed, std::vector<std::string> names) {
    // Only the new names are sorted; merging them in keeps each call linear in what is
    // listed, where sorting everything again would not be.
    auto less = [](const std::string& a, const std::string& b) { return PickerNameLess(a, b); };
    std::stable_sort(names.begin(), names.end(), less);
    const auto middle = static_cast<std::ptrdiff_t>(listed.size());
    listed.insert(listed.end(), std::make_move_iterator(names.begin()),
                  std::make_move_iterator(names.end()));
    std::inplace_merge(listed.begin(), listed.begin() + middle, listed.end(), less);
}

}  // namespace skerry
