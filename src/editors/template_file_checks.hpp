#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/game_params.hpp"
#include "template/template_store.hpp"

namespace skerry {

// The game a template file is for when nobody says: Mots for a file named mots.tpl.
Game GameOfFile(std::string_view path);

// What the game would make of a template line that the line does not seem to say.
struct TemplateFinding {
    std::size_t line = 0;  // counted from 1 in the whole file; 0 for a line in no file
    std::string_view code;
    std::string name;  // the template's name as written, as Open finds it
    std::string message;

    bool operator==(const TemplateFinding&) const = default;
};

// The codes, short enough to filter a listing by.
namespace finding_code {
inline constexpr std::string_view kDuplicate = "duplicate";
inline constexpr std::string_view kMissingParent = "missing-parent";
inline constexpr std::string_view kParentLater = "parent-later";
inline constexpr std::string_view kMissingReference = "missing-reference";
inline constexpr std::string_view kReferenceLater = "reference-later";
inline constexpr std::string_view kNoType = "no-type";
inline constexpr std::string_view kUnknownParam = "unknown-param";
inline constexpr std::string_view kFlagsNotHex = "flags-not-hex";
inline constexpr std::string_view kCollideRange = "collide-range";
inline constexpr std::string_view kLineTooLong = "line-too-long";
inline constexpr std::string_view kTooManyTokens = "too-many-tokens";
inline constexpr std::string_view kNameTooLong = "name-too-long";
inline constexpr std::string_view kFileNameTooLong = "file-name-too-long";
inline constexpr std::string_view kOrder = "order";
inline constexpr std::string_view kNotApplied = "not-applied";
inline constexpr std::string_view kTemplatesCount = "templates-count";
}  // namespace finding_code

// Every finding of a whole template file, in line order. The level editor writes templates
// into a level in the order they need, so in a template file a parent may come later.
std::vector<TemplateFinding> CheckTemplateFile(std::string_view bytes, Game game);

// Every finding of a level's templates section, in line order: there a parent or a referenced
// template must stand earlier, and templates past the declared count are dropped. Nothing when
// the level has no templates section.
std::optional<std::vector<TemplateFinding>> CheckLevelTemplates(std::string_view bytes, Game game);

// A file checked as what its extension says: a level (.jkl) or a template file. The templates
// of a static level (staticPath, when not empty), which the game reads first, count as
// defined; a template that redefines one of them is a duplicate.
struct SourceCheck {
    bool read = false;
    std::string error;  // when it was not read: why, naming the file
    std::vector<TemplateFinding> findings;
};
SourceCheck CheckTemplateSource(const std::string& path, Game game,
                                const std::string& staticPath = {});

// The findings that concern one template line on its own, against the templates of a file:
// its parent and references missing from the file, its parameters, flags and file names, the
// order of its fields, the fields the game does not apply, its line's length and token count.
std::vector<TemplateFinding> CheckOneTemplate(std::string_view line, const TemplateTable& file,
                                              Game game);

}  // namespace skerry
