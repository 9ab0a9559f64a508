#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.hpp"
#include "template/template_bounds.hpp"

namespace skerry {

inline constexpr std::string_view kDescriptionPrefix = "# DESC: ";

// The box of the template being written, found when first asked for; nothing when its model
// cannot be read.
using TemplateBoundsOnce = std::function<std::optional<ModelBounds>()>;

// The working file rebuilt from a source template file: every line copied in order with its
// tabs turned into spaces and CR LF after it, and every line whose first field is the name
// replaced by the template line. A "# BBOX: " line right above a replaced line is written
// again from the box, when there is one: a changed model changes its box.
struct RebuiltTemplateFile {
    std::string bytes;
    bool replaced = false;  // false: the template is new to the file
};
RebuiltTemplateFile RebuildTemplateFile(std::string_view source, std::string_view name,
                                        std::string_view line,
                                        const TemplateBoundsOnce& bounds = {});

// The description of a template: the text of the "# DESC: " line just above the last line of
// that name, as Save writes it; empty when there is none.
std::string DescriptionAbove(std::string_view file, std::string_view name);

// Adds a new template at the end, after its "# DESC: " line and its "# BBOX: " line (all 0
// without a box).
void AppendNewTemplate(RebuiltTemplateFile& file, std::string_view description,
                       const std::optional<ModelBounds>& bounds, std::string_view line);

// The texts New puts in the name and parent boxes; Save refuses them.
inline constexpr std::string_view kTplNamePlaceholder = "Tpl Name";
inline constexpr std::string_view kBasedOnPlaceholder = "Based On";

// Why a template cannot be saved under this name and parent, or nothing when it can: New's
// placeholders, and names a template line could not keep whole (empty, or holding a blank, a
// tab or a control character, which would cut the name in two or end the line).
std::optional<std::string> SaveRefusal(std::string_view name, std::string_view parent);
// The same for one name; `what` names it in the message ("template name").
std::optional<std::string> NameRefusal(std::string_view what, std::string_view name);

// What Save asks before it drops the templates named: "New.tpl holds 2 templates that are not
// in master.tpl (a, b). Save starts New.tpl again from master.tpl and drops them."
std::string DropQuestion(const std::vector<std::string>& names, std::string_view jedFile);

// How a template goes into New.tpl. Save rebuilds New.tpl from the dialect's Jed template
// file; Append rebuilds it from itself. Both keep the New.tpl they replace as Old.tpl, Save
// only when asked to (it then drops templates of New.tpl's own, so one step back stays on
// disk).
enum class SaveKind { Save, SaveKeepingOld, Append };

// What Save and Append read and write.
struct SaveFiles {
    std::filesystem::path source;
    std::filesystem::path newTpl;
    std::filesystem::path backup;      // where the New.tpl replaced is kept; empty: nowhere
    std::string missingSourceMessage;  // when the source is not there (Save only)
};
SaveFiles SaveFilesFor(const Settings& settings, SaveKind kind);

// The names of the templates in newTpl that are neither in source nor named except, in the
// order of newTpl, each once: what a Save that rebuilds newTpl from source would drop.
std::vector<std::string> TemplatesOnlyIn(std::string_view newTpl, std::string_view source,
                                         std::string_view except);

// Asks for the description of a template new to the file.
using DescriptionSource = std::function<std::string()>;

struct SaveOutcome {
    bool saved = false;
    bool added = false;  // the template was new to the file and went at its end
    std::string error;   // why nothing was written, naming the file
};
// Save and Append: the source's lines with the template's line in place of every line of
// its name, or added at the end after its description and box. The box is that of the model
// the template names or inherits in the source, as bounds gives it. New.tpl and Old.tpl are
// written together, so either both change or neither does.
SaveOutcome SaveTemplateLine(const SaveFiles& files, std::string_view name, std::string_view line,
                             const DescriptionSource& describe,
                             const ModelBoundsSource& bounds = {});

}  // namespace skerry
