#pragma once

#include <CLI/CLI.hpp>

namespace skerry::cli {

// Adds `mat make` under the mat command: a MAT texture made from pictures, or a single-colour
// one. Sets exitCode when it runs.
CLI::App* AddMatMakeCommand(CLI::App& mat, int& exitCode);

}  // namespace skerry::cli
