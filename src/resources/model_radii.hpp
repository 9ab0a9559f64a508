#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skerry {

// The radius of models by the names templates give them, as the models' files write it (the
// header's RADIUS), found in the first of the containers that lists each, as the game
// searches the dialect's containers. Each model is read once.
class ModelRadii {
  public:
    ModelRadii() = default;
    explicit ModelRadii(std::vector<std::filesystem::path> containers)
        : containers_(std::move(containers)) {}

    // Other containers: what was read from the old ones is forgotten.
    void SetContainers(std::vector<std::filesystem::path> containers);
    const std::vector<std::filesystem::path>& Containers() const { return containers_; }

    // Nothing when no container lists the model or it cannot be read.
    std::optional<std::string> Radius(std::string_view model);

  private:
    std::vector<std::filesystem::path> containers_;
    std::unordered_map<std::string, std::optional<std::string>> read_;  // by name, lower case
};

}  // namespace skerry
