#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// What selecting a grid row asks for. The main window carries the actions out in order.
struct PickerAction {
    enum class Kind {
        ListResources,       // the picker lists container entries of extension `text`
        ShowResourcePicker,  // show the picker and take its pick (ResResult)
        EditFlags,           // flag editor of kind `text`
        EditTypeFlags,       // flag editor, kind from the row's description
        ListDescendants,     // descendants of the base template `text` (DisplayWep)
        ListTemplates,       // every template name (DisplayAll)
        EditVector,          // Vector/Frame dialog in vector mode
        EditFrame,           // Vector/Frame dialog in frame mode
    };
    Kind kind;
    std::string text;
    bool clearFirst = false;

    friend bool operator==(const PickerAction&, const PickerAction&) = default;
};

// Runs the eighteen row tests in their fixed order and returns the actions of every test
// that matches. Names are compared whole, descriptions searched for a marker, both
// case-sensitively. A row that matches nothing is typed into by hand.
std::vector<PickerAction> PickerDispatch(std::string_view name, std::string_view description);

}  // namespace skerry
