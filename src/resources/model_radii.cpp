#include "resources/model_radii.hpp"

#include "common/names.hpp"
#include "resources/model_preview.hpp"

namespace skerry {

void ModelRadii::SetContainers(std::vector<std::filesystem::path> containers) {
    if (containers != containers_) {
        containers_ = std::move(containers);
        read_.clear();
    }
}

std::optional<std::string> ModelRadii::Radius(std::string_view model) {
    const auto [at, added] = read_.try_emplace(LowerAscii(model));
    if (added && !containers_.empty()) {
        const ListedModel listed = ReadModelFromContainers(containers_, model);
        if (listed.model) {
            // A model without a RADIUS line has a radius of 0.
            const std::string& text = listed.model->radiusText;
            at->second = text.empty() ? ModelNumberText(listed.model->radius) : text;
        }
    }
    return at->second;
}

}  // namespace skerry
