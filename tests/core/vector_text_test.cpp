#include "editors/vector_text.hpp"

#include <gtest/gtest.h>

namespace skerry {
namespace {

using F = VectorFields::Field;

std::vector<std::string> All(const VectorFields& fields) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < VectorFields::kFieldCount; ++i) {
        texts.push_back(fields.Text(static_cast<F>(i)));
    }
    return texts;
}

TEST(VectorFields, EmptyCellResetsEverySixFieldInBothModes) {
    VectorFields fields;
    fields.Read("(1/2/3:4/5/6)", false);
    fields.Read("", true);
    EXPECT_EQ(All(fields), std::vector<std::string>(6, "0.0"));
    EXPECT_EQ(fields.Total(), "(0.0/0.0/0.0)");

    fields.Read("(1/2/3:4/5/6)", false);
    fields.Read("", false);
    EXPECT_EQ(fields.Total(), "(0.0/0.0/0.0:0.0/0.0/0.0)");
}

TEST(VectorFields, ReadsBothFormsAndComposesThemBack) {
    VectorFields fields;
    fields.Read("(1.5/-2/30)", true);
    EXPECT_EQ(fields.Text(F::X), "1.5");
    EXPECT_EQ(fields.Text(F::Y), "-2");
    EXPECT_EQ(fields.Text(F::Z), "30");
    EXPECT_EQ(fields.Total(), "(1.5/-2/30)");

    fields.Read("(1/2/3:90/0/45)", false);
    EXPECT_EQ(All(fields), (std::vector<std::string>{"1", "2", "3", "90", "0", "45"}));
    EXPECT_EQ(fields.Total(), "(1/2/3:90/0/45)");

    fields.Read("(7/8/9) trailing", true);  // nothing after the closing bracket counts
    EXPECT_EQ(fields.Total(), "(7/8/9)");
}

TEST(VectorFields, ComponentsStayTextAsTyped) {
    VectorFields fields;
    fields.Read("( 1 / 2 / 3 )", true);
    EXPECT_EQ(fields.Text(F::X), " 1 ");
    EXPECT_EQ(fields.Text(F::Y), " 2 ");
    EXPECT_EQ(fields.Text(F::Z), " 3 ");

    fields.Read("(1/0.0/3)", true);
    EXPECT_TRUE(fields.SetText(F::Y, "abc"));
    EXPECT_EQ(fields.Total(), "(1/abc/3)");
    EXPECT_FALSE(fields.SetText(F::Y, "abc"));  // the same text is no change
    EXPECT_TRUE(fields.SetText(F::Y, "1.50"));
    EXPECT_EQ(fields.Total(), "(1/1.50/3)");
}

TEST(VectorFields, VectorReadKeepsTheOrientationOutOfTheResult) {
    VectorFields fields;
    fields.Read("(1/2/3:90/0/45)", false);
    fields.Read("(4/5/6)", true);
    EXPECT_EQ(All(fields), (std::vector<std::string>{"4", "5", "6", "90", "0", "45"}));
    EXPECT_EQ(fields.Total(), "(4/5/6)");
}

// A missing closer is never searched for past the end: its component takes the rest of the
// text and the components after it are empty.
TEST(VectorFields, MissingSeparatorTakesTheRestAndEmptiesTheFollowers) {
    VectorFields fields;
    fields.Read("(1/2/3)", false);  // a vector text read as a frame: no ":"
    EXPECT_EQ(All(fields), (std::vector<std::string>{"1", "2", "3)", "", "", ""}));
    EXPECT_EQ(fields.Total(), "(1/2/3)://)");

    // The cell ends where the view ends, even when more bytes follow in memory.
    const std::string buffer = "(1/2/3)";
    fields.Read(std::string_view(buffer).substr(0, 4), true);
    EXPECT_EQ(All(fields).at(1), "2");
    EXPECT_EQ(fields.Total(), "(1/2/)");

    fields.Read("(", true);
    EXPECT_EQ(fields.Total(), "(//)");
    fields.Read("(1/2/", true);
    EXPECT_EQ(fields.Total(), "(1/2/)");
    fields.Read("(1/2/3:4", false);
    EXPECT_EQ(All(fields), (std::vector<std::string>{"1", "2", "3", "4", "", ""}));
}

TEST(VectorFields, EveryComponentTakesAtLeastOneCharacter) {
    VectorFields fields;
    fields.Read("(//)", true);
    EXPECT_EQ(fields.Text(F::X), "/");
    EXPECT_EQ(fields.Text(F::Y), ")");
    EXPECT_EQ(fields.Text(F::Z), "");
}

}  // namespace
}  // namespace skerry
