// A container as the Resource Picker reads it: the container test, the directory, every
// entry's name and bytes, and the names the picker lists and finds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/names.hpp"
#include "fuzz_check.hpp"
#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"
#include "resources/picker_listing.hpp"
#include "resources/picker_order.hpp"

using namespace skerry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    MemorySource source(bytes);
    const ContainerHeader header = TestContainer(source);
    if (header.status != ContainerStatus::Ok) {
        return 0;
    }
    const GobDirectory directory = ReadDirectory(source, header.count);
    FUZZ_REQUIRE(directory.entries.size() <= kDirectoryCapacity);
    FUZZ_REQUIRE(directory.entries.empty() ||
                 kDirectoryStart + directory.entries.size() * kEntryRecordSize <= size);

    std::vector<std::string> names;
    for (const GobEntry& entry : directory.entries) {
        std::string name = EntryName(entry);
        FUZZ_REQUIRE(name.size() <= kEntryNameSize);
        FUZZ_REQUIRE(name.find('\0') == std::string::npos);
        const std::string entryBytes = ReadEntry(source, entry);
        if (!entryBytes.empty()) {
            FUZZ_REQUIRE(entry.offset >= 0);
            FUZZ_REQUIRE(entryBytes.size() <= static_cast<std::size_t>(entry.size));
            FUZZ_REQUIRE(bytes.substr(static_cast<std::size_t>(entry.offset), entryBytes.size()) ==
                         entryBytes);
        }
        // A bitmap exported from any entry stays in the export folder.
        FUZZ_REQUIRE(ExportFileName(name).find_first_of("/\\") == std::string::npos);
        names.push_back(std::move(name));
    }

    for (const std::string_view extension : {".mat", ".cmp", ".3do", ".wav"}) {
        std::vector<std::string> listed = ListEntries(names, extension);
        std::stable_sort(listed.begin(), listed.end(), PickerNameLess);
        for (std::size_t i = 0; i < listed.size() && i < 16; ++i) {
            FUZZ_REQUIRE(FileExtension(listed[i]) == extension);
            const std::string entry = std::string(FolderPrefix(extension)) + listed[i];
            if (const auto index = FindName(names, entry)) {
                FUZZ_REQUIRE(EqualsIgnoringCase(names[*index], entry));
            }
        }
    }
    return 0;
}
