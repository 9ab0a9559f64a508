#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skerry {

// The two games know different parameters and read lines of different lengths.
enum class Game { JediKnight, Mots };

// What a template's type makes of the type's own parameters: actor and player take the same.
// Other is a type that takes none (cog, corpse, debris, ghost).
enum class TypeGroup : std::uint8_t { None, Actor, Weapon, Item, Explosion, Particle, Other };

// A type word ("actor", in any letter case), with the words "an actor" for messages.
struct TypeWord {
    std::string_view word;
    std::string_view withArticle;
    TypeGroup group;
    std::uint8_t index;  // its place among the type words, from 1
};
const TypeWord* FindTypeWord(std::string_view value);
// The type word of an index; nullptr for 0.
const TypeWord* TypeWordAt(std::uint8_t index);

enum class MoveKind : std::uint8_t { None, Path, Physics };
// "none", "path" or "physics" in any letter case.
std::optional<MoveKind> FindMove(std::string_view value);
std::string_view MoveName(MoveKind move);

// Which of the game's rules applies a parameter.
enum class ParamRole : std::uint8_t {
    Generic,  // every type takes it
    Type,     // only while a type that takes it is in force
    Physics,  // only while move=physics is in force
    Path,     // only while move=path is in force
    Nothing,  // known to the game's reader, applied by no rule of a template
};

// A parameter the game reads.
struct GameParam {
    std::string_view name;  // in lower case
    std::uint8_t id = 0;    // its place in GameParams()
    ParamRole role = ParamRole::Generic;
    std::uint8_t types = 0;  // for role Type: a bit (1 << TypeGroup) for each that takes it
    bool motsOnly = false;
    bool reference = false;  // names another template
    bool flags = false;      // a flag word in hex
    bool file = false;       // names a resource file
    bool list = false;       // every field adds one (frames, debris) rather than replacing it

    bool TakenBy(TypeGroup group) const {
        return role == ParamRole::Type && (types & (1u << static_cast<unsigned>(group))) != 0;
    }
};

inline constexpr std::size_t kGameParamCount = 74;

// A parameter by its name in any letter case; nothing for one the game does not read.
const GameParam* FindGameParam(std::string_view name);
const GameParam& GameParamAt(std::size_t id);

}  // namespace skerry
