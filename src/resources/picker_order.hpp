#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// The order of the picker's visible list: ASCII letter case ignored, ties in byte order, so
// "Crate" and "crate" stand together and the list reads the same on every platform.
bool PickerNameLess(std::string_view a, std::string_view b);

// Where name goes in a list already in picker order (after any equal names).
std::size_t PickerInsertPosition(const std::vector<std::string>& sorted, std::string_view name);

// Adds names to a list already in picker order. A name equal to one listed goes after it, and
// equal names among those added keep their order.
void AddInPickerOrder(std::vector<std::string>& listed, std::vector<std::string> names);

}  // namespace skerry
