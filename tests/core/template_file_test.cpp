#include "template/template_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"

namespace skerry {
namespace {

using Lines = std::vector<std::string>;

TEST(TemplateFile, EveryKindOfLineEndEndsALine) {
    EXPECT_EQ(SplitTemplateLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTemplateLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitTemplateLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitTemplateLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF then CR: two ends
    EXPECT_EQ(SplitTemplateLines(""), Lines{});
    EXPECT_EQ(SplitTemplateLines("\r\n"), (Lines{""}));
}

TEST(TemplateFile, CtrlZEndsTheFile) {
    EXPECT_EQ(SplitTemplateLines(std::string("a\r\nb\x1a"
                                             "c\r\nd")),
              (Lines{"a", "b"}));
    EXPECT_EQ(SplitTemplateLines(std::string("\x1a"
                                             "a")),
              Lines{});
}

TEST(TemplateFile, OddBytesSurvive) {
    const std::string bytes("x\xe9\x00y\r\n", 6);
    const Lines lines = SplitTemplateLines(bytes);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string("x\xe9\x00y", 4));
}

TEST(TemplateFile, MissingFileIsReported) {
    EXPECT_FALSE(FileExists("/nonexistent/skerry/master.tpl"));
    const FileBytes file = ReadFileBytes("/nonexistent/skerry/master.tpl");
    EXPECT_FALSE(file.bytes);
    EXPECT_NE(file.error.find("/nonexistent/skerry/master.tpl"), std::string::npos);

    // A folder in the file's place is reported, not thrown from the first read.
    const auto folder = std::filesystem::temp_directory_path();
    EXPECT_FALSE(FileExists(folder));
    EXPECT_EQ(ReadFileBytes(folder).error, "Cannot open file " + folder.string());
}

}  // namespace
}  // namespace skerry
