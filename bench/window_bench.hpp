#pragma once

#include <memory>

#include "bench_inputs.hpp"

namespace skerry::bench {

// Registers the window rows: start-up, the picker's lists, a texture click, Open, Save,
// Append and a type change. Needs the application object; the returned handle holds the
// windows and must go before it.
std::shared_ptr<void> AddWindowBenchmarks(const Inputs& inputs);

}  // namespace skerry::bench
