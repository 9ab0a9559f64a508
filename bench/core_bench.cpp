// Throughput of the template core. Each figure stands beside a memcpy of the same bytes, so
// the ratio means something on a busy machine. Inputs are made here; none is checked in.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "template/catalogue.hpp"
#include "template/template_line.hpp"
#include "template/template_store.hpp"

namespace {

// About 1 MB: 1000 templates, each a level below one of the earlier ones.
const std::string& TemplateFile() {
    static const std::string bytes = [] {
        std::string out = "# DESC: generated\r\n_weapon none type=weapon\r\n";
        for (int i = 1; i < 1000; ++i) {
            const std::string parent = i < 10 ? "_weapon" : "w" + std::to_string(i / 10);
            out += "w" + std::to_string(i) + "\t" + parent;
            while (out.size() % 1000 < 960) {
                out += " damage=" + std::to_string(i) + ".5";
            }
            out += "\r\n";
        }
        return out;
    }();
    return bytes;
}

void BM_Memcpy(benchmark::State& state) {
    const std::string& src = TemplateFile();
    std::string dst(src.size(), '\0');
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
}
BENCHMARK(BM_Memcpy);

void BM_TemplateScan(benchmark::State& state) {
    skerry::TemplateStore store;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.ScanBytes(TemplateFile()));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TemplateFile().size()));
}
BENCHMARK(BM_TemplateScan);

void BM_LookupByName(benchmark::State& state) {
    skerry::TemplateStore store;
    store.ScanBytes(TemplateFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Lookup("w999"));
    }
}
BENCHMARK(BM_LookupByName);

void BM_DescendantSearch(benchmark::State& state) {
    skerry::TemplateStore store;
    store.ScanBytes(TemplateFile());
    for (auto _ : state) {
        store.SearchDescendants("_weapon");
        benchmark::DoNotOptimize(store.Descendants().name[0].data());
    }
}
BENCHMARK(BM_DescendantSearch);

void BM_ComposeActor(benchmark::State& state) {
    skerry::ParamGrid grid;
    skerry::LoadGridMain(grid, "actor");
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
        grid.Row(row).value = "1.0";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(skerry::ComposeLine("mytemplate", "_actor", grid));
    }
}
BENCHMARK(BM_ComposeActor);

}  // namespace

BENCHMARK_MAIN();
