#include "template/template_line.hpp"

#include <gtest/gtest.h>

#include <array>

#include "template/catalogue.hpp"
#include "template/open_template.hpp"

namespace skerry {
namespace {

TEST(TemplateLine, TabConversionKeepsLength) {
    EXPECT_EQ(TabConvert("abc\tnone\ttype=actor"), "abc none type=actor");
    EXPECT_EQ(TabConvert("\t\t"), "  ");
    EXPECT_EQ(TabConvert(""), "");
}

TEST(TemplateLine, FieldSplit) {
    Fields f = SplitFields(TabConvert("abc\tnone\ttype=actor"));
    EXPECT_EQ(f[0], "abc");
    EXPECT_EQ(f[1], "none");
    EXPECT_EQ(f[2], "type=actor");
    EXPECT_EQ(f[3], "");

    EXPECT_EQ(SplitFields("a  b"), SplitFields("a b"));

    f = SplitFields(" lead word");
    EXPECT_EQ(f[0], "");
    EXPECT_EQ(f[1], "lead");
    EXPECT_EQ(f[2], "word");

    f = SplitFields("a b   ");
    EXPECT_EQ(f[1], "b");
    EXPECT_EQ(f[2], "");
}

TEST(TemplateLine, FieldViewsCutOnlyAsManyAsAsked) {
    std::array<std::string_view, 3> fields = {"x", "y", "z"};
    FieldViews("name  parent type=actor", std::span(fields).first(2));
    EXPECT_EQ(fields[0], "name");
    EXPECT_EQ(fields[1], "parent");
    EXPECT_EQ(fields[2], "z");

    fields = {"x", "y", "z"};
    FieldViews("alone", fields);  // fields the line lacks stay as they were
    EXPECT_EQ(fields[0], "alone");
    EXPECT_EQ(fields[1], "y");

    FieldViews("", fields);
    EXPECT_EQ(fields[0], "");
}

TEST(TemplateLine, FieldSplitKeepsOnlyFiftyFields) {
    std::string line;
    for (int i = 0; i < 60; ++i) {
        line += "f" + std::to_string(i) + " ";
    }
    const Fields f = SplitFields(line);
    EXPECT_EQ(f[49], "f49");
}

TEST(TemplateLine, ParameterSplit) {
    ParamSplit s = SplitParameter("rate=a=b");
    EXPECT_EQ(s.name, "rate");
    EXPECT_EQ(s.value, "a=b");
    EXPECT_TRUE(s.hasEquals);

    s = SplitParameter("type=");
    EXPECT_EQ(s.name, "type");
    EXPECT_EQ(s.value, "");
    EXPECT_TRUE(s.hasEquals);

    s = SplitParameter("=x=y");  // the first character is always part of the name
    EXPECT_EQ(s.name, "=x");
    EXPECT_EQ(s.value, "y");

    EXPECT_FALSE(SplitParameter("word").hasEquals);
    EXPECT_FALSE(SplitParameter("=").hasEquals);
    EXPECT_FALSE(SplitParameter("").hasEquals);
}

TEST(TemplateLine, RemovePlus) {
    EXPECT_EQ(RemovePlus("+ model3d"), "model3d");
    EXPECT_EQ(RemovePlus("+ "), "");
    EXPECT_EQ(RemovePlus("x"), "");
}

TEST(TemplateLine, ComposeSkipsEmptyValuesAndDropsTheMark) {
    ParamGrid grid;
    LoadGridMain(grid, "player");
    // Values are written exactly as typed, blanks included.
    FillParameters(
        grid, {{"health", "100", true}, {"model3d", "ky.3do", true}, {"size", "0.5 0.6", true}});
    EXPECT_EQ(ComposeLine("mytpl", "basetpl", grid),
              "mytpl" + std::string(12, ' ') + "basetpl" + std::string(10, ' ') +
                  " type=player size=0.5 0.6 model3d=ky.3do health=100");
}

TEST(TemplateLine, ComposeOfPlaceholdersOnly) {
    ParamGrid grid;
    const std::string line = ComposeLine("Tpl Name", "Based On", grid);
    EXPECT_EQ(line.size(), 34u);
    EXPECT_EQ(line, "Tpl Name" + std::string(9, ' ') + "Based On" + std::string(9, ' '));
}

TEST(TemplateLine, LongNameStaysItsOwnField) {
    ParamGrid grid;
    LoadGridMain(grid, "ghost");
    const std::string name(17, 'n');
    const std::string parent(20, 'p');
    const Fields f = SplitFields(ComposeLine(name, parent, grid));
    EXPECT_EQ(f[0], name);
    EXPECT_EQ(f[1], parent);
    EXPECT_EQ(f[2], "type=ghost");
}

}  // namespace
}  // namespace skerry
