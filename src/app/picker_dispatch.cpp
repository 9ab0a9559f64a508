#include "app/picker_dispatch.hpp"

namespace skerry {

std::vector<PickerAction> PickerDispatch(std::string_view name, std::string_view description) {
    using K = PickerAction::Kind;
    std::vector<PickerAction> actions;
    auto offer = [&](std::string_view extension) {
        actions.push_back({K::ListResources, std::string(extension), true});
        actions.push_back({K::ShowResourcePicker, {}, false});
    };
    auto contains = [&](std::string_view marker) {
        return description.find(marker) != std::string_view::npos;
    };

    if (name == "+ model3d")
        offer(".3do");
    if (name == "+ aiclass") {
        // AI files come in three extensions, listed together in one picker.
        actions.push_back({K::ListResources, ".ai", true});
        actions.push_back({K::ListResources, ".ai0", false});
        actions.push_back({K::ListResources, ".ai2", false});
        actions.push_back({K::ShowResourcePicker, {}, false});
    }
    if (name == "+ particle")
        offer(".par");
    if (name == "+ sprite")
        offer(".spr");
    if (name == "+ puppet")
        offer(".pup");
    if (name == "+ cog")
        offer(".cog");
    if (name == "+ material")
        offer(".mat");
    if (name == "+ soundclass")
        offer(".snd");
    if (name == "+ thingflags")
        actions.push_back({K::EditFlags, "thing", false});
    if (name == "+ typeflags")
        actions.push_back({K::EditTypeFlags, {}, false});
    if (name == "+ physflags")
        actions.push_back({K::EditFlags, "physics", false});
    if (name == "+ damageclass")
        actions.push_back({K::EditFlags, "damage", false});
    if (contains("debris template"))
        actions.push_back({K::ListDescendants, "_debris", false});
    if (contains("template name"))
        actions.push_back({K::ListTemplates, {}, false});
    if (contains("weapon template"))
        actions.push_back({K::ListDescendants, "_weapon", false});
    if (contains("explosion template"))
        actions.push_back({K::ListDescendants, "_explosion", false});
    if (contains("vector"))
        actions.push_back({K::EditVector, {}, false});
    if (name == "frame")
        actions.push_back({K::EditFrame, {}, false});
    return actions;
}

}  // namespace skerry
