#pragma once

#include <QString>

namespace skerry::ui {

// Creates the windows offscreen, walks a short editing scenario and writes one PNG per
// window into folder. The settings come from settingsFile, never from the user's own.
// Messages raised on the way are printed, not waited on. Returns the number of pictures
// that could not be written.
int RunScreenshotTour(const QString& folder, const QString& settingsFile);

}  // namespace skerry::ui
