#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Exit codes shared by every command.
inline constexpr int kDone = 0;
inline constexpr int kNothingFound = 1;
inline constexpr int kBadInput = 2;

// Adds `tpl rows|names|find|descendants|compose`. Each sets exitCode when it runs.
void AddTplCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
