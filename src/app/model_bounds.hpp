#pragma once

#include <filesystem>
#include <vector>

#include "settings/settings.hpp"
#include "template/template_bounds.hpp"

namespace skerry {

// The containers of the dialect in use: its own (res2.gob, jkmres.goo) first, then the other
// containers of its folder in name order, as the picker lists them.
std::vector<std::filesystem::path> DialectContainers(const Settings& settings);

// A model's box, placed by its hierarchy (the box `skerry-cli 3do` prints), from the first of
// these containers that lists it.
ModelBoundsSource ContainerModelBounds(std::vector<std::filesystem::path> containers);

}  // namespace skerry
