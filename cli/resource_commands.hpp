#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Adds `gob list|extract|pack`, `mat` and `sample`. Each sets exitCode when it runs.
void AddResourceCommands(CLI::App& app, int& exitCode);

}  // namespace skerry::cli
