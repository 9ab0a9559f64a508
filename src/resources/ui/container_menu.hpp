#pragma once

#include <functional>
#include <string>

#include "settings/settings.hpp"

class QComboBox;

namespace skerry::ui {

// The container box's menu: its text's own commands, then "Unpack container..." for the
// container the picker has open (the action UnpackContainer1, a child of the box).
void AddContainerMenu(QComboBox* box, std::function<std::string()> openContainer,
                      const Settings& settings);

// A container just written: the boxes AddContainerMenu was given list it from now on when it
// lies in the folder whose containers they list (the run's dialect's), as they would after
// a restart.
void OfferContainer(const std::string& path);

}  // namespace skerry::ui
