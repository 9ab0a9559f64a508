#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "template/template_index.hpp"

namespace skerry {

// The level editor keeps the box of a template's model in a comment line above it, and sizes
// the thing by it: "# BBOX: X0 Y0 Z0 X1 Y1 Z1", the low corner, then the high one.
inline constexpr std::string_view kBboxPrefix = "# BBOX:";

using ModelBounds = std::array<double, 6>;  // x0 y0 z0 x1 y1 z1
// The box of a model by the name a template gives it ("ky.3do"), placed by its hierarchy, or
// nothing when the model cannot be found or read. Models are read outside the template files,
// so whoever knows the containers hands this in.
using ModelBoundsSource = std::function<std::optional<ModelBounds>(std::string_view model)>;

bool IsBboxLine(std::string_view line);

// "# BBOX: " and the six numbers as C's %.7g writes them, whatever the locale; all 0 for a
// template without a box.
std::string BboxLine(const std::optional<ModelBounds>& bounds);

// The model a template line names (the last model3d field, as the game reads them in order),
// or else the one it inherits through its parents in file. Nothing when the chain names none.
std::optional<std::string> TemplateModel(std::string_view line, const TemplateIndex& file);

// The box of that model; nothing without a source, a model or a box.
std::optional<ModelBounds> TemplateBounds(std::string_view line, std::string_view file,
                                          const ModelBoundsSource& bounds);

}  // namespace skerry
