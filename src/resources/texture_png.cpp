#include "resources/texture_png.hpp"

#include <png.h>

#include <array>
#include <cstdint>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "resources/byte_source.hpp"

namespace skerry {

std::optional<std::string> PngFromBmp(std::string_view bmp) {
    const ByteReader reader(bmp);
    if (!reader.Holds(0, kRgbBmpHeaderBytes) || bmp.substr(0, 2) != "BM") {
        return std::nullopt;
    }
    const std::int32_t pixelsAt = *reader.I32(10);
    const std::int32_t width = *reader.I32(18);
    const std::int32_t height = *reader.I32(22);
    const std::int32_t planesAndBits = *reader.I32(26);
    const std::int32_t bitsPerPixel = planesAndBits >> 16;
    const std::int32_t compression = *reader.I32(30);
    if (width < 1 || width > kMaxTextureSide || height < 1 || height > kMaxTextureSide ||
        (bitsPerPixel != 8 && bitsPerPixel != 24) || compression != 0 || pixelsAt < 0) {
        return std::nullopt;
    }
    const std::uint64_t stride = BmpStride(width, bitsPerPixel);
    const std::uint64_t rowsAt = static_cast<std::uint64_t>(pixelsAt);
    if (!reader.Holds(rowsAt, stride * static_cast<std::uint64_t>(height))) {
        return std::nullopt;
    }

    // libpng's simplified writer keeps its error handling (setjmp) inside the library, so no
    // jump crosses our frames. A negative stride says the first row in memory is the bottom.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    std::array<std::uint8_t, 3 * 256> palette{};
    const void* colormap = nullptr;
    if (bitsPerPixel == 8) {
        if (!reader.Holds(kRgbBmpHeaderBytes, 4 * 256)) {
            return std::nullopt;
        }
        // The BMP's table is blue, green, red, 0; the PNG's red, green, blue.
        for (std::size_t i = 0; i < 256; ++i) {
            for (std::size_t c = 0; c < 3; ++c) {
                palette[3 * i + c] = static_cast<std::uint8_t>(bmp[54 + 4 * i + 2 - c]);
            }
        }
        image.format = PNG_FORMAT_RGB_COLORMAP;
        image.colormap_entries = 256;
        colormap = palette.data();
    } else {
        image.format = PNG_FORMAT_BGR;
    }
    // The largest a PNG of this image can come to, so that one pass writes it whole.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    std::string png(static_cast<std::size_t>(size), '\0');
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, bmp.data() + rowsAt,
                                   -static_cast<png_int_32>(stride), colormap)) {
        png_image_free(&image);
        return std::nullopt;
    }
    png.resize(static_cast<std::size_t>(size));
    return png;
}

std::optional<std::string> SavePicture(const std::filesystem::path& path, std::string_view bmp,
                                       PictureFormat format) {
    if (format == PictureFormat::Bmp) {
        return ExportBmp(path, bmp);
    }
    const std::optional<std::string> png = PngFromBmp(bmp);
    if (!png) {
        return "Cannot make a PNG picture for " + Utf8Of(path);
    }
    // Made again from its texture at any time, like an exported BMP: not worth a sync.
    return WriteFileWhole(path, *png, Durability::Unsynced);
}

}  // namespace skerry
