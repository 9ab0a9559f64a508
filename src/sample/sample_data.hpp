#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sample/game_file_writers.hpp"

namespace skerry {

// The sample game data the editor runs on out of the box, all drawn by our own code:
//   DIR/jk/res2.gob, DIR/jk/res1hi.gob, DIR/mots/jkmres.goo, DIR/mots/jkmsnd.goo,
//   DIR/jed/master.tpl and DIR/jed/mots.tpl.
// Returns a message when a file cannot be written.
std::optional<std::string> WriteSampleData(const std::filesystem::path& dir);

// The entries of the sample res2.gob, for tests and benchmarks.
std::vector<ContainerEntry> SampleJkEntries();

// The sample jkmsnd.goo: a sound and a sound list.
std::string SampleSoundContainer();

// The palette of the sample dflt.cmp: sixteen ramps of sixteen shades.
Palette SamplePalette(int variant = 0);

// Drawn textures: bricks, a gradient, stripes.
std::string BrickPixels(int width, int height);
std::string GradientPixels(int width, int height);
std::string StripePixels(int width, int height);

}  // namespace skerry
