#include "resources/picker_order.hpp"

#include <algorithm>

namespace skerry {

namespace {

unsigned char FoldAscii(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

}  // namespace

bool PickerNameLess(std::string_view a, std::string_view b) {
    const auto folded =
        std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                     [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
    if (folded) {
        return true;
    }
    const auto foldedReverse =
        std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                     [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
    if (foldedReverse) {
        return false;
    }
    // Equal when case is ignored: plain unsigned byte order decides.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
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
    listed.insert(listed.end(), std::make_move_iterator(names.begin()),
                  std::make_move_iterator(names.end()));
    std::stable_sort(listed.begin(), listed.end(), [](const std::string& a, const std::string& b) {
        return PickerNameLess(a, b);
    });
}

}  // namespace skerry
