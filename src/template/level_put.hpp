#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// Templates put into a level's templates section with every template they need, so that the
// game finds each one's parent and the templates its fields name before it.
//
// For each name, in the order given: its parent chain and the templates its weapon, weapon2,
// explode, creatething, debris, trailthing and fleshhit fields name, depth first, each after
// what it needs. A named template the level has is replaced in its place by the template
// file's line; a needed one the level has stays as it is. Those the level lacks go in as one
// block, in that order, just before the first template of the section that needs one of them,
// or else after its last template. "World templates N" is raised to the number of templates
// when it is lower. Every other byte stays as it was, and new lines end as the level's do.
struct LevelPut {
    bool ok = false;
    std::string error;                  // why nothing was put
    std::string bytes;                  // the level after the put
    std::vector<std::string> added;     // in the order they now stand
    std::vector<std::string> replaced;  // the named ones the level had
    // Templates put that still stand before a template they need, which the level had later
    // (moving it would touch lines the put leaves alone): the game builds them without it.
    std::vector<std::string> warnings;
};
// levelName and templateFileName name the files in messages. A template file that is itself a
// level (.jkl) gives the templates of its templates section.
LevelPut PutIntoLevel(std::string_view level, std::string_view levelName,
                      std::string_view templateFile, std::string_view templateFileName,
                      const std::vector<std::string>& names);

// The same on files: the level is written whole or not at all, and the level as it was is
// kept beside it as NAME.jkl.bak. Nothing is written when the put is refused.
struct LevelPutOutcome {
    LevelPut put;
    bool written = false;
    std::filesystem::path backup;
    std::string error;  // the put's refusal, or why a file could not be read or written
};
LevelPutOutcome PutIntoLevelFile(const std::filesystem::path& level,
                                 const std::filesystem::path& templateFile,
                                 const std::vector<std::string>& names);

}  // namespace skerry
