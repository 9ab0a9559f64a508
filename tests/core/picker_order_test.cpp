#include "resources/picker_order.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace skerry {
namespace {

TEST(PickerOrder, IgnoresAsciiCaseThenUsesBytes) {
    std::vector<std::string> names = {"crate", "Bryar", "_weapon", "Crate", "apple", "\xe9t\xe9"};
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return PickerNameLess(a, b);
    });
    EXPECT_EQ(names, (std::vector<std::string>{"_weapon", "apple", "Bryar", "Crate", "crate",
                                               "\xe9t\xe9"}));
}

TEST(PickerOrder, IsAStrictOrder) {
    EXPECT_FALSE(PickerNameLess("a", "a"));
    EXPECT_TRUE(PickerNameLess("a", "ab"));
    EXPECT_FALSE(PickerNameLess("ab", "a"));
    EXPECT_TRUE(PickerNameLess("A", "a"));
    EXPECT_FALSE(PickerNameLess("a", "A"));
}

TEST(PickerOrder, InsertPositionKeepsOrder) {
    const std::vector<std::string> sorted = {"a", "c", "c", "e"};
    EXPECT_EQ(PickerInsertPosition(sorted, "b"), 1u);
    EXPECT_EQ(PickerInsertPosition(sorted, "c"), 3u);
    EXPECT_EQ(PickerInsertPosition(sorted, "z"), 4u);
}

}  // namespace
}  // namespace skerry
