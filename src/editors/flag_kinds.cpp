#include "editors/flag_kinds.hpp"

#include <array>
#include <cstdio>

namespace skerry {

namespace {

constexpr FlagName kActorNames[] = {
    {2, "Field Light"},
    {3, "Invulnerable"},
    {7, "Invisible"},
};

constexpr FlagName kDamageNames[] = {
    {1, "Impact"}, {2, "Energy"}, {4, "Fire"}, {8, "Force"}, {16, "Saber"},
};

constexpr FlagName kExplosionNames[] = {
    {0, "Animated Sprite"},  {1, "Blast Phase"},    {2, "Damage In Blast Area"},
    {3, "Child Explosions"}, {4, "Variable Light"}, {6, "No Damage Shooter"},
    {7, "Random Debris"},    {8, "Flash Blind"},
};

constexpr FlagName kItemNames[] = {
    {0, "Respawn MP"},
    {2, "BackPack"},
    {3, "CTF Flag"},
};

constexpr FlagName kParticleNames[] = {
    {0, "Outward expanding"}, {1, "Animate cel"}, {2, "Random "},
    {3, "FadeOut"},           {4, "Emit light"},  {5, "used but not sure"},
};

constexpr FlagName kPhysicsNames[] = {
    {0, "Has Gravity"},     {4, "Align with surface"}, {5, "Bounce off surface"},
    {6, "Sticks to Floor"}, {7, "Sticks to Wall"},     {9, "No Rotation vel"},
    {16, "Crouching"},      {18, "Partial Gravity"},   {22, "No thrust effect"},
};

constexpr FlagName kThingNames[] = {
    {0, "Emits Light"},    {1, "Dead"},
    {2, "MagSealed"},      {3, "Part of World Geo"},
    {4, "Invisible"},      {6, "Can standon"},
    {10, "Used in Cog"},   {11, "No Crush"},
    {12, "Not in Easy"},   {13, "Not in Med"},
    {14, "Not in Hard"},   {15, "Not in Multi"},
    {16, "Not in Single"}, {17, "Sends Pulse msg"},
    {19, "Disabled"},      {22, "Made of Metal"},
    {23, "Made of Earth"}, {24, "No Sounds"},
};

constexpr FlagName kWeaponNames[] = {
    {10, "Reflects on Magsealed surf"},
    {11, "Sticks to things"},
    {12, "Close Proximity Trigger"},
};

constexpr std::array<FlagKind, 8> kKinds = {{
    {"actor", "Actor Flags", FlagStyle::Bits, kActorNames},
    {"damage", "Damage Type", FlagStyle::Enumerated, kDamageNames},
    {"explosion", "Explosion Flags", FlagStyle::Bits, kExplosionNames},
    {"item", "Item Type", FlagStyle::Bits, kItemNames},
    {"particle", "Particle flags", FlagStyle::Bits, kParticleNames},
    {"physics", "Physics flags", FlagStyle::Bits, kPhysicsNames},
    {"thing", "Thing flags", FlagStyle::Bits, kThingNames},
    {"weapon", "Weapon Flags", FlagStyle::Bits, kWeaponNames},
}};

}  // namespace

std::span<const FlagKind> FlagKinds() {
    return kKinds;
}

const FlagKind* FindFlagKind(std::string_view key) {
    for (const FlagKind& kind : kKinds) {
        if (kind.key == key) {
            return &kind;
        }
    }
    return nullptr;
}

std::string_view TypeFlagKey(std::string_view description) {
    // The word and the key are the same; a later word overrides an earlier one.
    std::string_view key;
    for (std::string_view word : {"actor", "item", "explosion", "particle", "weapon"}) {
        if (description.find(word) != std::string_view::npos) {
            key = word;
        }
    }
    return key;
}

std::string HexDigits(FlagStyle style, std::uint32_t value) {
    char digits[9] = {};
    if (style == FlagStyle::Bits) {
        std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
    } else {
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(value));
    }
    return digits;
}

std::string BaseCaption(FlagStyle style, std::size_t index) {
    const std::uint32_t value =
        style == FlagStyle::Bits ? std::uint32_t{1} << index : static_cast<std::uint32_t>(index);
    return "0x" + HexDigits(style, value);
}

std::string TrimHex(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) {
        return "0x0";
    }
    return "0x" + std::string(digits.substr(first));
}

}  // namespace skerry
