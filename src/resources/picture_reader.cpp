#include "resources/picture_reader.hpp"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "common/file_io.hpp"
#include "common/file_path.hpp"
#include "resources/byte_source.hpp"

// stb's readers for BMP, TGA and JPEG only, from memory, with our own side limit; PNG goes
// through libpng, which the program has anyway and which is the stricter reader.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_FAILURE_USERMSG
#define STBI_MAX_DIMENSIONS 4096
#include <stb_image.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

namespace skerry {

namespace {

static_assert(kMaxPictureSide == STBI_MAX_DIMENSIONS);

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

// The sides and depth a picture claims, refused when above the limits.
void CheckClaimedSize(std::int64_t width, std::int64_t height, std::uint64_t bytesPerPixel) {
    if (width < 1 || height < 1) {
        throw PictureError("The picture claims a size of " + std::to_string(width) + "x" +
                           std::to_string(height) + " pixels");
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        throw PictureError("The picture is " + std::to_string(width) + "x" +
                           std::to_string(height) + " pixels; pictures up to " +
                           std::to_string(kMaxPictureSide) + " pixels a side are read");
    }
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * bytesPerPixel;
    if (bytes > kMaxPicturePixelBytes) {
        throw PictureError("The picture's pixels come to " + std::to_string(bytes >> 20) +
                           " MB; pictures of up to 64 MB of pixels are read");
    }
}

Picture ReadPng(std::string_view bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    // The simplified reader keeps its error handling (setjmp) inside libpng.
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw PictureError("The PNG picture is broken: " + reason);
    }
    try {
        CheckClaimedSize(image.width, image.height, PNG_IMAGE_PIXEL_SIZE(image.format));
    } catch (const PictureError&) {
        png_image_free(&image);
        throw;
    }
    Picture picture;
    picture.width = static_cast<std::int32_t>(image.width);
    picture.height = static_cast<std::int32_t>(image.height);
    image.format = PNG_FORMAT_RGBA;
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw PictureError("The PNG picture is broken: " + reason);
    }
    return picture;
}

// stb reads through these, so that a picture that ends before its pixels do is seen: stb
// itself reads zeros past the end and calls the picture whole.
struct Feed {
    std::string_view bytes;
    std::size_t at = 0;
    bool ranOut = false;
};

int FeedRead(void* user, char* data, int size) {
    Feed& feed = *static_cast<Feed*>(user);
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(size, 0)), feed.bytes.size() - feed.at);
    if (count == 0 && size > 0) {
        feed.ranOut = true;
    }
    std::memcpy(data, feed.bytes.data() + feed.at, count);
    feed.at += count;
    return static_cast<int>(count);
}

void FeedSkip(void* user, int count) {
    Feed& feed = *static_cast<Feed*>(user);
    if (count < 0) {
        feed.at -= std::min(feed.at, static_cast<std::size_t>(-static_cast<std::int64_t>(count)));
    } else {
        feed.at += std::min(static_cast<std::size_t>(count), feed.bytes.size() - feed.at);
    }
}

int FeedEnd(void* user) {
    const Feed& feed = *static_cast<const Feed*>(user);
    return feed.at >= feed.bytes.size() ? 1 : 0;
}

constexpr stbi_io_callbacks kFeed = {FeedRead, FeedSkip, FeedEnd};

// stb takes a JPEG to start with 0xFF bytes and then its start marker.
bool LooksLikeJpeg(std::string_view bytes) {
    const std::size_t fill = bytes.find_first_not_of('\xff');
    return fill > 0 && fill != std::string_view::npos && bytes[fill] == '\xd8';
}

std::string KindOf(std::string_view bytes) {
    if (bytes.starts_with("BM")) {
        return "BMP";
    }
    return LooksLikeJpeg(bytes) ? "JPEG" : "TGA";
}

// Whether every Huffman table of a JPEG holds at most 256 codes: the stb of Debian 12 trusts
// the counts and writes past its tables otherwise. Segments are stepped over by their
// lengths; between them (in a scan's coded data) a marker is 0xFF and a byte other than 0.
bool JpegTablesFit(std::string_view bytes) {
    auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(bytes[at]); };
    std::size_t at = 0;
    while (at + 1 < bytes.size()) {
        const std::uint8_t marker = byte(at + 1);
        if (byte(at) != 0xff || marker == 0xff) {
            ++at;
            continue;
        }
        // Stuffed bytes, restarts, start and end of the picture have no length.
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xd0 && marker <= 0xd9)) {
            at += 2;
            continue;
        }
        if (at + 4 > bytes.size()) {
            break;
        }
        const std::size_t length = std::size_t{byte(at + 2)} << 8 | byte(at + 3);
        if (marker == 0xc4) {
            const std::size_t end = std::min(at + 2 + length, bytes.size());
            // stb reads what the file lacks as zeros.
            for (std::size_t table = at + 4; table < end;) {
                std::size_t codes = 0;
                for (std::size_t k = 1; k <= 16 && table + k < bytes.size(); ++k) {
                    codes += byte(table + k);
                }
                if (codes > 256) {
                    return false;
                }
                table += 17 + codes;
            }
        }
        at += 2 + length;
    }
    return true;
}

// What an uncompressed TGA must hold: stb reads its rows without asking whether they came.
std::uint64_t TgaBytesNeeded(std::string_view bytes) {
    const ByteReader reader(bytes);
    if (!reader.Holds(0, 18)) {
        return 0;
    }
    auto byte = [&](std::size_t at) { return static_cast<std::uint64_t>(std::uint8_t(bytes[at])); };
    auto word = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };
    const std::uint64_t type = byte(2);
    if (type != 1 && type != 2 && type != 3) {
        return 0;  // run-length coded: a run past the end is a read that finds nothing
    }
    const std::uint64_t colourMapBytes = byte(1) == 0 ? 0 : word(5) * ((byte(7) + 7) / 8);
    return 18 + byte(0) + colourMapBytes + word(12) * word(14) * ((byte(16) + 7) / 8);
}

Picture ReadWithStb(std::string_view bytes) {
    const std::string kind = KindOf(bytes);
    if (kind == "JPEG" && !JpegTablesFit(bytes)) {
        throw PictureError("The JPEG picture is broken: a Huffman table of more than 256 codes");
    }
    Feed feed{bytes};
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_callbacks(&kFeed, &feed, &width, &height, &channels)) {
        if (kind == "TGA") {
            throw PictureError("Not a PNG, BMP, TGA or JPEG picture");
        }
        throw PictureError("The " + kind + " picture is broken: " + stbi_failure_reason());
    }
    std::int64_t claimedHeight = static_cast<std::uint32_t>(height);
    const ByteReader reader(bytes);
    if (kind == "BMP" && reader.Holds(14, 12) && *reader.I32(14) >= 40) {
        // A negative height is a picture stored top row first; stb gives the word unsigned.
        claimedHeight = *reader.I32(22);
        claimedHeight = claimedHeight < 0 ? -claimedHeight : claimedHeight;
    }
    CheckClaimedSize(static_cast<std::uint32_t>(width), claimedHeight,
                     static_cast<std::uint64_t>(std::max(channels, 1)));
    if (kind == "TGA" && TgaBytesNeeded(bytes) > bytes.size()) {
        throw PictureError("The TGA picture ends before its pixels do");
    }
    feed = Feed{bytes};
    stbi_uc* pixels = stbi_load_from_callbacks(&kFeed, &feed, &width, &height, &channels, 4);
    if (!pixels) {
        throw PictureError("The " + kind + " picture is broken: " + stbi_failure_reason());
    }
    Picture picture;
    picture.width = width;
    picture.height = height;
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    picture.rgba.assign(pixels, pixels + size);
    stbi_image_free(pixels);
    if (feed.ranOut) {
        throw PictureError("The " + kind + " picture ends before its pixels do");
    }
    return picture;
}

}  // namespace

Picture ReadPicture(std::string_view bytes) {
    if (bytes.size() > kMaxPictureFileBytes) {
        throw PictureError("The picture is larger than 128 MB, the most that is read");
    }
    if (bytes.starts_with(kPngSignature)) {
        return ReadPng(bytes);
    }
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw PictureError("Not a PNG, BMP, TGA or JPEG picture");
    }
    return ReadWithStb(bytes);
}

Picture ReadPictureFile(const std::filesystem::path& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxPictureFileBytes) {
        throw PictureError(Utf8Of(path) + ": larger than 128 MB, the most that is read");
    }
    const FileBytes file = ReadFileBytes(path);
    if (!file.bytes) {
        throw PictureError(file.error);
    }
    try {
        return ReadPicture(*file.bytes);
    } catch (const PictureError& error) {
        throw PictureError(Utf8Of(path) + ": " + error.what());
    }
}

Picture ResizePicture(const Picture& picture, std::int32_t width, std::int32_t height) {
    Picture resized;
    resized.width = std::clamp(width, 1, kMaxPictureSide);
    resized.height = std::clamp(height, 1, kMaxPictureSide);
    resized.rgba.resize(static_cast<std::size_t>(resized.width) *
                        static_cast<std::size_t>(resized.height) * 4);
    if (!stbir_resize_uint8_srgb(picture.rgba.data(), picture.width, picture.height, 0,
                                 resized.rgba.data(), resized.width, resized.height, 0, 4, 3, 0)) {
        throw PictureError("The picture could not be resized");
    }
    return resized;
}

}  // namespace skerry
