#include "support/bad_inputs.hpp"

#include <climits>

#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"

namespace skerry::testing {

namespace {

// Overwrites a little-endian 32-bit field of a made file.
std::string Poke(std::string bytes, std::size_t at, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xff);
    }
    return bytes;
}

// Where the fields of a made container and a made 4x4 texture stand.
constexpr std::size_t kCount = 12;
constexpr std::size_t kFirstOffset = 16;
constexpr std::size_t kFirstSize = 20;
constexpr std::size_t kFirstName = 24;
constexpr std::size_t kRecordCount = 12;
constexpr std::size_t kWidth = 116;
constexpr std::size_t kHeight = 120;
constexpr std::size_t kCelCount = 16;
constexpr std::size_t kBitsPerPixel = 24;
constexpr std::size_t kGreenBits = 32;
constexpr std::size_t kBlueShift = 48;
// ... and of a made texture of two 4x4 cels, each in three levels (16, 4 and 1 bytes).
constexpr std::size_t kFirstMipMaps = 76 + 2 * 40 + 20;
constexpr std::size_t kSecondWidth = 76 + 2 * 40 + 24 + 21;

BadContainer OneEntry(const char* caseName, const std::string& entryName, const char* shown) {
    return {caseName, MakeContainer({{entryName, "x"}}), true, 1, shown, "x"};
}

}  // namespace

std::vector<BadContainer> BadContainers() {
    // Two entries: "first" at 288, "second" right after it; 299 bytes in all.
    const std::string two = MakeContainer({{"mat\\a.mat", "first"}, {"cog\\b.cog", "second"}});
    const std::string a = "mat\\a.mat";
    std::vector<ContainerEntry> many(4097, {"x", ""});
    std::string unterminated = two;
    unterminated.replace(kFirstName, 128, std::string(128, 'n'));

    return {
        {"empty", "", false, 0, "", ""},
        {"one_byte", "G", false, 0, "", ""},
        {"signature_line_feed", "GOB\n" + two.substr(4), false, 0, "", ""},
        {"header_without_count", std::string("GOB ") + std::string(8, '\0'), true, 0, "", ""},
        {"count_negative", Poke(two, kCount, -1), true, 0, "", ""},
        {"count_int_min", Poke(two, kCount, INT32_MIN), true, 0, "", ""},
        {"count_zero", Poke(two, kCount, 0), true, 0, "", ""},
        {"count_4097", MakeContainer(many), true, 4096, "x", ""},
        {"count_beyond_file", Poke(two, kCount, 1000000), true, 2, a, "first"},
        {"count_int_max", Poke(two, kCount, INT32_MAX), true, 2, a, "first"},
        {"directory_cut_short", two.substr(0, 16 + 136 + 60), true, 1, a, ""},
        {"offset_negative", Poke(two, kFirstOffset, -5), true, 2, a, ""},
        {"offset_past_end", Poke(two, kFirstOffset, 10000), true, 2, a, ""},
        {"offset_huge", Poke(two, kFirstOffset, INT32_MAX), true, 2, a, ""},
        {"size_negative", Poke(two, kFirstSize, -1), true, 2, a, ""},
        {"size_zero", Poke(two, kFirstSize, 0), true, 2, a, ""},
        {"size_huge", Poke(two, kFirstSize, INT32_MAX), true, 2, a, "firstsecond"},
        {"size_past_end", Poke(two, kFirstSize, 50), true, 2, a, "firstsecond"},
        {"name_without_zero", unterminated, true, 2, std::string(128, 'n'), "first"},
        OneEntry("name_dot_dot", "..\\..\\evil.mat", "..\\..\\evil.mat"),
        OneEntry("name_slashes", "mat/../../../etc/x.mat", "mat/../../../etc/x.mat"),
        OneEntry("name_high_bytes", "mat\\\xe9t\xe9\xff\x80.mat", "mat\\\xe9t\xe9\xff\x80.mat"),
        OneEntry("name_control_bytes", "a.mat\t\r \x01", "a.mat"),
        OneEntry("name_empty", "", ""),
    };
}

std::vector<BadTexture> BadTextures() {
    std::string pixels;
    for (int i = 0; i < 16; ++i) {
        pixels += static_cast<char>(i + 1);
    }
    const std::string good = MakeTextureMat(4, 4, pixels);
    const std::string solid = MakeSolidMat(5);
    std::string words;
    for (char pixel : pixels) {
        words += PackPixel(kFormat565, static_cast<std::uint8_t>(pixel * 16), 0x80, 0x40);
    }
    const std::string sixteen = MakeMat(kFormat565, {{4, 4, words, 1}});
    const std::string twoCels = MakeMat({}, {{4, 4, pixels, 3}, {4, 4, pixels, 3}});
    return {
        {"empty", ""},
        {"one_byte", "M"},
        {"signature_only", "MAT "},
        {"signature_lower_case", "mat " + good.substr(4)},
        {"header_cut_short", good.substr(0, 75)},
        {"records_negative", Poke(good, kRecordCount, -1)},
        {"records_huge", Poke(good, kRecordCount, INT32_MAX)},
        {"records_past_end", Poke(good, kRecordCount, 1000)},
        {"texture_header_cut_short", good.substr(0, 76 + 40 + 20)},
        {"width_zero", Poke(good, kWidth, 0)},
        {"width_negative", Poke(good, kWidth, -4)},
        {"width_huge", Poke(good, kWidth, INT32_MAX)},
        {"width_over_limit", Poke(good, kWidth, 8193)},
        {"height_zero", Poke(good, kHeight, 0)},
        {"height_negative", Poke(good, kHeight, INT32_MIN)},
        {"height_huge", Poke(good, kHeight, INT32_MAX)},
        {"rows_truncated", good.substr(0, good.size() - 6), true, 4, 4},
        {"no_pixels", good.substr(0, good.size() - 16), true, 4, 4},
        {"widest", Poke(Poke(good, kWidth, 8192), kHeight, 1), true, 8192, 1},
        {"solid_colour", solid, true, 64, 64},
        {"solid_of_another_type", Poke(solid, 8, 7), true, 64, 64},
        {"solid_record_cut_short", solid.substr(0, 90)},
        {"bits_per_pixel_32", Poke(good, kBitsPerPixel, 32), true, 4, 4},
        {"sixteen_bit", sixteen, true, 4, 4, true},
        {"sixteen_bit_rows_truncated", sixteen.substr(0, sixteen.size() - 11), true, 4, 4, true},
        {"sixteen_bit_trailing_bytes", sixteen + std::string(1000, '\xff'), true, 4, 4, true},
        {"sixteen_bit_bits_huge", Poke(sixteen, kGreenBits, INT32_MAX), true, 4, 4, true},
        {"sixteen_bit_shift_negative", Poke(sixteen, kBlueShift, -3), true, 4, 4, true},
        {"sixteen_bit_shift_huge", Poke(sixteen, kBlueShift, 40), true, 4, 4, true},
        {"sixteen_bit_widest", Poke(Poke(sixteen, kWidth, 8192), kHeight, 1), true, 8192, 1, true},
        {"cels_two", twoCels, true, 4, 4, false, 2},
        {"cels_none", Poke(twoCels, kCelCount, 0), true, 4, 4},
        {"cels_past_end", Poke(twoCels, kCelCount, 1000), true, 4, 4, false, 2},
        {"cels_huge", Poke(twoCels, kCelCount, INT32_MAX), true, 4, 4, false, 2},
        {"cels_second_cut_short", twoCels.substr(0, kSecondWidth + 20), true, 4, 4},
        {"cels_second_width_huge", Poke(twoCels, kSecondWidth, INT32_MAX), true, 4, 4},
        {"mipmaps_huge", Poke(twoCels, kFirstMipMaps, INT32_MAX), true, 4, 4},
        {"mipmaps_negative", Poke(twoCels, kFirstMipMaps, -5), true, 4, 4},
        {"solid_colours_three", Poke(solid + solid.substr(76) + solid.substr(76), kRecordCount, 3),
         true, 64, 64, false, 3},
        {"solid_colours_past_end", Poke(solid, kRecordCount, INT32_MAX), true, 64, 64},
    };
}

std::vector<BadColormap> BadColormaps() {
    const std::string whole = MakeColormap(SamplePalette());
    std::vector<BadColormap> cases;
    for (const std::size_t size : {0, 1, 63, 64, 65, 66, 67, 400, 830, 831}) {
        cases.push_back({"bytes_" + std::to_string(size), whole.substr(0, size)});
    }
    return cases;
}

std::vector<BadTemplateFile> BadTemplateFiles() {
    using namespace std::string_literals;
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i) {
        tenThousand += "t" + std::to_string(i) + " none type=item\r\n";
    }
    std::string sixty = "wide none type=actor";
    for (int i = 3; i < 60; ++i) {
        sixty += " p" + std::to_string(i) + "=" + std::to_string(i);
    }
    std::string high = "\xe9t\xe9 none type=\xff\r\nx";
    for (int c = 128; c < 256; ++c) {
        high += static_cast<char>(c);
    }
    return {
        {"empty", "", 0, "", false},
        {"one_byte", "a", 1, "a"},
        {"only_a_cr", "\r", 0, "", false},
        {"ten_thousand_lines", tenThousand, 999, "t0", true},
        {"megabyte_line", "big none type=item note=" + std::string(1 << 20, 'x') + "\r\n", 1,
         "big"},
        {"sixty_fields", sixty + "\r\n", 1, "wide"},
        {"nul_bytes", "nu\0l none type=item\r\nnext none\0\r\n"s, 2, "nu\0l"s},
        {"only_crs", "a none\rb none\rc none\r", 3, "a"},
        {"only_lfs", "a none\nb none\n", 2, "a"},
        {"mixed_ends", "a none\r\nb none\rc none\nd none\n\re none", 5, "a"},
        {"ctrl_z_in_the_middle", "a none\r\nb no\x1ane\r\nc none\r\n", 2, "a"},
        {"bytes_above_127", high + "\r\n", 2, "\xe9t\xe9"},
    };
}

}  // namespace skerry::testing
