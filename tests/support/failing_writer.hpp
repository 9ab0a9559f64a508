#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/file_io.hpp"

namespace skerry::testing {

// Makes the file writer fail half way through the file of that name, as a full disk would:
// the first half of its bytes is written, then the write reports failure. Other files go
// through the plain writer, which SetFileWriter({}) puts back and hands over. Undo with
// SetFileWriter({}).
inline void FailHalfWayThrough(const std::string& fileName) {
    SetFileWriter([fileName, plain = SetFileWriter({})](const std::filesystem::path& path,
                                                        std::string_view bytes) {
        if (path.filename() != fileName + ".part") {
            return plain(path, bytes);
        }
        std::ofstream(path, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
        return false;
    });
}

}  // namespace skerry::testing
