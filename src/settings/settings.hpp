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
    std::string programDir;  // folder of the running program and its help; not stored
    // Where New.tpl, Old.tpl and exported bitmaps go: the program's folder when it can be
    // written, else the user's own data folder (an installed program); not stored.
    std::string workDir;
    std::string jedTplPath;  // full path of Jed's master.tpl
    std::string jkDir;       // folder of res2.gob
    std::string motsDir;     // folder of the Mots containers
    bool jkDialect = true;   // exactly one dialect is on
    bool motsDialect = false;
    bool restartNeeded = false;
    // Once the picker has listed a container's entries, the dialect is settled for the rest
    // of the run: switching would mix the two games' files.
    bool dialectFixed = false;

    // The Jed template file of the JK dialect: the stored path itself. Both template files
    // are found ignoring letter case (MASTER.TPL, Mots.tpl), as the game's containers are.
    std::string MasterTplPath() const;
    // mots.tpl lies beside master.tpl.
    std::string MotsTplPath() const;
    // The Jed template file of the run's dialect, which Open reads and Save rebuilds from.
    std::string JedTemplatePath() const { return motsDialect ? MotsTplPath() : MasterTplPath(); }
    // Its file name as messages name it.
    const char* JedTemplateName() const { return motsDialect ? "mots.tpl" : "master.tpl"; }
    std::string NewTplPath() const { return workDir + "New.tpl"; }
    std::string OldTplPath() const { return workDir + "Old.tpl"; }
    std::string HelpFilePath() const { return programDir + "Skerry.html"; }
};

// The folder for New.tpl, Old.tpl and exported bitmaps: the program's own when files can be
// made there (a copy run from a folder of one's own), else perUserDir, made when missing. An
// installer leaves kInstalledMarker beside the program: an installed copy keeps each user's
// files apart even where the program's folder can be written (an administrator's session,
// an installation into a folder of one's own).
inline constexpr const char* kInstalledMarker = "Installed.txt";
std::string ChooseWorkDir(const std::string& programDir, const std::string& perUserDir);

// The message for a write into the working folder that failed. When the folder itself cannot
// be written any more, it says so plainly, since that is what the user must change.
std::string ExplainWorkDirFailure(const Settings& settings, const std::string& failure);

// Everything up to and including the last separator of either kind; empty when there is none.
std::string FolderOf(const std::string& path);

// The directory with a separator at its end (an empty text stays empty).
std::string WithTrailingSeparator(std::string dir);

}  // namespace skerry
