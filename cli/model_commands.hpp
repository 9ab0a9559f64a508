#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Adds `3do`. It sets exitCode when it runs.
void AddModelCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
