#pragma once

#include "bench_inputs.hpp"

namespace skerry::bench {

// Registers the core's rows: template scan, lookup, descendant search, composition, the
// New.tpl rebuild, the directory read, the listing, colormap reads, texture decodes, the
// model read and its picture.
void AddCoreBenchmarks(const Inputs& inputs);

}  // namespace skerry::bench
