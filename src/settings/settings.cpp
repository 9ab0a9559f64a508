#include "settings/settings.hpp"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/file_io.hpp"

namespace skerry {

std::string Settings::MotsTplPath() const {
    return FolderOf(jedTplPath) + "mots.tpl";
}

std::string ExplainProgramDirFailure(const Settings& settings, const std::string& failure) {
    if (CanWriteIn(settings.programDir)) {
        return failure;
    }
    return "Skerry keeps New.tpl, Old.tpl and exported bitmaps in its own folder, " +
           settings.programDir +
           ", and cannot write there. Run a copy of Skerry from a folder you can write to.\n(" +
           failure + ")";
}

std::string FolderOf(const std::string& path) {
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string WithTrailingSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') {
        dir += kDirSeparator;
    }
    return dir;
}

}  // namespace skerry
