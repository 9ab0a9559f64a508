#include "support/bad_inputs.hpp"

#include <climits>
#include <stdexcept>
#include <string_view>

#include "resources/model_3do.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_data.hpp"
#include "sample/sample_pictures.hpp"

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

// The text with the first from replaced by to; the case is useless if from is not there.
std::string Replace(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        throw std::logic_error("no " + std::string(from) + " in the model");
    }
    return text.replace(at, from.size(), to);
}

// The CRC of a PNG chunk's type and data, so that a changed header still passes libpng's check.
std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A PNG whose header claims other sides.
std::string PngClaiming(std::string png, std::uint32_t width, std::uint32_t height) {
    for (std::size_t i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    const std::uint32_t crc = Crc32(std::string_view(png).substr(12, 17));
    for (std::size_t i = 0; i < 4; ++i) {
        png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    }
    return png;
}

BadContainer OneEntry(const char* caseName, const std::string& entryName, const char* shown,
                      bool unsafe = false) {
    return {caseName, MakeContainer({{entryName, "x"}}), true, 1, shown, "x", unsafe};
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
        OneEntry("name_dot_dot", "..\\..\\evil.mat", "..\\..\\evil.mat", true),
        OneEntry("name_slashes", "mat/../../../etc/x.mat", "mat/../../../etc/x.mat", true),
        OneEntry("name_dot_dot_inside", "mat\\..\\..\\x.mat", "mat\\..\\..\\x.mat", true),
        OneEntry("name_dots_and_blank", "mat\\. .\\x.mat", "mat\\. .\\x.mat", true),
        OneEntry("name_drive", "c:\\x.mat", "c:\\x.mat", true),
        OneEntry("name_drive_relative", "c:x.mat", "c:x.mat", true),
        OneEntry("name_root_backslash", "\\windows\\x.mat", "\\windows\\x.mat", true),
        OneEntry("name_root_slash", "/tmp/x.mat", "/tmp/x.mat", true),
        OneEntry("name_high_bytes", "mat\\\xe9t\xe9\xff\x80.mat", "mat\\\xe9t\xe9\xff\x80.mat"),
        OneEntry("name_control_bytes", "a.mat\t\r \x01", "a.mat"),
        OneEntry("name_empty", "", "", true),
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
    const std::string sixteen = MakeMatOfPixels(kFormat565, {{4, 4, words, 1}});
    const std::string twoCels = MakeMatOfPixels({}, {{4, 4, pixels, 3}, {4, 4, pixels, 3}});
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

std::vector<BadPicture> BadPictures() {
    const Picture stone = StonePicture(8, 4, true);
    const std::string png = PictureFile(stone, PictureFileKind::Png);
    const std::string bmp = PictureFile(stone, PictureFileKind::Bmp);
    const std::string tga = PictureFile(stone, PictureFileKind::Tga);
    const std::string runs = PictureFile(stone, PictureFileKind::TgaRunLength);
    const std::string jpeg = PictureFile(StonePicture(64, 64), PictureFileKind::Jpeg);
    // The BMP's rows are stored bottom-up; a negative height reads them top-down.
    std::vector<std::uint8_t> flipped;
    for (std::size_t row = 4; row-- > 0;) {
        flipped.insert(flipped.end(), stone.rgba.begin() + static_cast<std::ptrdiff_t>(row * 32),
                       stone.rgba.begin() + static_cast<std::ptrdiff_t>(row * 32 + 32));
    }
    const std::string notAPicture = "Not a PNG, BMP, TGA or JPEG picture";
    auto refused = [](const char* name, std::string bytes, std::string message) {
        return BadPicture{name, std::move(bytes), std::move(message), 0, 0, {}};
    };
    return {
        {"png", png, "", 8, 4, stone.rgba},
        {"bmp", bmp, "", 8, 4, stone.rgba},
        {"tga", tga, "", 8, 4, stone.rgba},
        {"tga_run_length", runs, "", 8, 4, stone.rgba},
        {"jpeg", jpeg, "", 64, 64, {}},
        refused("png_claims_100000x100000", PngClaiming(png, 100000, 100000),
                "The picture is 100000x100000 pixels; pictures up to 4096 pixels a side are read"),
        refused("png_claims_4096x4097", PngClaiming(png, 4096, 4097), "The picture is 4096x4097"),
        refused("png_claims_zero_wide", PngClaiming(png, 0, 4), "The PNG picture is broken"),
        refused("png_truncated", png.substr(0, png.size() / 2), "The PNG picture is broken"),
        // Every pixel is there; only the end chunk is not.
        {"png_without_its_end", png.substr(0, png.size() - 12), "", 8, 4, stone.rgba},
        {"bmp_negative_height", Poke(bmp, 22, -4), "", 8, 4, flipped},
        refused("bmp_height_int_min", Poke(bmp, 22, INT32_MIN), "The picture is 8x2147483648"),
        refused("bmp_truncated", bmp.substr(0, bmp.size() - 10), "The BMP picture ends before"),
        refused("tga_runs_past_its_end", tga.substr(0, tga.size() - 5),
                "The TGA picture ends before"),
        refused("tga_run_length_runs_past_its_end", runs.substr(0, runs.size() - 5),
                "The TGA picture ends before"),
        refused("jpeg_truncated", jpeg.substr(0, jpeg.size() / 2), "The JPEG picture is broken"),
        refused("empty", "", notAPicture),
        refused("one_byte", "B", notAPicture),
        refused("a_texture", MakeSolidMat(5), notAPicture),
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

std::vector<BadModel> BadModels() {
    // One triangle on the root node; a second node hangs from it with no mesh.
    const std::string good =
        "# two nodes, one triangle\n"
        "SECTION: HEADER\n"
        "3DO 2.1\n"
        "SECTION: MODELRESOURCE\n"
        "MATERIALS 1\n"
        "0: red.mat\n"
        "SECTION: GEOMETRYDEF\n"
        "RADIUS .5\n"
        "INSERT OFFSET 0 0 -.25\n"
        "GEOSETS 1\n"
        "GEOSET 0\n"
        "MESHES 1\n"
        "MESH 0\n"
        "NAME tri\n"
        "VERTICES 3\n"
        "0: 0 0 0 0\n"
        "1: .5 0 0 0\n"
        "2: 0 -.022 0x2 0\n"
        "TEXTURE VERTICES 1\n"
        "0: 0 0\n"
        "VERTEX NORMALS\n"
        "0: 0 0 1\n"
        "1: 0 0 1\n"
        "2: 0 0 1\n"
        "FACES 1\n"
        "0: 0 0x4 4 3 1 0 3 0, 0 1, 0 2, 0\n"
        "FACE NORMALS\n"
        "0: 0 0 1\n"
        "SECTION: HIERARCHYDEF\n"
        "HIERARCHY NODES 2\n"
        "0: 0x0 0x1 0 -1 1 -1 1 0 0 0 0 0 0 0 0 0 root\n"
        "1: 0x0 0x1 -1 0 -1 -1 0 0 0 0 0 0 0 0 0 0 child\n";
    const std::string face = "0: 0 0x4 4 3 1 0 3 0, 0 1, 0 2, 0";
    const std::string root = "0: 0x0 0x1 0 -1 1";
    const std::string child = "1: 0x0 0x1 -1 0 -1";
    std::string chain = Replace(good, "HIERARCHY NODES 2", "HIERARCHY NODES 10000");
    for (int i = 2; i < 10000; ++i) {
        chain += std::to_string(i) + ": 0 1 -1 " + std::to_string(i - 1) +
                 " -1 -1 0 0 0 .01 0 0 1 0 0 0 n\n";
    }
    std::string crlf;
    for (const char c : good) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return {
        {"short_numbers", good, ""},
        {"crlf_line_ends", crlf, ""},
        {"ten_thousand_nodes_in_a_chain", chain, ""},
        {"empty", "", "Not a 3DO model: it has no \"3DO 2.1\" line"},
        {"one_byte", "3", "Not a 3DO model: it has no \"3DO 2.1\" line"},
        {"a_texture", MakeTextureMat(4, 4, std::string(16, 'x')),
         "Not a 3DO model: it has no \"3DO 2.1\" line"},
        {"version_3", Replace(good, "3DO 2.1", "3DO 3.0"),
         "Line 3: 3DO version 3.0 is not read; 2.1 is"},
        {"materials_beyond_file", Replace(good, "MATERIALS 1", "MATERIALS 9"),
         "Line 5: The model lists 9 materials but holds 1"},
        {"geosets_beyond_file", Replace(good, "GEOSETS 1", "GEOSETS 2"),
         "The model lists 2 geosets but holds 1"},
        {"meshes_beyond_file", Replace(good, "MESHES 1", "MESHES 4"),
         "Geoset 0 lists 4 meshes but holds 1"},
        {"vertices_beyond_file", Replace(good, "VERTICES 3", "VERTICES 1000000"),
         "Line 15: Mesh 0 lists 1000000 vertices but holds 3"},
        {"vertices_int_max", Replace(good, "VERTICES 3", "VERTICES 2147483647"),
         "Line 15: Mesh 0 lists 2147483647 vertices but holds 3"},
        {"vertices_negative", Replace(good, "VERTICES 3", "VERTICES -1"),
         "Line 15: VERTICES: -1 is out of range"},
        {"vertices_past_int", Replace(good, "VERTICES 3", "VERTICES 99999999999"),
         "Line 15: VERTICES: 99999999999 is out of range"},
        {"faces_beyond_file", Replace(good, "FACES 1", "FACES 50"),
         "Line 25: Mesh 0 lists 50 faces but holds 1"},
        {"nodes_beyond_file", Replace(good, "HIERARCHY NODES 2", "HIERARCHY NODES 3"),
         "Line 30: The model lists 3 hierarchy nodes but holds 2"},
        {"face_vertex_missing", Replace(good, face, "0: 0 0x4 4 3 1 0 3 0, 0 1, 0 7, 0"),
         "Line 26: Face 0 of mesh 0 names vertex 7; the mesh has 3"},
        {"face_vertex_negative", Replace(good, face, "0: 0 0x4 4 3 1 0 3 0, 0 -1, 0 2, 0"),
         "Line 26: Face 0 of mesh 0: -1 is out of range"},
        {"face_corners_missing", Replace(good, face, "0: 0 0x4 4 3 1 0 9 0, 0 1, 0 2, 0"),
         "Line 26: Face 0 of mesh 0 lists 9 vertices but gives 3"},
        {"face_material_missing", Replace(good, face, "0: 4 0x4 4 3 1 0 3 0, 0 1, 0 2, 0"),
         "Line 26: Face 0 of mesh 0 names material 4; the model has 1"},
        {"node_mesh_missing", Replace(good, child, "1: 0x0 0x1 5 0 -1"),
         "Line 32: Node 1 names mesh 5; the geoset has 1"},
        {"parent_out_of_range", Replace(good, child, "1: 0x0 0x1 -1 2 -1"),
         "Line 32: Node 1 names parent 2; the model has 2 nodes"},
        {"parent_negative", Replace(good, child, "1: 0x0 0x1 -1 -2 -1"),
         "Line 32: Node 1: -2 is out of range"},
        {"hierarchy_loop", Replace(good, root, "0: 0x0 0x1 0 1 1"),
         "The hierarchy loops: node 0 is among its own parents"},
        {"node_its_own_parent", Replace(good, child, "1: 0x0 0x1 -1 1 -1"),
         "The hierarchy loops: node 1 is among its own parents"},
        {"node_cut_short", Replace(good, "0 0 child", "child"), "Line 32: Node 1 is cut short"},
        {"number_not_finite", Replace(good, "1: .5 0 0 0", "1: nan 0 0 0"),
         "Line 17: Vertex 1: 'nan' is not a number"},
        {"count_two_signs", Replace(good, "VERTICES 3", "VERTICES --9223372036854775808"),
         "Line 15: VERTICES: '--9223372036854775808' is not a whole number"},
        {"number_out_of_range", Replace(good, "1: .5 0 0 0", "1: 1e300 0 0 0"),
         "Line 17: Vertex 1: 1e300 is out of range"},
        {"mesh_out_of_order", Replace(good, "MESH 0", "MESH 1"),
         "Line 13: MESH 1 where mesh 0 is due"},
        {"second_vertices_table", Replace(good, "TEXTURE VERTICES 1", "VERTICES 1"),
         "Line 19: a second VERTICES table"},
        {"larger_than_read", good + std::string(kMaxModelBytes, '#'),
         "The model is larger than 16 MB, the most that is read"},
    };
}

}  // namespace skerry::testing
