#include "editors/game_params.hpp"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <stdexcept>
#include <unordered_map>

#include "common/names.hpp"
#include "template/template_index.hpp"

namespace skerry {

namespace {

constexpr std::array<TypeWord, 10> kTypeWords = {{
    {"actor", "an actor", TypeGroup::Actor, 1},
    {"cog", "a cog", TypeGroup::Other, 2},
    {"corpse", "a corpse", TypeGroup::Other, 3},
    {"debris", "debris", TypeGroup::Other, 4},
    {"explosion", "an explosion", TypeGroup::Explosion, 5},
    {"ghost", "a ghost", TypeGroup::Other, 6},
    {"item", "an item", TypeGroup::Item, 7},
    {"particle", "a particle", TypeGroup::Particle, 8},
    {"player", "a player", TypeGroup::Actor, 9},
    {"weapon", "a weapon", TypeGroup::Weapon, 10},
}};

// The parameters every type takes; treesize is of Mots only.
constexpr std::string_view kGeneric[] = {
    "type",  "collide",    "move",     "size",        "thingflags", "timer",
    "light", "soundclass", "model3d",  "sprite",      "puppet",     "aiclass",
    "cog",   "particle",   "movesize", "creatething", "orient",     "treesize",
};
constexpr std::string_view kActor[] = {
    "typeflags",  "health",      "maxthrust",      "maxrotthrust", "jumpspeed",    "weapon",
    "weapon2",    "explode",     "maxhealth",      "eyeoffset",    "minheadpitch", "maxheadpitch",
    "fireoffset", "lightoffset", "lightintensity", "error",        "fov",          "chance",
};
constexpr std::string_view kWeapon[] = {
    "typeflags",      "damage",         "mindamage", "damageclass", "explode",
    "force",          "range",          "rate",      "elementsize", "trailthing",
    "trailcylradius", "trailrandangle", "fleshhit",
};
constexpr std::string_view kItem[] = {"typeflags", "respawn", "respawnfactor"};
constexpr std::string_view kExplosion[] = {"typeflags", "damage",   "damageclass",
                                           "blasttime", "force",    "maxlight",
                                           "range",     "flashrgb", "debris"};
constexpr std::string_view kParticle[] = {"typeflags",  "maxthrust", "range",       "material",
                                          "rate",       "count",     "elementsize", "minsize",
                                          "pitchrange", "yawrange"};
constexpr std::string_view kPhysics[] = {"surfdrag", "airdrag",   "staticdrag",  "mass",
                                         "height",   "physflags", "maxrotvel",   "maxvel",
                                         "vel",      "angvel",    "orientspeed", "buoyancy"};
constexpr std::string_view kPath[] = {"numframes", "frame"};
// Read by the game's parameter reader, yet no rule of a template applies them.
constexpr std::string_view kNothing[] = {"attach", "points"};

constexpr std::string_view kMotsOnly[] = {"treesize", "respawnfactor"};
constexpr std::string_view kFlags[] = {"thingflags", "typeflags", "physflags", "damageclass"};
constexpr std::string_view kFiles[] = {"model3d", "sprite",  "soundclass", "puppet",
                                       "cog",     "aiclass", "material",   "particle"};
constexpr std::string_view kLists[] = {"frame", "debris"};

// A name's slot from its length and three of its letters in lower case: quick to make for
// every field of a file, and the 74 names spread over the slots with few of them shared.
std::size_t HashOf(std::string_view name) {
    if (name.empty()) {
        return 0;
    }
    const std::size_t size = name.size();
    return size * 41 + FoldAscii(name[0]) * 7 + FoldAscii(name[size / 2]) * 3 +
           FoldAscii(name[size - 1]);
}

struct Table {
    static constexpr std::size_t kSlots = 256;  // a power of two, well above the count

    std::array<GameParam, kGameParamCount> params{};
    std::array<std::uint8_t, kSlots> slots{};  // id + 1 of the name hashed there; 0: none
    std::unordered_map<std::string_view, std::uint8_t> byName;  // ids, which survive a copy
    std::size_t count = 0;

    GameParam& At(std::string_view name) {
        const auto found = byName.find(name);
        if (found != byName.end()) {
            return params[found->second];
        }
        GameParam& param = params.at(count);
        param.name = name;
        param.id = static_cast<std::uint8_t>(count++);
        byName.emplace(name, param.id);
        return param;
    }
    template <typename Names>
    void Role(const Names& names, ParamRole role) {
        for (const std::string_view name : names) {
            At(name).role = role;
        }
    }
    template <typename Names>
    void Type(const Names& names, TypeGroup group) {
        for (const std::string_view name : names) {
            GameParam& param = At(name);
            param.role = ParamRole::Type;
            param.types =
                static_cast<std::uint8_t>(param.types | (1u << static_cast<unsigned>(group)));
        }
    }
    template <typename Names>
    void Mark(const Names& names, bool GameParam::*mark) {
        for (const std::string_view name : names) {
            At(name).*mark = true;
        }
    }
};

const Table& TheTable() {
    static const Table table = [] {
        Table made;
        made.Role(kGeneric, ParamRole::Generic);
        made.Type(kActor, TypeGroup::Actor);
        made.Type(kWeapon, TypeGroup::Weapon);
        made.Type(kItem, TypeGroup::Item);
        made.Type(kExplosion, TypeGroup::Explosion);
        made.Type(kParticle, TypeGroup::Particle);
        made.Role(kPhysics, ParamRole::Physics);
        made.Role(kPath, ParamRole::Path);
        made.Role(kNothing, ParamRole::Nothing);
        made.Mark(kMotsOnly, &GameParam::motsOnly);
        made.Mark(kReferenceParams, &GameParam::reference);
        made.Mark(kFlags, &GameParam::flags);
        made.Mark(kFiles, &GameParam::file);
        made.Mark(kLists, &GameParam::list);
        if (made.count != kGameParamCount) {
            throw std::logic_error("the table of the game's parameters is not whole");
        }
        for (const GameParam& param : made.params) {
            std::size_t slot = HashOf(param.name) & (Table::kSlots - 1);
            while (made.slots[slot] != 0) {
                slot = (slot + 1) & (Table::kSlots - 1);
            }
            made.slots[slot] = static_cast<std::uint8_t>(param.id + 1);
        }
        return made;
    }();
    return table;
}

}  // namespace

const TypeWord* FindTypeWord(std::string_view value) {
    for (const TypeWord& type : kTypeWords) {
        if (EqualsIgnoringCase(value, type.word)) {
            return &type;
        }
    }
    return nullptr;
}

const TypeWord* TypeWordAt(std::uint8_t index) {
    return index == 0 || index > kTypeWords.size() ? nullptr : &kTypeWords[index - 1u];
}

std::optional<MoveKind> FindMove(std::string_view value) {
    for (const MoveKind move : {MoveKind::None, MoveKind::Path, MoveKind::Physics}) {
        if (EqualsIgnoringCase(value, MoveName(move))) {
            return move;
        }
    }
    return std::nullopt;
}

std::string_view MoveName(MoveKind move) {
    switch (move) {
        case MoveKind::Path:
            return "path";
        case MoveKind::Physics:
            return "physics";
        case MoveKind::None:
            break;
    }
    return "none";
}

const GameParam* FindGameParam(std::string_view name) {
    const Table& table = TheTable();
    for (std::size_t slot = HashOf(name) & (Table::kSlots - 1); table.slots[slot] != 0;
         slot = (slot + 1) & (Table::kSlots - 1)) {
        const GameParam& param = table.params[table.slots[slot] - 1u];
        // Files write names in lower case: the plain comparison first.
        if (param.name == name || (param.name.size() == name.size() &&
                                   std::equal(name.begin(), name.end(), param.name.begin(),
                                              [](char a, char b) { return FoldAscii(a) == b; }))) {
            return &param;
        }
    }
    return nullptr;
}

const GameParam& GameParamAt(std::size_t id) {
    return TheTable().params.at(id);
}

}  // namespace skerry
