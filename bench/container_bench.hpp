#pragma once

#include "bench_inputs.hpp"

namespace skerry::bench {

// Registers the rows of containers: a folder packed and a container unpacked against the
// plain reads and writes of their bytes, and `skerry-cli gob list`, in the core and as a
// process of its own. After the core's rows, whose directory-read baseline the listing shares.
void AddContainerBenchmarks(const Inputs& inputs);

}  // namespace skerry::bench
