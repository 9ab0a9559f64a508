#pragma once

#include <string>
#include <utility>
#include <vector>

namespace skerry {

// A template the picker offers: its name, and its line for the memo.
struct TemplateChoice {
    std::string name;
    std::string line;
};

// What one showing of the Resource Picker offers: the open container's entries of some
// extensions, or a list of template names. The name box starts from current (the row's value,
// or the parent in use), never from what an earlier showing left.
struct PickerRequest {
    enum class Kind { Resources, Templates } kind = Kind::Resources;
    std::vector<std::string> extensions;    // Resources: ".3do", or ".ai" ".ai0" ".ai2"
    std::vector<TemplateChoice> templates;  // Templates, in the order they are offered
    std::string current;

    static PickerRequest ForResources(std::vector<std::string> extensions, std::string current) {
        PickerRequest request;
        request.extensions = std::move(extensions);
        request.current = std::move(current);
        return request;
    }
    static PickerRequest ForTemplates(std::vector<TemplateChoice> templates, std::string current) {
        PickerRequest request;
        request.kind = Kind::Templates;
        request.templates = std::move(templates);
        request.current = std::move(current);
        return request;
    }
};

}  // namespace skerry
