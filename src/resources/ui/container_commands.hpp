#pragma once

#include <string>

#include "settings/settings.hpp"

class QMenu;
class QWidget;

namespace skerry::ui {

// File > Pack folder into container: the folder, then the GOB or GOO to write (the dialect's
// kind proposed, in its resource folder), packed with progress; says what it wrote.
void PackFolderIntoContainer(QWidget* parent, const Settings& settings);
// The command as an item of menu (PackFolder1), after a separator of its own.
void AddPackFolderCommand(QMenu* menu, QWidget* parent, const Settings& settings);

// Unpack container: every entry of the container into a folder the user chooses, with
// progress; says what it wrote and what it left out.
void UnpackContainer(QWidget* parent, const std::string& container, const Settings& settings);

}  // namespace skerry::ui
