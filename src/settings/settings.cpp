#include "settings/settings.hpp"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "common/names.hpp"

namespace skerry {

std::string Settings::MasterTplPath() const {
    return Utf8Of(ResolveIgnoringCase(PathFromUtf8(jedTplPath)));
}

std::string Settings::MotsTplPath() const {
    return Utf8Of(ResolveIgnoringCase(PathFromUtf8(FolderOf(jedTplPath) + "mots.tpl")));
}

std::string ChooseWorkDir(const std::string& programDir, const std::string& perUserDir) {
    if (!FileExists(PathFromUtf8(programDir + kInstalledMarker)) &&
        CanWriteIn(PathFromUtf8(programDir))) {
        return programDir;
    }
    std::error_code ec;
    std::filesystem::create_directories(PathFromUtf8(perUserDir), ec);
    return WithTrailingSeparator(perUserDir);
}

std::string ExplainWorkDirFailure(const Settings& settings, const std::string& failure) {
    if (CanWriteIn(PathFromUtf8(settings.workDir))) {
        return failure;
    }
    return "Skerry keeps New.tpl, Old.tpl and exported bitmaps in " + settings.workDir +
           " and cannot write there now.\n(" + failure + ")";
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
