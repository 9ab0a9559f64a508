#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/gob_container.hpp"
#include "resources/mat_fileops.hpp"

namespace skerry {

// The container the Resource Picker has open, its entry names, and the colormaps textures
// are shown with.
class ResourceState {
  public:
    // Opens a container. On success it becomes the current one; otherwise the current one
    // stays, so later reads use the container the lists describe. Returns the message.
    std::optional<std::string> Load(const std::string& path);

    const std::string& CurrentPath() const { return path_; }
    // What to tell the user when the directory lists more entries than were read.
    std::optional<std::string> Shortfall() const { return DirectoryShortfall(path_, directory_); }

    // The entry names in directory order: the index is the directory index.
    const std::vector<std::string>& Names() const { return names_; }

    // The bytes of an entry of the current container, at most limit of them; nothing when it
    // cannot be read.
    std::optional<std::string> ReadEntry(std::size_t index, std::uint64_t limit = UINT64_MAX) const;

    // The first .cmp entries (up to one per slot), as the colormap list shows them.
    struct ColormapEntry {
        std::string fileName;
        std::size_t index;
    };
    std::vector<ColormapEntry> FindColormaps() const;
    // Reads each listed colormap into the slot of its position.
    void StoreColormaps(const std::vector<ColormapEntry>& colormaps);
    const ColormapTable& Colormaps() const { return colormaps_; }

    // Decodes one cel of a texture entry, with a colormap slot for an 8-bit one. The result
    // says how many cels there are and whether the colormap played a part. Throws MatError.
    DecodedTexture DecodeTexture(std::size_t index, std::size_t slot, char decimalSeparator,
                                 std::int32_t cel = 0) const;

  private:
    std::string path_;
    GobDirectory directory_;
    std::vector<std::string> names_;
    ColormapTable colormaps_;
};

}  // namespace skerry
