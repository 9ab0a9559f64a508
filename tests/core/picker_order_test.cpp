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
    EXPECT_TRUE(PickerNameLess("a", "AB"));  // case is folded before length counts
    EXPECT_TRUE(PickerNameLess("AB", "ab"));
    EXPECT_TRUE(PickerNameLess("ab_", "abc"));
    EXPECT_TRUE(PickerNameLess("abz", "ab\xe9"));
}

TEST(PickerOrder, InsertPositionKeepsOrder) {
    const std::vector<std::string> sorted = {"a", "c", "c", "e"};
    EXPECT_EQ(PickerInsertPosition(sorted, "b"), 1u);
    EXPECT_EQ(PickerInsertPosition(sorted, "c"), 3u);
    EXPECT_EQ(PickerInsertPosition(sorted, "z"), 4u);
}

TEST(PickerOrder, NamesAddedInTurnsEndInOneOrder) {
    // As the .ai, .ai0 and .ai2 rows list theirs: three additions, equal names and names
    // that differ only in case among them.
    const std::vector<std::vector<std::string>> turns = {
        {"zeta.ai", "Alpha.ai", "alpha.ai", "mid.ai"},
        {"beta.ai0", "ALPHA.ai", "zeta.ai"},
        {},
        {"a", "_first.ai2", "mid.ai"},
    };
    std::vector<std::string> listed;
    std::vector<std::string> everything;
    for (const std::vector<std::string>& names : turns) {
        AddInPickerOrder(listed, names);
        everything.insert(everything.end(), names.begin(), names.end());
    }
    std::sort(everything.begin(), everything.end(),
              [](const std::string& a, const std::string& b) { return PickerNameLess(a, b); });
    EXPECT_EQ(listed, everything);
    EXPECT_EQ(listed.front(), "_first.ai2");
    EXPECT_EQ(listed.back(), "zeta.ai");
}

}  // namespace
}  // namespace skerry
