// A container unpacked whole, as `skerry-cli gob extract --all` does it: every entry name
// either stays below the folder or is left out, and nothing is written anywhere else.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "common/file_io.hpp"
#include "fuzz_check.hpp"
#include "resources/container_files.hpp"
#include "resources/gob_container.hpp"

#ifdef _WIN32
#include <process.h>
#define SKERRY_PID _getpid
#else
#include <unistd.h>
#define SKERRY_PID getpid
#endif

using namespace skerry;
namespace fs = std::filesystem;

namespace {

// Inputs up to this size are also unpacked onto the disk; larger ones only have their names
// checked, so that fuzzing keeps its pace.
constexpr std::size_t kLargestWritten = 64 * 1024;

void CheckName(std::string_view name) {
    const std::optional<fs::path> below = EntryPathBelow(name);
    FUZZ_REQUIRE(below.has_value() == !UnsafeEntryName(name).has_value());
    if (!below) {
        return;
    }
    FUZZ_REQUIRE(below->is_relative() && !below->has_root_name() && !below->has_root_directory());
    FUZZ_REQUIRE(below->has_filename());
    for (const fs::path& part : *below) {
        FUZZ_REQUIRE(!part.empty() && part != "." && part != "..");
    }
    const fs::path base = fs::path("base") / "dir";
    const fs::path inside = (base / *below).lexically_normal().lexically_relative(base);
    FUZZ_REQUIRE(!inside.empty() && *inside.begin() != "..");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    const ContainerHeader header = TestContainer(source);
    if (header.status != ContainerStatus::Ok) {
        return 0;
    }
    for (const GobEntry& entry : ReadDirectory(source, header.count).entries) {
        CheckName(EntryName(entry));
    }
    if (size > kLargestWritten) {
        return 0;
    }
    std::error_code ec;
    const fs::path work =
        fs::temp_directory_path(ec) / ("skerry-fuzz-unpack-" + std::to_string(SKERRY_PID()));
    fs::remove_all(work, ec);
    fs::create_directories(work, ec);
    FUZZ_REQUIRE(!WriteFileWhole(work / "in.gob", bytes, Durability::Unsynced));
    // A file in a folder's place may fail to be written; whatever happens stays in "out".
    ExtractContainer(work / "in.gob", work / "out");
    for (const fs::directory_entry& entry : fs::directory_iterator(work)) {
        const fs::path name = entry.path().filename();
        FUZZ_REQUIRE(name == "in.gob" || name == "out");
    }
    fs::remove_all(work, ec);
    return 0;
}
