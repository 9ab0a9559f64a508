// A colormap entry read into a slot, and the colour table of a texture shown with it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "resources/mat_fileops.hpp"
#include "sample/game_file_writers.hpp"

using namespace skerry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The length picks the slot, so that every byte of the input stays colormap.
    const std::size_t slot = size % kColormapSlots;
    ColormapTable table;
    table.Load(slot, bytes);
    const ColormapSlot& colours = table.Slot(slot);
    auto paletteByte = [&](std::size_t k) {
        return 64 + k < size ? data[64 + k] : std::uint8_t{0};
    };
    for (std::size_t i = 0; i < 256; ++i) {
        FUZZ_REQUIRE(colours.red[i] == paletteByte(3 * i));
        FUZZ_REQUIRE(colours.green[i] == paletteByte(3 * i + 1));
        FUZZ_REQUIRE(colours.blue[i] == paletteByte(3 * i + 2));
    }

    static const std::string texture = MakeTextureMat(2, 2, std::string("\x00\x01\x02\x03", 4));
    const DecodedTexture shown = DecodeMat(texture, colours);
    for (std::size_t i = 0; i < 256; ++i) {
        const auto at = [&](std::size_t k) {
            return static_cast<std::uint8_t>(shown.bmp[54 + 4 * i + k]);
        };
        FUZZ_REQUIRE(at(0) == colours.blue[i] && at(1) == colours.green[i] &&
                     at(2) == colours.red[i] && at(3) == 0);
    }
    return 0;
}
