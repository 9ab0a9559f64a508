#pragma once

#include <QString>

namespace skerry::ui {

// Creates the windows offscreen, walks a short editing scenario and writes one PNG per
// window into folder. The settings come from settingsFile, never from the user's own.
// Messages raised on the way are printed, not waited on. Returns the number of pictures
// that could not be written. When realData names a folder of real game files with a 3do
// folder, the picker also shows one of them, read from there for the picture alone.
int RunScreenshotTour(const QString& folder, const QString& settingsFile,
                      const QString& realData = {});

}  // namespace skerry::ui
