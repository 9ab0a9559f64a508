#include "template/catalogue.hpp"

#include <algorithm>

namespace skerry {

namespace {

constexpr CatalogueEntry kGeneric[] = {
    {"type", "template type (string)"},
    {"+ aiclass", "aiclass is file of (.ai)"},
    {"collide", "collide 0=none , 1=collidebox 3=face (int)"},
    {"move", "movetype none, path ,physics (string)"},
    {"size", "size  3do radius (flex)"},
    {"movesize", "movesize  3do radius (flex)"},
    {"+ thingflags", "thingflags  (int)"},
    {"light", "light (flex)"},
    {"timer", "timer (flex)"},
    {"+ model3d", "model3d is of file (.3do)"},
    {"+ particle", "particle is of file (.par)"},
    {"+ sprite", "sprite is of file (.spr)"},
    {"+ puppet", "puppet is of file (.pup)"},
    {"+ soundclass", "soundclass is of file (.snd) \"none\" can turn off parent sound"},
    {"+ cog", "cog is of file (.cog)"},
    {"creatething", "creatething is (template name)"},
    {"orient", "orient  is orientation (vector) [pitch,roll,yaw]"},
};

constexpr CatalogueEntry kPhysics[] = {
    {"surfdrag", "surface drag (flex)"},
    {"airdrag", "air drag (flex)"},
    {"staticdrag", "static drag (flex)"},
    {"mass", "mass (flex)"},
    {"height", "height (flex)"},
    {"+ physflags", "physics flags  (flags)"},
    {"maxrotvel", "maximum rotational velocity (vector)"},
    {"maxvel", "maximum velocity (flex)"},
    {"vel", "velocity (vector)"},
    {"angvel", "angular velocity (vector)"},
    {"orientspeed", "orient speed (flex)"},
    {"buoyancy", "water float (flex)"},
};

constexpr CatalogueEntry kActor[] = {
    {"weapon", "primary weapon (weapon template)"},
    {"weapon2", "secondary weapon (weapon template)"},
    {"health", "start health (flex)"},
    {"maxhealth", "maximum health (flex)"},
    {"maxthrust", "maximum thrust (flex)"},
    {"maxrotthrust", "maximum rotational thrust (flex)"},
    {"jumpspeed", "jumpspeed (flex)"},
    {"+ typeflags", "actor flags (int)"},
    {"eyeoffset", "eyeoffset on body (vector) "},
    {"minheadpitch", "minimum head pitch (flex)"},
    {"maxheadpitch", "maximum head pitch (flex)"},
    {"fireoffset", "fireoffset position (vector)"},
    {"lightintensity", "head light intensity (flex)"},
    {"explode", "explosion  (explosion template)"},
    {"error", "error (flex)"},
    {"fov", "field of view (flex)"},
    {"chance", "chance (flex)"},
};

constexpr CatalogueEntry kWeapon[] = {
    {"explode", "explosion (explosion template)"},
    {"fleshhit", "flesh hit (template name)"},
    {"trailthing", "projectile trail (template name)"},
    {"trailcylradius", "cylindrical radius of trailthing (flex)"},
    {"trailrandangle", "angle of trail thing (flex)"},
    {"elementsize", "trailthing distance (flex)"},
    {"damage", "damage amount(flex)"},
    {"mindamage", "minimum damage(flex)"},
    {"+ typeflags", "weapon flags (int)"},
    {"+ damageclass", "damage type (int)"},
    {"range", "range of weapon (flex)"},
    {"rate", "decay rate of damage (flex)"},
    {"force", "force of impact (flex)"},
};

constexpr CatalogueEntry kExplosion[] = {
    {"+ typeflags", "explosion flags (int)"},
    {"damage", "damage amount(flex)"},
    {"+ damageclass", "damage type (int)"},
    {"blasttime", "blast time (flex)"},
    {"force", "force of explosion (flex)"},
    {"maxlight", "maximum light of explosion (flex)"},
    {"range", "range of blast (flex)"},
    {"debris", "debris  (debris template)"},
    {"debris", "debris(debris template) set exp flag 0x80"},
    {"debris", "debris(debris template) set exp flag 0x80"},
    {"debris", "debris(debris template) set exp flag 0x80"},
    {"flashrgb", "color of the blast flash (vector) (r/g/b)"},
};

constexpr CatalogueEntry kItem[] = {
    {"+ typeflags", "item flags (int)"},
    {"respawn", "respawn time (flex)"},
};

constexpr CatalogueEntry kParticle[] = {
    {"+ typeflags", "particle flags (int)"},
    {"+ material", "material is file of (.mat)"},
    {"range", "maximum radius (flex)"},
    {"minsize", "minimum radius (flex)"},
    {"rate", "time out rate (flex)"},
    {"maxthrust", "expansion speed (flex)"},
    {"pitchrange", "pitch range (flex)"},
    {"yawrange", "yaw range (flex)"},
    {"elementsize", "size of element (flex)"},
    {"count", "number of particles (int) must be less than 256"},
};

constexpr CatalogueEntry kFrames[] = {
    {"numframes", "number of frames (int)"},
    {"frame", "frame (x/y/z:pitch/yaw/roll) (flex`s)"},
};

constexpr std::size_t kFirstCategoryRow = 17;  // rows 0-16 are the generic parameters
constexpr std::size_t kPhysicsLastRow = 28;
constexpr std::size_t kSecondCategoryRow = 29;

// Writes names and descriptions of a category from firstRow on; values stay as they are.
void WriteCategory(ParamGrid& grid, std::span<const CatalogueEntry> entries, std::size_t firstRow) {
    for (std::size_t i = 0; i < entries.size() && firstRow + i < grid.RowCount(); ++i) {
        GridRow& row = grid.Row(firstRow + i);
        row.name = entries[i].name;
        row.description = entries[i].description;
    }
}

void LoadWithPhysics(ParamGrid& grid, std::string_view typeWord, std::size_t rowCount) {
    LoadGeneric(grid, typeWord, rowCount);
    LoadPhysics(grid, kPhysicsLastRow);
}

}  // namespace

namespace catalogue {
std::span<const CatalogueEntry> Generic() {
    return kGeneric;
}
std::span<const CatalogueEntry> Physics() {
    return kPhysics;
}
std::span<const CatalogueEntry> Actor() {
    return kActor;
}
std::span<const CatalogueEntry> Weapon() {
    return kWeapon;
}
std::span<const CatalogueEntry> Explosion() {
    return kExplosion;
}
std::span<const CatalogueEntry> Item() {
    return kItem;
}
std::span<const CatalogueEntry> Particle() {
    return kParticle;
}
std::span<const CatalogueEntry> Frames() {
    return kFrames;
}
}  // namespace catalogue

void LoadGeneric(ParamGrid& grid, std::string_view typeWord, std::size_t rowCount) {
    grid.SetRowCount(rowCount);
    WriteCategory(grid, kGeneric, 0);
    for (std::size_t r = 0; r < rowCount; ++r) {
        grid.Row(r).value.clear();
        // A row that held a kept field of the grid before is the type's row now.
        grid.Row(r).kind = RowKind::Catalogue;
    }
    if (rowCount > 0) {
        grid.Row(0).value = typeWord;
    }
}

void LoadPhysics(ParamGrid& grid, std::size_t lastRow) {
    if (lastRow < kFirstCategoryRow) {
        return;
    }
    const std::size_t count = std::min(lastRow - kFirstCategoryRow + 1, std::size(kPhysics));
    WriteCategory(grid, std::span(kPhysics).first(count), kFirstCategoryRow);
}

void LoadActor(ParamGrid& grid) {
    LoadWithPhysics(grid, "actor", 46);
    WriteCategory(grid, kActor, kSecondCategoryRow);
}

void LoadCog(ParamGrid& grid) {
    LoadWithPhysics(grid, "cog", 31);
    WriteCategory(grid, kFrames, kSecondCategoryRow);
}

void LoadCorpse(ParamGrid& grid) {
    LoadWithPhysics(grid, "corpse", 29);
}

void LoadDebris(ParamGrid& grid) {
    LoadWithPhysics(grid, "debris", 29);
}

void LoadExplosion(ParamGrid& grid) {
    LoadGeneric(grid, "explosion", 29);
    WriteCategory(grid, kExplosion, kFirstCategoryRow);
}

void LoadItem(ParamGrid& grid) {
    LoadGeneric(grid, "item", 19);
    WriteCategory(grid, kItem, kFirstCategoryRow);
}

void LoadParticle(ParamGrid& grid) {
    LoadWithPhysics(grid, "particle", 39);
    WriteCategory(grid, kParticle, kSecondCategoryRow);
}

void LoadPlayer(ParamGrid& grid) {
    LoadWithPhysics(grid, "player", 46);
    WriteCategory(grid, kActor, kSecondCategoryRow);
}

void LoadWeapon(ParamGrid& grid) {
    LoadGeneric(grid, "weapon", 30);
    WriteCategory(grid, kWeapon, kFirstCategoryRow);
}

bool LoadGridMain(ParamGrid& grid, std::string_view text) {
    using Loader = void (*)(ParamGrid&);
    // Ghost has no category of its own: the generic rows alone.
    static constexpr Loader kLoaders[] = {
        LoadActor,  LoadCog,       LoadCorpse,
        LoadDebris, LoadExplosion, [](ParamGrid& g) { LoadGeneric(g, "ghost", kFirstCategoryRow); },
        LoadItem,   LoadParticle,  LoadPlayer,
        LoadWeapon,
    };
    static_assert(std::size(kLoaders) == catalogue::kTypeWords.size());

    // Only the last matching word matters: every loader rebuilds the whole grid.
    bool loaded = false;
    for (std::size_t i = catalogue::kTypeWords.size(); i-- > 0;) {
        if (text.find(catalogue::kTypeWords[i]) != std::string_view::npos) {
            kLoaders[i](grid);
            loaded = true;
            break;
        }
    }
    return loaded;
}

}  // namespace skerry
