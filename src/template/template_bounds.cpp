#include "template/template_bounds.hpp"

#include <array>
#include <charconv>

#include "common/names.hpp"
#include "template/template_line.hpp"

namespace skerry {

bool IsBboxLine(std::string_view line) {
    return line.starts_with(kBboxPrefix);
}

std::string BboxLine(const std::optional<ModelBounds>& bounds) {
    std::string line(kBboxPrefix);
    for (const double value : bounds.value_or(ModelBounds{})) {
        // to_chars, unlike printf, never takes a comma from the user's locale.
        std::array<char, 32> text;
        const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general, 7);
        line += ' ';
        line.append(text.data(), written.ptr);
    }
    return line;
}

std::optional<std::string> TemplateModel(std::string_view line, const TemplateIndex& file) {
    std::string current(line);
    // A chain longer than the file has templates goes round in a loop.
    for (std::size_t step = 0; step <= file.Size(); ++step) {
        TabConvertTail(current, 0);
        std::optional<std::string_view> model;
        std::string_view parent;
        std::size_t index = 0;
        const std::string_view text = std::string_view(current).substr(
            std::min(current.find_first_not_of(' '), current.size()));
        ForEachField(text, [&](std::string_view field) {
            if (index == 1) {
                parent = field;
            } else if (index >= 2) {
                const ParamView param = SplitParameterView(field);
                if (param.hasEquals && EqualsIgnoringCase(param.name, "model3d")) {
                    model = param.value;
                }
            }
            ++index;
            return true;
        });
        if (model) {
            return std::string(*model);
        }
        const std::optional<std::string_view> above =
            NamesNoTemplate(parent) ? std::nullopt : file.Find(parent);
        if (!above) {
            return std::nullopt;
        }
        current.assign(*above);
    }
    return std::nullopt;
}

std::optional<ModelBounds> TemplateBounds(std::string_view line, std::string_view file,
                                          const ModelBoundsSource& bounds) {
    if (!bounds) {
        return std::nullopt;
    }
    const std::optional<std::string> model = TemplateModel(line, TemplateIndex(file));
    return model ? bounds(*model) : std::nullopt;
}

}  // namespace skerry
