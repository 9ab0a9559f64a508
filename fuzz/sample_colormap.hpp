#pragma once

#include "resources/mat_fileops.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"

// The sample dflt.cmp's palette, made once, for the targets that show textures.
inline const skerry::ColormapSlot& SampleColormap() {
    static const skerry::ColormapTable table = [] {
        skerry::ColormapTable made;
        made.Load(0, skerry::MakeColormap(skerry::SamplePalette()));
        return made;
    }();
    return table.Slot(0);
}
