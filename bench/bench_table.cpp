#include "bench_table.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

namespace skerry::bench {

namespace {

// Five repetitions; their median is what the table shows, which a busy machine disturbs less
// than a mean.
constexpr int kRepetitions = 5;
constexpr double kMinSecondsPerRepetition = 0.1;

struct Registered {
    std::string name;
    Row row;
    bool baseline = false;
};

std::vector<Registered>& Registry() {
    static std::vector<Registered> registry;
    return registry;
}

std::string& Measuring() {
    static std::string name;
    return name;
}

std::map<std::string, std::string>& Faults() {
    static std::map<std::string, std::string> faults;
    return faults;
}

benchmark::internal::Benchmark* Register(const std::string& name, BenchmarkFn fn) {
    return benchmark::RegisterBenchmark(name.c_str(),
                                        [name, fn = std::move(fn)](benchmark::State& state) {
                                            Measuring() = name;
                                            fn(state);
                                        })
        ->Repetitions(kRepetitions)
        ->MinTime(kMinSecondsPerRepetition);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Duration(double seconds) {
    if (seconds < 1e-6)
        return Format("%.0f ns", seconds * 1e9);
    if (seconds < 1e-3)
        return Format("%.1f us", seconds * 1e6);
    if (seconds < 1.0)
        return Format("%.2f ms", seconds * 1e3);
    return Format("%.2f s", seconds);
}

std::string Rate(double bytesPerSecond) {
    if (bytesPerSecond >= 1e9)
        return Format("%.1f GB/s", bytesPerSecond / 1e9);
    return Format("%.0f MB/s", bytesPerSecond / 1e6);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string TargetText(const Target& target) {
    switch (target.kind) {
        case Target::Kind::MaxMilliseconds:
            return target.value < 1 ? Format("<= %.0f us", target.value * 1e3)
                                    : Format("<= %.0f ms", target.value);
        case Target::Kind::MinMegabytesPerSecond:
            return Format(">= %.0f MB/s", target.value);
        case Target::Kind::MinBaselineRatio:
            return Format(">= %.2f x base", target.value);
        case Target::Kind::None:
            break;
    }
    return {};
}

std::string CpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("model name", 0) == 0) {
            const std::size_t colon = line.find(':');
            return colon == std::string::npos ? std::string() : line.substr(colon + 2);
        }
    }
    return {};
}

}  // namespace

void Fault(const std::string& message) {
    Faults().emplace(Measuring(), message);
}

benchmark::internal::Benchmark* AddRow(const Row& row, BenchmarkFn fn) {
    const std::string name = row.what + " [" + row.size + "]";
    Registry().push_back({name, row, false});
    return Register(name, std::move(fn));
}

namespace {

std::string AddBaselineTimed(const std::string& name, std::uint64_t bytes, BenchmarkFn fn,
                             bool timesItself) {
    for (const Registered& registered : Registry()) {
        if (registered.name == name) {
            return name;
        }
    }
    Row row;
    row.bytes = bytes;
    Registry().push_back({name, row, true});
    benchmark::internal::Benchmark* registered = Register(name, std::move(fn));
    if (timesItself) {
        registered->UseManualTime();
    } else {
        registered->UseRealTime();
    }
    return name;
}

}  // namespace

std::string AddBaseline(const std::string& name, std::uint64_t bytes, BenchmarkFn fn) {
    return AddBaselineTimed(name, bytes, std::move(fn), false);
}

std::string AddTimedBaseline(const std::string& name, std::uint64_t bytes, BenchmarkFn fn) {
    return AddBaselineTimed(name, bytes, std::move(fn), true);
}

std::string AddMemcpyBaseline(std::string_view bytes) {
    const std::string name = "baseline: memcpy of " + std::to_string(bytes.size()) + " bytes";
    return AddBaseline(name, bytes.size(), [bytes](benchmark::State& state) {
        // The copy goes to the same place within a 64-byte line as its source: otherwise the
        // rate depends on where the heap happens to put the target, by three times or more.
        constexpr std::uintptr_t kLine = 64;
        std::string buffer(bytes.size() + kLine, '\0');
        const auto from = reinterpret_cast<std::uintptr_t>(bytes.data()) % kLine;
        const auto at = reinterpret_cast<std::uintptr_t>(buffer.data()) % kLine;
        char* target = buffer.data() + (from + kLine - at) % kLine;
        for (auto _ : state) {
            std::memcpy(target, bytes.data(), bytes.size());
            benchmark::DoNotOptimize(target);
            benchmark::ClobberMemory();
        }
    });
}

bool TableReporter::ReportContext(const Context& context) {
    machine_ = std::to_string(context.cpu_info.num_cpus) + " x " +
               Format("%.0f MHz", context.cpu_info.cycles_per_second / 1e6);
    const std::string model = CpuModel();
    if (!model.empty()) {
        machine_ += " (" + model + ")";
    }
    if (!context.cpu_info.load_avg.empty()) {
        machine_ += ", load average";
        for (const double load : context.cpu_info.load_avg) {
            machine_ += Format(" %.2f", load);
        }
    }
    std::cerr << "Running " << Registry().size() << " benchmarks on " << machine_ << "\n";
    return true;
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration) {
            continue;
        }
        if (run.iterations > 0) {
            seconds_[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                           static_cast<double>(run.iterations));
        }
        if (run.repetition_index == 0) {
            std::cerr << "  " << run.run_name.function_name << "\n";
        }
    }
}

void TableReporter::Finalize() {
    auto median = [&](const std::string& name) -> double {
        const auto found = seconds_.find(name);
        return found == seconds_.end() || found->second.empty() ? 0.0 : Median(found->second);
    };
    auto rate = [&](const Row& row, const std::string& name) {
        const double seconds = median(name);
        return row.bytes > 0 && seconds > 0 ? static_cast<double>(row.bytes) / seconds : 0.0;
    };
    auto smallest = [&](const Row& row) {
        const Registered* found = nullptr;
        for (const Registered& other : Registry()) {
            if (!other.baseline && other.row.what == row.what &&
                (found == nullptr || other.row.scale < found->row.scale)) {
                found = &other;
            }
        }
        return found;
    };

    std::vector<std::vector<std::string>> table = {
        {"what", "size", "time", "rate", "baseline", "ratio", "growth", "target", ""}};
    int targets = 0;
    int met = 0;
    for (const Registered& registered : Registry()) {
        if (registered.baseline || !seconds_.contains(registered.name)) {
            continue;  // baselines show beside their rows; rows filtered out show nothing
        }
        const Row& row = registered.row;
        const double seconds = median(registered.name);
        std::string rateText;
        std::string baselineText;
        std::string ratioText;
        const double bytesPerSecond = rate(row, registered.name);
        double ratio = 0;
        if (bytesPerSecond > 0) {
            rateText = Rate(bytesPerSecond);
            for (const Registered& base : Registry()) {
                if (base.name == row.baseline && rate(base.row, base.name) > 0) {
                    baselineText = Rate(rate(base.row, base.name));
                    ratio = bytesPerSecond / rate(base.row, base.name);
                    ratioText = Format("%.3f", ratio);
                }
            }
        }
        std::string growth;
        if (const Registered* first = smallest(row);
            first != nullptr && first->row.scale < row.scale && median(first->name) > 0) {
            growth = Format("%.1fx", seconds / median(first->name)) +
                     Format(" for %.0fx", row.scale / first->row.scale);
        }
        auto meets = [&](const Target& target) {
            switch (target.kind) {
                case Target::Kind::MaxMilliseconds:
                    return seconds * 1e3 <= target.value;
                case Target::Kind::MinMegabytesPerSecond:
                    return bytesPerSecond / 1e6 >= target.value;
                case Target::Kind::MinBaselineRatio:
                    return ratio >= target.value;
                case Target::Kind::None:
                    break;
            }
            return true;
        };
        const bool ok = meets(row.target) && meets(row.also);
        std::string targetText = TargetText(row.target);
        if (row.also.kind != Target::Kind::None) {
            targetText += ", " + TargetText(row.also);
        }
        std::string verdict;
        if (row.target.kind != Target::Kind::None) {
            ++targets;
            met += ok ? 1 : 0;
            verdict = ok ? "met" : "MISSED";
        }
        if (const auto fault = Faults().find(registered.name); fault != Faults().end()) {
            met -= ok && row.target.kind != Target::Kind::None ? 1 : 0;
            verdict = "FAULT: " + fault->second;
        }
        table.push_back({row.what, row.size, Duration(seconds), rateText, baselineText, ratioText,
                         growth, targetText, verdict});
    }

    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto& cells : table) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    std::ostream& out = GetOutputStream();
    out << "\nSkerry benchmarks on " << machine_ << "\n";
    out << "time: median of " << kRepetitions << " repetitions, wall clock. rate: bytes per second "
        << "of the operation; baseline: of a memcpy or plain read of the same bytes in this run.\n"
        << "growth: time against the same row at its smallest size.\n\n";
    // Numbers are right-aligned, words left-aligned; the last column takes what it needs.
    constexpr bool kNumeric[] = {false, false, true, true, true, true, false, false, false};
    for (std::size_t r = 0; r < table.size(); ++r) {
        std::string line;
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            const std::string& cell = table[r][c];
            const std::string pad(c + 1 == table[r].size() ? 0 : widths[c] - cell.size(), ' ');
            line += kNumeric[c] ? pad + cell : cell + pad;
            line += c + 1 == table[r].size() ? "" : "  ";
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out << line << "\n";
        if (r == 0) {
            out << std::string(line.size(), '-') << "\n";
        }
    }
    out << "\nTargets met: " << met << " of " << targets << "\n";
}

}  // namespace skerry::bench
