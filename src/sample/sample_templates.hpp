#pragma once

#include <string>

namespace skerry {

// Template files of our own making, in the shape of the level editor's: base templates with
// hierarchies several levels deep, every template type, "# DESC: " lines, tabs between the
// columns and CR LF line ends. jkDialect chooses between the two files' sets.
std::string SampleTemplateFile(bool jkDialect);

}  // namespace skerry
