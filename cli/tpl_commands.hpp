#pragma once

#include <CLI/CLI.hpp>
#include <iostream>
#include <string_view>

namespace skerry::cli {

// Exit codes shared by every command.
inline constexpr int kDone = 0;
inline constexpr int kNothingFound = 1;
inline constexpr int kBadInput = 2;

// Output is the bytes as they stand, one item a line.
inline void PrintLine(std::string_view text) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.put('\n');
}

// Adds `tpl rows|names|find|descendants|compose|chain|open|check|lint|resolve|put`. Each sets
// exitCode when it runs.
void AddTplCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
