// The benchmarks mean something only if their inputs have the shape their rows name and the
// table reads the runs right; both are checked here, with no timing involved.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "bench_inputs.hpp"
#include "bench_table.hpp"
#include "resources/model_3do.hpp"
#include "resources/picker_listing.hpp"
#include "template/open_template.hpp"
#include "template/template_store.hpp"

namespace skerry::bench {
namespace {

TEST(BenchInputs, TemplateFilesHaveTheirSizeAndTree) {
    for (const std::size_t count : {std::size_t{100}, std::size_t{500}, kFullTemplates}) {
        const std::string file = TemplateFile(count);
        TemplateStore store;
        EXPECT_FALSE(store.ScanBytes(file).truncated);
        EXPECT_EQ(store.OfferedTemplateNames().size(), std::min(count, kOfferedTemplates));
        EXPECT_EQ(store.Templates().name[count - 1].empty(), false) << count;
        EXPECT_NEAR(static_cast<double>(file.size()), 1000.0 * static_cast<double>(count),
                    100.0 * static_cast<double>(count));

        store.SearchDescendants("_weapon");
        std::size_t found = 0;
        for (const std::string& name : store.Descendants().name) {
            found += name.empty() ? 0 : 1;
        }
        EXPECT_EQ(found, WeaponDescendants(count) + 1) << count;
    }
    EXPECT_EQ(WeaponDescendants(kFullTemplates), 399u);

    TemplateStore full;
    full.ScanBytes(TemplateFile(kFullTemplates));
    const std::vector<std::string> offered = full.OfferedTemplateNames();
    const std::string deepest = DeepestWeapon(kFullTemplates);
    EXPECT_NE(std::find(offered.begin(), offered.end(), deepest), offered.end());
    const ParentWalk walk = WalkParents(full, deepest);
    ASSERT_TRUE(walk.ok) << walk.error;
    EXPECT_EQ(walk.ancestorLines.size(), 5u);  // six levels with the template itself
    EXPECT_EQ(walk.typeText, "weapon");
}

TEST(BenchInputs, ContainerHasItsMix) {
    const std::vector<ContainerEntry> entries = ContainerEntries(kFullEntries);
    ASSERT_EQ(entries.size(), kFullEntries);
    const std::vector<std::string> names = EntryNames(entries);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    std::size_t colormaps = 0;
    std::size_t textures = 0;
    for (const std::string& name : names) {
        colormaps += FileExtension(name) == ".cmp" ? 1 : 0;
        textures += FileExtension(name) == ".mat" ? 1 : 0;
    }
    EXPECT_EQ(colormaps, kColormaps);
    EXPECT_GT(textures, 1000u);
    EXPECT_EQ(names[199], "misc\\cmp\\dflt.cmp");
    EXPECT_EQ(entries[kFullEntries - 3].name, "mat\\big0.mat");
    EXPECT_GT(entries[kFullEntries - 3].bytes.size(), 1024u * 1024u);
}

// The real models beside the project are whatever collection is there; only the model made
// in their absence has a size of ours to hold to.
TEST(BenchInputs, TheLargestModelIsAbout100KBAndReads) {
    const BenchModel model = LargestModel();
    if (model.name == "generated") {
        EXPECT_NEAR(static_cast<double>(model.bytes.size()), 100e3, 10e3);
    }
    EXPECT_NO_THROW(ReadModel3do(model.bytes));
}

benchmark::BenchmarkReporter::Run RunOf(const std::string& name, double secondsPerOperation) {
    benchmark::BenchmarkReporter::Run run;
    run.run_name.function_name = name;
    run.iterations = 10;
    run.real_accumulated_time = 10 * secondsPerOperation;
    run.repetition_index = 1;
    return run;
}

TEST(BenchTable, RatesRatiosGrowthAndTargets) {
    const auto nothing = [](benchmark::State&) {};
    const std::string base = AddBaseline("baseline: test copy", 1000000, nothing);
    AddRow({"test scan", "small", 1000000, base, 0.1, {}}, nothing);
    AddRow({"test scan", "full", 10000000, base, 1.0, Target::AtLeastMBps(200)}, nothing);
    AddRow({"test click", "one", 0, {}, 1.0, Target::AtMostMs(16)}, nothing);

    TableReporter table;
    std::ostringstream out;
    table.SetOutputStream(&out);
    table.ReportRuns({RunOf("baseline: test copy", 0.0001)});  // 10 GB/s
    // Five repetitions of the small scan; the median, 10 ms, is what counts.
    table.ReportRuns({RunOf("test scan [small]", 0.010), RunOf("test scan [small]", 0.011),
                      RunOf("test scan [small]", 0.009), RunOf("test scan [small]", 0.500),
                      RunOf("test scan [small]", 0.001)});
    table.ReportRuns({RunOf("test scan [full]", 0.040)});  // 250 MB/s
    table.ReportRuns({RunOf("test click [one]", 0.020)});
    table.Finalize();
    const std::string text = out.str();

    auto line = [&text](const std::string& start) {
        const std::size_t at = text.find(start);
        return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
    };
    const std::string small = line("test scan   small");
    EXPECT_NE(small.find("10.00 ms"), std::string::npos) << small;
    EXPECT_NE(small.find("100 MB/s"), std::string::npos) << small;
    EXPECT_NE(small.find("10.0 GB/s"), std::string::npos) << small;
    EXPECT_NE(small.find("0.010"), std::string::npos) << small;
    const std::string full = line("test scan   full");
    EXPECT_NE(full.find("4.0x for 10x"), std::string::npos) << full;
    EXPECT_NE(full.find("0.025"), std::string::npos) << full;
    EXPECT_NE(full.find("met"), std::string::npos) << full;
    EXPECT_NE(line("test click").find("MISSED"), std::string::npos) << text;
    EXPECT_EQ(text.find("baseline: test copy"), std::string::npos);  // shown only beside rows
    EXPECT_NE(text.find("Targets met: 1 of 2"), std::string::npos) << text;
}

}  // namespace
}  // namespace skerry::bench
