#include "settings/settings.hpp"

namespace skerry {

std::string Settings::MotsTplPath() const {
    return FolderOf(jedTplPath) + "mots.tpl";
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
