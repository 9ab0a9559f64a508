#pragma once

#include <string>

namespace skerry {

// The platform's directory separator, which ends every stored directory.
#ifdef _WIN32
inline constexpr char kDirSeparator = '\\';
#else
inline constexpr char kDirSeparator = '/';
#endif

// The program-wide settings, and the files every subsystem derives from them.
// Directories end with a separator. Paths read back may use either separator.
struct Settings {
    std::string programDir;  // folder of the running program; not stored
    std::string jedTplPath;  // full path of Jed's master.tpl
    std::string jkDir;       // folder of res2.gob
    std::string motsDir;     // folder of the Mots containers
    bool jkDialect = true;   // exactly one dialect is on
    bool motsDialect = false;
    bool restartNeeded = false;

    // The Jed template file of the JK dialect: the stored path itself.
    std::string MasterTplPath() const { return jedTplPath; }
    // mots.tpl lies beside master.tpl.
    std::string MotsTplPath() const;
    std::string NewTplPath() const { return programDir + "New.tpl"; }
    std::string OldTplPath() const { return programDir + "Old.tpl"; }
    std::string HelpFilePath() const { return programDir + "Skerry.html"; }
};

// The message for a write into the program directory that failed. When the directory itself
// cannot be written (an installed program in a system folder), it says so plainly, since
// that is what the user must change.
std::string ExplainProgramDirFailure(const Settings& settings, const std::string& failure);

// Everything up to and including the last separator of either kind; empty when there is none.
std::string FolderOf(const std::string& path);

// The directory with a separator at its end (an empty text stays empty).
std::string WithTrailingSeparator(std::string dir);

}  // namespace skerry
