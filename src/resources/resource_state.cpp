#include "resources/resource_state.hpp"

#include "common/file_path.hpp"
#include "resources/picker_listing.hpp"

namespace skerry {

std::optional<std::string> ResourceState::Load(const std::string& path) {
    LoadedContainer loaded = LoadContainer(PathFromUtf8(path));
    if (loaded.status != ContainerStatus::Ok) {
        return loaded.error;
    }
    path_ = path;
    directory_ = std::move(loaded.directory);
    names_.clear();
    names_.reserve(directory_.entries.size());
    for (const GobEntry& entry : directory_.entries) {
        names_.push_back(EntryName(entry));
    }
    return std::nullopt;
}

std::optional<std::string> ResourceState::ReadEntry(std::size_t index, std::uint64_t limit) const {
    if (index >= directory_.entries.size()) {
        return std::nullopt;
    }
    return ReadEntryFromFile(PathFromUtf8(path_), directory_.entries[index], limit);
}

std::vector<ResourceState::ColormapEntry> ResourceState::FindColormaps() const {
    std::vector<ColormapEntry> found;
    for (std::size_t i = 0; i < names_.size() && found.size() < kColormapSlots; ++i) {
        if (FileExtension(names_[i]) == ".cmp") {
            found.push_back({std::string(FileNamePart(names_[i])), i});
        }
    }
    return found;
}

void ResourceState::StoreColormaps(const std::vector<ColormapEntry>& colormaps) {
    // One opening for all of them, and only the header and palette of each: the rest of a
    // colormap (light levels, transparency) is a hundred times larger and never used.
    std::optional<FileSource> source = FileSource::Open(PathFromUtf8(path_));
    for (std::size_t slot = 0; slot < colormaps.size() && slot < kColormapSlots; ++slot) {
        const std::size_t index = colormaps[slot].index;
        std::string bytes;
        if (source && index < directory_.entries.size()) {
            bytes = skerry::ReadEntry(*source, directory_.entries[index], kColormapBytes);
        }
        colormaps_.Load(slot, bytes);
    }
}

DecodedTexture ResourceState::DecodeTexture(std::size_t index, std::size_t slot,
                                            char decimalSeparator, std::int32_t cel) const {
    return DecodeMat(ReadEntry(index).value_or(std::string()), colormaps_.Slot(slot),
                     decimalSeparator, cel);
}

}  // namespace skerry
