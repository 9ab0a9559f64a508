#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skerry {

// A level (.jkl) keeps its templates in one section: "Section: TEMPLATES", then
// "World templates N", then one template a line up to "end". The lines between are read as
// a template file's lines are.
struct LevelTemplates {
    bool found = false;                     // the level has a templates section
    std::size_t sectionLine = 0;            // the line of "Section: TEMPLATES", counted from 1
    std::size_t countLine = 0;              // the line of "World templates N"; 0 when there is none
    std::string_view countText;             // N as written
    std::optional<std::uint64_t> declared;  // N, when it is a count
    std::string_view body;                  // the template lines, up to the section's end
    std::size_t bodyFirstLine = 0;          // the line the body starts on
};
// The section is found by its words, ignoring letter case and blanks; it ends at "end" or,
// should that be missing, at the next section.
LevelTemplates FindLevelTemplates(std::string_view bytes);

// A level by its extension, ".jkl" in any letter case.
bool IsLevelFile(std::string_view path);

// What a level without a templates section is told.
std::string NoTemplatesSectionMessage(std::string_view path);

}  // namespace skerry
