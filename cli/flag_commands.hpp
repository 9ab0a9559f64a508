#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Adds `flags KEY [INDEX...]`: a flag kind's list, or the flag text of the ticked entries.
// Sets exitCode when it runs.
void AddFlagCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
