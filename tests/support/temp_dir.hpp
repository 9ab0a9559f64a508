#pragma once

#include <atomic>
#include <filesystem>
#include <random>
#include <string>

namespace skerry::testing {

// A path in the temporary folder that no other test, nor a second run of the same test, uses.
inline std::filesystem::path UniqueTempPath(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    return std::filesystem::temp_directory_path() /
           (prefix + "-" + std::to_string(seed) + "-" + std::to_string(counter++));
}

}  // namespace skerry::testing
