#include "template/template_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.hpp"

namespace skerry {
namespace {

std::vector<std::string> NonEmpty(const DescendantTable& table) {
    std::vector<std::string> names;
    for (const std::string& name : table.name) {
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}

TEST(TemplateStore, ScanSkipsCommentsAndCountsBlankLines) {
    TemplateStore store;
    store.ScanBytes(
        "# DESC: a comment\r\n"
        "abc\tnone\ttype=actor\r\n"
        "\r\n"
        " leading none\r\n"
        "remarked none type=item # a remark\r\n"
        "last none\r\n");
    const TemplateTable& t = store.Templates();
    EXPECT_EQ(t.name[0], "abc");
    EXPECT_EQ(t.parent[0], "none");
    EXPECT_EQ(t.line[0], "abc none type=actor");
    EXPECT_EQ(t.name[1], "");  // the blank line takes an entry
    EXPECT_EQ(t.name[2], "");  // so does a line that begins with a space
    EXPECT_EQ(t.parent[2], "leading");
    EXPECT_EQ(t.name[3], "last");  // the remarked line is skipped whole
    EXPECT_EQ(store.OfferedTemplateNames(), (std::vector<std::string>{"abc", "last"}));
    EXPECT_FALSE(store.Lookup("remarked"));
}

TEST(TemplateStore, LfOnlyFilesAreReadLineByLine) {
    TemplateStore store;
    store.ScanBytes("a none\nb a\n");
    EXPECT_EQ(store.OfferedTemplateNames(), (std::vector<std::string>{"a", "b"}));
}

TEST(TemplateStore, ScanClearsThePreviousFile) {
    TemplateStore store;
    store.ScanBytes("a none\r\nb\tparent\ttype=item\r\n");
    store.ScanBytes("c none\r\n");
    EXPECT_EQ(store.OfferedTemplateNames(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(store.Templates().line[0], "c none");
    EXPECT_EQ(store.Templates().parent[1], "");
    EXPECT_EQ(store.Templates().line[1], "");
    EXPECT_FALSE(store.Lookup("b"));
}

TEST(TemplateStore, CapacityIsKeptAndReported) {
    std::string bytes;
    for (int i = 0; i < 1005; ++i) {
        bytes += "t" + std::to_string(i) + " none\r\n";
    }
    TemplateStore store;
    const ScanResult result = store.ScanBytes(bytes);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(store.Templates().name[999], "t999");
    // The picker offers the first 999.
    const auto offered = store.OfferedTemplateNames();
    ASSERT_EQ(offered.size(), 999u);
    EXPECT_EQ(offered.back(), "t998");
    EXPECT_FALSE(store.Lookup("t1000"));

    EXPECT_FALSE(store.ScanBytes("a none\r\n").truncated);
}

TEST(TemplateStore, LookupTakesTheLastOfTheName) {
    TemplateStore store;
    store.ScanBytes("dup none type=actor\r\nother none\r\ndup none type=item\r\n");
    const auto line = store.Lookup("dup");
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "dup none type=item");
    EXPECT_EQ(store.FoundFields()[2], "type=item");

    // A miss returns nothing and keeps the fields of the last find.
    EXPECT_FALSE(store.Lookup("missing"));
    EXPECT_EQ(store.FoundFields()[0], "dup");
}

TEST(TemplateStore, DescendantsBreadthFirst) {
    TemplateStore store;
    store.ScanBytes(
        "_weapon none type=weapon\r\n"
        "gun _weapon\r\n"
        "bigshot gun\r\n"
        "rifle _weapon\r\n"
        "unrelated none\r\n"
        "biggershot bigshot\r\n"
        "scoped rifle\r\n"
        "_weapon none type=item\r\n");
    store.SearchDescendants("_weapon");
    // The base's first entry, its children in file order, then deeper levels.
    EXPECT_EQ(
        NonEmpty(store.Descendants()),
        (std::vector<std::string>{"_weapon", "gun", "rifle", "bigshot", "scoped", "biggershot"}));
    EXPECT_EQ(store.Descendants().line[0], "_weapon none type=weapon");
}

TEST(TemplateStore, DescendantsOfABaseWithoutAnEntry) {
    TemplateStore store;
    store.ScanBytes("a _missing\r\nb a\r\n");
    store.SearchDescendants("_missing");
    EXPECT_EQ(NonEmpty(store.Descendants()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(store.Descendants().name[0], "a");
}

TEST(TemplateStore, DescendantLoopsEndAndDuplicatesAreVisitedOnce) {
    TemplateStore store;
    store.ScanBytes("a b\r\nb a\r\nc a\r\nc a\r\n");
    store.SearchDescendants("a");
    // The direct-children pass keeps both c lines; the walk adds nothing twice and ends
    // although a and b are each other's parent.
    EXPECT_EQ(NonEmpty(store.Descendants()), (std::vector<std::string>{"a", "b", "c", "c"}));
}

TEST(TemplateStore, DescendantCapacityHolds) {
    std::string bytes = "_debris none\r\n";
    for (int i = 0; i < 450; ++i) {
        bytes += "d" + std::to_string(i) + " _debris\r\n";
    }
    TemplateStore store;
    store.ScanBytes(bytes);
    store.SearchDescendants("_debris");
    EXPECT_EQ(store.Descendants().name[399], "d398");
    EXPECT_EQ(store.OfferedDescendantNames().size(), 399u);
}

TEST(TemplateStore, ScanOfAMissingFileKeepsTheTable) {
    TemplateStore store;
    store.ScanBytes("keep none\r\n");
    EXPECT_EQ(store.Scan("/nonexistent/master.tpl").status, ScanResult::Status::Missing);
    EXPECT_EQ(store.Templates().name[0], "keep");
}

TEST(TemplateStore, ScanReadsAFileAndPicksItByMode) {
    const auto dir = testing::UniqueTempPath("skerry_store_test");
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "master.tpl", std::ios::binary) << "jk none\r\n";
    std::ofstream(dir / "mots.tpl", std::ios::binary) << "mots none\r\n";

    Settings settings;
    settings.jedTplPath = (dir / "master.tpl").string();
    settings.workDir = dir.string() + "/";
    TemplateStore store;
    EXPECT_EQ(settings.JedTemplatePath(), settings.jedTplPath);
    settings.jkDialect = false;
    settings.motsDialect = true;
    EXPECT_EQ(settings.JedTemplatePath(), (dir / "mots.tpl").string());
    EXPECT_EQ(store.Scan(settings.JedTemplatePath()).status, ScanResult::Status::Read);
    EXPECT_EQ(store.Templates().name[0], "mots");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace skerry
