#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace skerry::bench {

// What a figure has to reach on the machine the program is made for.
struct Target {
    enum class Kind { None, MaxMilliseconds, MinMegabytesPerSecond, MinBaselineRatio };
    Kind kind = Kind::None;
    double value = 0;

    static Target AtMostMs(double ms) { return {Kind::MaxMilliseconds, ms}; }
    static Target AtLeastMBps(double mbps) { return {Kind::MinMegabytesPerSecond, mbps}; }
    static Target AtLeastRatio(double ratio) { return {Kind::MinBaselineRatio, ratio}; }
};

// One line of the table. Rows of one family at several scales show how the cost grows.
struct Row {
    std::string what;         // "template scan"
    std::string size;         // "1000 templates, 1.04 MB"
    std::uint64_t bytes = 0;  // bytes per operation, for a rate (0: no rate)
    std::string baseline;     // the baseline row measured on the same bytes
    double scale = 1.0;       // the share of the full size, for the growth column
    Target target;
    Target also = {};  // a second target the row must meet as well
};

using BenchmarkFn = std::function<void(benchmark::State&)>;

// Registers a benchmark that becomes a row of the table.
benchmark::internal::Benchmark* AddRow(const Row& row, BenchmarkFn fn);

// Registers (once per size and kind) the baseline for a rate: a memcpy of these bytes, or
// whatever plain read fn does. Returns the name a row gives as its baseline. Baselines
// appear in the table only as the rate beside the rows that use them.
std::string AddMemcpyBaseline(std::string_view bytes);
std::string AddBaseline(const std::string& name, std::uint64_t bytes, BenchmarkFn fn);
// A baseline that times itself (state.SetIterationTime), for work done by another program.
std::string AddTimedBaseline(const std::string& name, std::uint64_t bytes, BenchmarkFn fn);

// Notes that the row being measured did not do what it measures: the table shows the note in
// place of its time. The library's own skip is not used, as its statistics over repetitions
// do not survive a skipped one.
void Fault(const std::string& message);

// Collects every run and prints one table when all have finished: the median of the
// repetitions, the rate beside its baseline and their ratio, the growth within a family and
// whether the target is met.
class TableReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    std::string machine_;
    std::map<std::string, std::vector<double>> seconds_;  // per operation, each repetition
};

}  // namespace skerry::bench
