#include "editors/vector_text.hpp"

#include <gtest/gtest.h>

namespace skerry {
namespace {

std::vector<std::string> All(const VectorFields& fields) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < VectorFields::kFieldCount; ++i) {
        texts.push_back(fields.Text(static_cast<VectorFields::Field>(i)));
    }
    return texts;
}

TEST(VectorFields, EmptyCellResetsAllSixFieldsInBothModes) {
    VectorFields fields;
    for (const bool vectorMode : {true, false}) {
        fields.Read("(1/2/3:4/5/6)", false);
        fields.Read("", vectorMode);
        EXPECT_EQ(All(fields), std::vector<std::string>(6, "0.0"));
    }
    EXPECT_EQ(fields.Total(), "(0.0/0.0/0.0:0.0/0.0/0.0)");
}

TEST(VectorFields, ComponentsStayTextExactlyAsWritten) {
    VectorFields fields;
    fields.Read("(1/2/3:90/0/45)", false);
    EXPECT_EQ(All(fields), (std::vector<std::string>{"1", "2", "3", "90", "0", "45"}));
    fields.Read("( 1 / -2 / 3 ) trailing", true);  // blanks kept, the tail ignored
    EXPECT_EQ(fields.Total(), "( 1 / -2 / 3 )");
    EXPECT_EQ(fields.Text(VectorFields::Pitch), "90");  // kept, but not in a vector

    EXPECT_TRUE(fields.SetText(VectorFields::Y, "abc"));
    EXPECT_EQ(fields.Total(), "( 1 /abc/ 3 )");
    EXPECT_FALSE(fields.SetText(VectorFields::Y, "abc"));
}

// A missing closer is never searched for past the end: its component takes the rest of the
// text and the components after it are empty.
TEST(VectorFields, MissingSeparatorTakesTheRestAndEmptiesTheFollowers) {
    VectorFields fields;
    fields.Read("(1/2/3)", false);  // a vector text read as a frame: no ":"
    EXPECT_EQ(All(fields), (std::vector<std::string>{"1", "2", "3)", "", "", ""}));
    EXPECT_EQ(fields.Total(), "(1/2/3)://)");

    const std::string buffer = "(1/2/3)";  // the cell ends where the view ends
    fields.Read(std::string_view(buffer).substr(0, 4), true);
    EXPECT_EQ(fields.Total(), "(1/2/)");
    fields.Read("(", true);
    EXPECT_EQ(fields.Total(), "(//)");

    // Each search starts one past the component's first character.
    fields.Read("(//)", true);
    EXPECT_EQ(fields.Total(), "(//)/)");
}

}  // namespace
}  // namespace skerry
