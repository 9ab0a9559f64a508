#include "resources/texture_writer.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>

#include "resources/byte_source.hpp"

namespace skerry {

namespace {

constexpr std::uint32_t kOneAsFloat = 0x3f800000;  // 1.0f, as the game's colour records hold
// The most a made MAT may come to: far above any texture the game draws, and a bound on what
// a long list of pictures can ask for.
constexpr std::uint64_t kMaxMadeMatBytes = std::uint64_t{512} << 20;

std::string MatHeader(std::int32_t type, std::int32_t records, std::int32_t textures,
                      const MatPixelFormat& format) {
    std::string header = "MAT ";
    AppendLe32(header, 0x32);
    AppendLe32(header, static_cast<std::uint32_t>(type));
    AppendLe32(header, static_cast<std::uint32_t>(records));
    AppendLe32(header, static_cast<std::uint32_t>(textures));
    AppendLe32(header, format.SixteenBit() ? 1 : 0);  // indexed or RGB colour
    AppendLe32(header, static_cast<std::uint32_t>(format.bitsPerPixel));
    if (format.SixteenBit()) {
        for (const std::int32_t bits : format.bits)
            AppendLe32(header, static_cast<std::uint32_t>(bits));
        for (const std::int32_t shift : format.shifts)
            AppendLe32(header, static_cast<std::uint32_t>(shift));
        for (const std::int32_t bits : format.bits)
            AppendLe32(header, static_cast<std::uint32_t>(8 - bits));  // each channel's loss
        // The bits the colours leave are alpha: its bits, shift and loss.
        const std::int32_t alpha = 16 - format.bits[0] - format.bits[1] - format.bits[2];
        if (alpha > 0) {
            AppendLe32(header, static_cast<std::uint32_t>(alpha));
            AppendLe32(header, static_cast<std::uint32_t>(16 - alpha));
            AppendLe32(header, static_cast<std::uint32_t>(8 - alpha));
        }
    }
    header.resize(kMatHeaderBytes, '\0');
    return header;
}

std::uint64_t LevelPixels(std::int32_t width, std::int32_t height, std::int32_t level) {
    return static_cast<std::uint64_t>(std::max(width >> level, 1)) *
           static_cast<std::uint64_t>(std::max(height >> level, 1));
}

std::uint64_t CelPixels(std::int32_t width, std::int32_t height, std::int32_t mipMaps) {
    std::uint64_t pixels = 0;
    for (std::int32_t level = 0; level < mipMaps; ++level) {
        pixels += LevelPixels(width, height, level);
    }
    return pixels;
}

// The nearest palette colour of a pixel, the least sum of squared differences, a tie going to
// the lower index. A colour can only be nearest to a box of the colour cube if its least
// distance to the box is no more than the greatest distance of the colour that is nearest at
// its worst; so the cube is cut into 16x16x16 cells, each of which learns, when first met, the
// colours that can be nearest inside it, and each cell into 4x4x4 boxes, which learn theirs from
// the cell's few. Most boxes end with one colour: their pixels need no search at all, and the
// others search two or three. Both are learnt only for the colours a picture has.
class NearestColour {
  public:
    NearestColour(const ColormapSlot& palette, int first) {
        for (std::size_t i = 0; i < 256; ++i) {
            colours_[i] = {palette.red[i], palette.green[i], palette.blue[i]};
        }
        boxCount_.assign(std::size_t{1} << (3 * kBoxBits), 0);
        boxStart_.resize(boxCount_.size());
        std::vector<std::uint8_t> all;
        for (int i = first; i < 256; ++i) {
            all.push_back(static_cast<std::uint8_t>(i));
        }
        all_ = std::move(all);
    }

    std::uint8_t Index(int red, int green, int blue) {
        const std::size_t box =
            static_cast<std::size_t>((red >> kBoxShift) << (2 * kBoxBits) |
                                     (green >> kBoxShift) << kBoxBits | (blue >> kBoxShift));
        if (boxCount_[box] == 0) {
            LearnBox(box, red >> kBoxShift << kBoxShift, green >> kBoxShift << kBoxShift,
                     blue >> kBoxShift << kBoxShift);
        }
        const std::uint8_t* candidates = arena_.data() + boxStart_[box];
        const std::uint16_t count = boxCount_[box];
        if (count == 1) {
            return candidates[0];
        }
        std::uint8_t best = candidates[0];
        int bestDistance = Distance(best, red, green, blue);
        for (std::uint16_t k = 1; k < count; ++k) {
            const int distance = Distance(candidates[k], red, green, blue);
            if (distance < bestDistance) {
                best = candidates[k];
                bestDistance = distance;
            }
        }
        return best;
    }

    const std::array<std::uint8_t, 3>& Colour(std::uint8_t index) const { return colours_[index]; }

  private:
    static constexpr int kCellShift = 4;
    static constexpr int kCellBits = 8 - kCellShift;
    static constexpr int kBoxShift = 2;
    static constexpr int kBoxBits = 8 - kBoxShift;

    int Distance(std::uint8_t index, int red, int green, int blue) const {
        const std::array<std::uint8_t, 3>& c = colours_[index];
        const int dr = red - c[0], dg = green - c[1], db = blue - c[2];
        return dr * dr + dg * dg + db * db;
    }

    // The colours of from that can be nearest somewhere in the box of side span from low.
    std::vector<std::uint8_t> Candidates(const std::vector<std::uint8_t>& from, const int low[3],
                                         int span) const {
        std::array<int, 256> least{};
        int bound = INT32_MAX;
        for (const std::uint8_t i : from) {
            int near = 0, far = 0;
            for (std::size_t c = 0; c < 3; ++c) {
                const int value = colours_[i][c];
                const int high = low[c] + span - 1;
                const int gap = value < low[c] ? low[c] - value : value > high ? value - high : 0;
                const int reach = std::max(value - low[c], high - value);
                near += gap * gap;
                far += reach * reach;
            }
            least[i] = near;
            bound = std::min(bound, far);
        }
        std::vector<std::uint8_t> candidates;
        for (const std::uint8_t i : from) {
            if (least[i] <= bound) {
                candidates.push_back(i);
            }
        }
        return candidates;
    }

    void LearnBox(std::size_t box, int red, int green, int blue) {
        const std::size_t cell =
            static_cast<std::size_t>((red >> kCellShift) << (2 * kCellBits) |
                                     (green >> kCellShift) << kCellBits | (blue >> kCellShift));
        std::unique_ptr<std::vector<std::uint8_t>>& inCell = cells_[cell];
        if (!inCell) {
            const int low[3] = {red >> kCellShift << kCellShift, green >> kCellShift << kCellShift,
                                blue >> kCellShift << kCellShift};
            inCell =
                std::make_unique<std::vector<std::uint8_t>>(Candidates(all_, low, 1 << kCellShift));
        }
        const int low[3] = {red, green, blue};
        const std::vector<std::uint8_t> inBox = Candidates(*inCell, low, 1 << kBoxShift);
        boxStart_[box] = static_cast<std::uint32_t>(arena_.size());
        boxCount_[box] = static_cast<std::uint16_t>(inBox.size());
        arena_.insert(arena_.end(), inBox.begin(), inBox.end());
    }

    std::array<std::array<std::uint8_t, 3>, 256> colours_{};
    std::vector<std::uint8_t> all_;
    std::array<std::unique_ptr<std::vector<std::uint8_t>>, 1 << (3 * kCellBits)> cells_;
    // Each box's candidates: how many (0 until learnt) and where they start in the arena.
    std::vector<std::uint16_t> boxCount_;
    std::vector<std::uint32_t> boxStart_;
    std::vector<std::uint8_t> arena_;
};

// One level of a cel in its own colours, red, green, blue and alpha.
struct Level {
    std::int32_t width = 0;
    std::int32_t height = 0;
    const std::uint8_t* rgba = nullptr;
};

// The next mip-map level: each pixel the average of a 2x2 block, rounded half up.
std::vector<std::uint8_t> HalfLevel(const Level& level) {
    const std::size_t width = static_cast<std::size_t>(std::max(level.width / 2, 1));
    const std::size_t height = static_cast<std::size_t>(std::max(level.height / 2, 1));
    const std::size_t stride = static_cast<std::size_t>(level.width) * 4;
    // A side already 1 takes its one pixel twice.
    const std::size_t dx = level.width > 1 ? 4 : 0;
    const std::size_t dy = level.height > 1 ? stride : 0;
    std::vector<std::uint8_t> half(width * height * 4);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* top = level.rgba + 2 * y * stride;
        std::uint8_t* out = half.data() + y * width * 4;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t* p = top + 8 * x;
            for (std::size_t c = 0; c < 4; ++c) {
                out[4 * x + c] = static_cast<std::uint8_t>(
                    (p[c] + p[dx + c] + p[dy + c] + p[dy + dx + c] + 2) / 4);
            }
        }
    }
    return half;
}

void IndexLevel(const Level& level, const TextureOptions& options, NearestColour& nearest,
                std::uint8_t* out) {
    const std::size_t count =
        static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height);
    const std::uint8_t* p = level.rgba;
    if (!options.dither) {
        for (std::size_t i = 0; i < count; ++i, p += 4) {
            out[i] = options.transparent && p[3] < 128 ? 0 : nearest.Index(p[0], p[1], p[2]);
        }
        return;
    }
    // Floyd-Steinberg: each pixel's error goes 7/16 right, 3/16 below left, 5/16 below and
    // 1/16 below right. See-through pixels are index 0 and neither take nor pass on error.
    const std::size_t width = static_cast<std::size_t>(level.width);
    std::vector<int> errors((width + 2) * 3 * 2, 0);
    int* thisRow = errors.data();
    int* nextRow = errors.data() + (width + 2) * 3;
    for (std::size_t y = 0; y < static_cast<std::size_t>(level.height); ++y) {
        std::fill(nextRow, nextRow + (width + 2) * 3, 0);
        for (std::size_t x = 0; x < width; ++x, p += 4) {
            const std::size_t at = y * width + x;
            if (options.transparent && p[3] < 128) {
                out[at] = 0;
                continue;
            }
            int* error = thisRow + (x + 1) * 3;
            int wanted[3];
            for (std::size_t c = 0; c < 3; ++c) {
                wanted[c] =
                    std::clamp(p[c] + (error[c] >= 0 ? error[c] + 8 : error[c] - 8) / 16, 0, 255);
            }
            const std::uint8_t index = nearest.Index(wanted[0], wanted[1], wanted[2]);
            out[at] = index;
            const std::array<std::uint8_t, 3>& got = nearest.Colour(index);
            for (std::size_t c = 0; c < 3; ++c) {
                const int left = wanted[c] - got[c];
                error[3 + c] += left * 7;
                nextRow[x * 3 + c] += left * 3;
                nextRow[(x + 1) * 3 + c] += left * 5;
                nextRow[(x + 2) * 3 + c] += left;
            }
        }
        std::swap(thisRow, nextRow);
    }
}

// A channel rounded to its bits: (c * (2^bits - 1) + 127) / 255.
std::array<std::uint16_t, 256> Rounded(int bits) {
    std::array<std::uint16_t, 256> table{};
    const int top = (1 << bits) - 1;
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>((c * top + 127) / 255);
    }
    return table;
}

void WordLevel(const Level& level, bool transparent, std::uint8_t* out) {
    static const std::array<std::uint16_t, 256> five = Rounded(5), six = Rounded(6);
    const std::size_t count =
        static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height);
    const std::uint8_t* p = level.rgba;
    for (std::size_t i = 0; i < count; ++i, p += 4) {
        const std::uint32_t word =
            transparent
                ? static_cast<std::uint32_t>((p[3] >= 128 ? 1 : 0) << 15 | five[p[0]] << 10 |
                                             five[p[1]] << 5 | five[p[2]])
                : static_cast<std::uint32_t>(five[p[0]] << 11 | six[p[1]] << 5 | five[p[2]]);
        out[2 * i] = static_cast<std::uint8_t>(word & 0xff);
        out[2 * i + 1] = static_cast<std::uint8_t>(word >> 8);
    }
}

// The header and the texture records of a MAT of count cels, in a string ready for size bytes.
std::string MatStart(const MatPixelFormat& format, std::int32_t count, std::size_t size) {
    std::string out = MatHeader(2, count, count, format);
    out.reserve(size);
    for (std::int32_t cel = 0; cel < count; ++cel) {
        AppendLe32(out, 8);  // a texture record
        out.append(32, '\0');
        AppendLe32(out, static_cast<std::uint32_t>(cel));
    }
    return out;
}

void AppendCelHeader(std::string& out, std::int32_t width, std::int32_t height, bool transparent,
                     std::int32_t mipMaps) {
    AppendLe32(out, static_cast<std::uint32_t>(width));
    AppendLe32(out, static_cast<std::uint32_t>(height));
    AppendLe32(out, transparent ? 1 : 0);
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, static_cast<std::uint32_t>(mipMaps));
}

std::string SideChoices(std::int32_t side, const char* what) {
    const std::int32_t capped = std::clamp(side, std::int32_t{1}, kMaxMadeTextureSide);
    const std::int32_t lower =
        static_cast<std::int32_t>(std::bit_floor(static_cast<std::uint32_t>(capped)));
    if (lower == side) {
        return std::to_string(side) + " " + what;
    }
    if (lower >= capped && capped == kMaxMadeTextureSide) {
        return std::to_string(lower) + " " + what;
    }
    return std::to_string(lower) + " or " + std::to_string(lower * 2) + " " + what;
}

}  // namespace

std::string WriteTextureMat(const MatPixelFormat& format, bool transparent,
                            const std::vector<MatCelPixels>& cels) {
    std::size_t size = kMatHeaderBytes + kMatRecordBytes * cels.size();
    for (const MatCelPixels& cel : cels) {
        size += kTextureHeaderBytes + cel.pixels.size();
    }
    std::string out = MatStart(format, static_cast<std::int32_t>(cels.size()), size);
    for (const MatCelPixels& cel : cels) {
        AppendCelHeader(out, cel.width, cel.height, transparent, cel.mipMaps);
        out += cel.pixels;
    }
    return out;
}

std::string WriteColourMat(const std::vector<std::uint8_t>& indexes) {
    std::string out = MatHeader(0, static_cast<std::int32_t>(indexes.size()), 0, {});
    out.reserve(out.size() + kColourRecordBytes * indexes.size());
    for (const std::uint8_t index : indexes) {
        AppendLe32(out, 0);  // a colour record
        AppendLe32(out, index);
        for (int i = 0; i < 4; ++i) {
            AppendLe32(out, kOneAsFloat);
        }
    }
    return out;
}

bool IsTextureSide(std::int32_t side) {
    return side >= 1 && side <= kMaxMadeTextureSide &&
           std::has_single_bit(static_cast<std::uint32_t>(side));
}

std::int32_t MostMipMaps(std::int32_t width, std::int32_t height) {
    const std::int32_t smaller = std::max(std::min(width, height), 1);
    return std::bit_width(static_cast<std::uint32_t>(smaller));
}

std::string TextureSideProblem(std::int32_t width, std::int32_t height) {
    if (IsTextureSide(width) && IsTextureSide(height)) {
        return {};
    }
    return std::to_string(width) + "x" + std::to_string(height) +
           " pixels will not do: a texture's sides are powers of two from 1 to " +
           std::to_string(kMaxMadeTextureSide) + "; " + SideChoices(width, "wide") + " and " +
           SideChoices(height, "high") + " would";
}

std::int32_t NearestTextureSide(std::int32_t side) {
    const auto capped =
        static_cast<std::uint32_t>(std::clamp(side, std::int32_t{1}, kMaxMadeTextureSide));
    const std::uint32_t lower = std::bit_floor(capped);
    // Nearest by ratio: the upper one when side / lower is at least the square root of 2.
    const std::uint64_t squared = std::uint64_t{capped} * capped;
    const bool upper = lower < static_cast<std::uint32_t>(kMaxMadeTextureSide) &&
                       squared >= 2 * std::uint64_t{lower} * lower;
    return static_cast<std::int32_t>(upper ? 2 * lower : lower);
}

Picture FitToTextureSides(const Picture& picture) {
    const std::int32_t width = NearestTextureSide(picture.width);
    const std::int32_t height = NearestTextureSide(picture.height);
    if (width == picture.width && height == picture.height) {
        return picture;
    }
    return ResizePicture(picture, width, height);
}

std::string MakeMat(const std::vector<Picture>& cels, const TextureOptions& options) {
    if (cels.empty()) {
        throw TextureError("A texture needs a picture for each of its cels");
    }
    const std::int32_t width = cels.front().width, height = cels.front().height;
    if (const std::string problem = TextureSideProblem(width, height); !problem.empty()) {
        throw TextureError(problem);
    }
    for (std::size_t i = 1; i < cels.size(); ++i) {
        if (cels[i].width != width || cels[i].height != height) {
            throw TextureError("Cel " + std::to_string(i) + " is " + std::to_string(cels[i].width) +
                               "x" + std::to_string(cels[i].height) + " pixels and cel 0 is " +
                               std::to_string(width) + "x" + std::to_string(height) +
                               ": the cels of a texture are all of one size");
        }
    }
    const std::int32_t most = MostMipMaps(width, height);
    if (options.mipMaps < 1 || options.mipMaps > most) {
        throw TextureError("A " + std::to_string(width) + "x" + std::to_string(height) +
                           " texture has 1 to " + std::to_string(most) + " mip-map levels, not " +
                           std::to_string(options.mipMaps));
    }
    const std::uint64_t bytesPerPixel = options.sixteenBit ? 2 : 1;
    const std::uint64_t celBytes = CelPixels(width, height, options.mipMaps) * bytesPerPixel;
    const std::uint64_t total =
        kMatHeaderBytes + cels.size() * (kMatRecordBytes + kTextureHeaderBytes + celBytes);
    if (total > kMaxMadeMatBytes) {
        throw TextureError("The texture would come to " + std::to_string(total >> 20) +
                           " MB; a made texture may come to 512 MB at most");
    }

    const MatPixelFormat format = !options.sixteenBit   ? MatPixelFormat{}
                                  : options.transparent ? kFormat1555
                                                        : kFormat565;
    // The nearest-colour search, and what it has learnt, serves every level of every cel.
    std::unique_ptr<NearestColour> nearest;
    if (!options.sixteenBit) {
        nearest = std::make_unique<NearestColour>(options.palette, options.transparent ? 1 : 0);
    }
    // Written straight into the MAT: a level of 2048x2048 pixels is not worth copying.
    std::string out =
        MatStart(format, static_cast<std::int32_t>(cels.size()), static_cast<std::size_t>(total));
    for (const Picture& picture : cels) {
        if (picture.rgba.size() !=
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
            throw TextureError("A picture does not hold its pixels");
        }
        AppendCelHeader(out, width, height, options.transparent, options.mipMaps);
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(celBytes));
        auto* pixels = reinterpret_cast<std::uint8_t*>(out.data() + at);
        Level level{width, height, picture.rgba.data()};
        std::vector<std::uint8_t> smaller;
        for (std::int32_t k = 0; k < options.mipMaps; ++k) {
            if (k > 0) {
                smaller = HalfLevel(level);
                level = {std::max(level.width / 2, 1), std::max(level.height / 2, 1),
                         smaller.data()};
            }
            if (options.sixteenBit) {
                WordLevel(level, options.transparent, pixels);
            } else {
                IndexLevel(level, options, *nearest, pixels);
            }
            pixels += LevelPixels(width, height, k) * bytesPerPixel;
        }
    }
    return out;
}

std::vector<Rgb> DecodedColours(const DecodedTexture& texture) {
    const ByteReader bmp(texture.bmp);
    const std::size_t width = static_cast<std::size_t>(texture.width);
    const std::size_t height = static_cast<std::size_t>(texture.height);
    const bool rgb = texture.sixteenBit;
    const std::uint64_t stride = BmpStride(texture.width, rgb ? 24 : 8);
    const std::size_t rowsAt = rgb ? kRgbBmpHeaderBytes : kBmpHeaderBytes;
    std::vector<Rgb> colours(width * height);
    auto byte = [&](std::uint64_t at) { return static_cast<std::uint8_t>(texture.bmp[at]); };
    if (!bmp.Holds(rowsAt, stride * height)) {
        return colours;
    }
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint64_t row = rowsAt + (height - 1 - y) * stride;  // bottom-up
        for (std::size_t x = 0; x < width; ++x) {
            Rgb& colour = colours[y * width + x];
            if (rgb) {
                colour = {byte(row + 3 * x + 2), byte(row + 3 * x + 1), byte(row + 3 * x)};
            } else {
                const std::uint64_t entry = 54 + 4 * std::uint64_t{byte(row + x)};
                colour = {byte(entry + 2), byte(entry + 1), byte(entry)};
            }
        }
    }
    return colours;
}

double MeanColourError(const std::vector<Picture>& cels, std::string_view mat,
                       const ColormapSlot& palette) {
    const ByteReader reader(mat);
    const std::uint64_t firstCelAt =
        kMatHeaderBytes + kMatRecordBytes * static_cast<std::uint64_t>(reader.I32(12).value_or(0));
    const bool transparent = reader.I32(firstCelAt + 8).value_or(0) != 0;
    double sum = 0;
    std::uint64_t counted = 0;
    for (std::size_t cel = 0; cel < cels.size(); ++cel) {
        const DecodedTexture texture = DecodeMat(mat, palette, '.', static_cast<std::int32_t>(cel));
        const std::vector<Rgb> colours = DecodedColours(texture);
        const std::vector<std::uint8_t>& rgba = cels[cel].rgba;
        for (std::size_t i = 0; i < colours.size() && 4 * i + 3 < rgba.size(); ++i) {
            if (transparent && rgba[4 * i + 3] < 128) {
                continue;
            }
            const int dr = rgba[4 * i] - colours[i].red;
            const int dg = rgba[4 * i + 1] - colours[i].green;
            const int db = rgba[4 * i + 2] - colours[i].blue;
            sum += std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db));
            ++counted;
        }
    }
    return counted == 0 ? 0.0 : sum / static_cast<double>(counted);
}

}  // namespace skerry
