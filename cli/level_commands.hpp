#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Adds `jkl put`. It sets exitCode when it runs.
void AddLevelCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
