#include "app/model_bounds.hpp"

#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/model_geometry.hpp"
#include "resources/model_preview.hpp"
#include "resources/picker_listing.hpp"

namespace skerry {

std::vector<std::filesystem::path> DialectContainers(const Settings& settings) {
    const std::filesystem::path folder =
        PathFromUtf8(settings.motsDialect ? settings.motsDir : settings.jkDir);
    const std::string_view own = settings.motsDialect ? "jkmres.goo" : "res2.gob";
    std::vector<std::filesystem::path> containers;
    std::vector<std::filesystem::path> others;
    for (const std::string& name : ListContainerFiles(folder)) {
        (EqualsIgnoringCase(name, own) ? containers : others)
            .push_back(folder / PathFromUtf8(name));
    }
    containers.insert(containers.end(), others.begin(), others.end());
    return containers;
}

ModelBoundsSource ContainerModelBounds(std::vector<std::filesystem::path> containers) {
    return
        [containers = std::move(containers)](std::string_view model) -> std::optional<ModelBounds> {
            const ListedModel listed = ReadModelFromContainers(containers, model);
            if (!listed.model) {
                return std::nullopt;
            }
            const Box box = ModelBox(*listed.model);
            return ModelBounds{box.low.x, box.low.y, box.low.z, box.high.x, box.high.y, box.high.z};
        };
}

}  // namespace skerry
