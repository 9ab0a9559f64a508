#pragma once

#include <array>
#include <span>
#include <string_view>

#include "template/param_grid.hpp"

namespace skerry {

// A parameter of the catalogue: its key as shown in the grid (with the picker mark "+ " when
// a picker supplies the value) and its description. Descriptions double as markers that
// choose a row's editor, so their wording is fixed.
struct CatalogueEntry {
    std::string_view name;
    std::string_view description;
};

namespace catalogue {
std::span<const CatalogueEntry> Generic();
std::span<const CatalogueEntry> Physics();
std::span<const CatalogueEntry> Actor();
std::span<const CatalogueEntry> Weapon();
std::span<const CatalogueEntry> Explosion();
std::span<const CatalogueEntry> Item();
std::span<const CatalogueEntry> Particle();
std::span<const CatalogueEntry> Frames();

// The ten type words, in the order LoadGridMain tests them.
inline constexpr std::array<std::string_view, 10> kTypeWords = {
    "actor", "cog",  "corpse",   "debris", "explosion",
    "ghost", "item", "particle", "player", "weapon"};
}  // namespace catalogue

// The type loaders. Each rebuilds the whole grid: names, descriptions and empty values,
// with the type word as the value of row 0.
void LoadGeneric(ParamGrid& grid, std::string_view typeWord, std::size_t rowCount);
void LoadPhysics(ParamGrid& grid, std::size_t lastRow);
void LoadActor(ParamGrid& grid);
void LoadCog(ParamGrid& grid);
void LoadCorpse(ParamGrid& grid);
void LoadDebris(ParamGrid& grid);
void LoadExplosion(ParamGrid& grid);
void LoadItem(ParamGrid& grid);
void LoadParticle(ParamGrid& grid);
void LoadPlayer(ParamGrid& grid);
void LoadWeapon(ParamGrid& grid);

// Runs the loader of every type word found in text (case-sensitive substring match), in the
// fixed order, so the last match decides. Returns false, with the grid untouched, when the
// text holds no type word.
bool LoadGridMain(ParamGrid& grid, std::string_view text);

}  // namespace skerry
