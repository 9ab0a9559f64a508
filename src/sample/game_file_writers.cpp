#include "sample/game_file_writers.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "resources/model_geometry.hpp"

namespace skerry {

namespace {

std::string Fixed(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%f", value + 0.0);  // + 0.0: no "-0.000000"
    return text;
}

std::string Numbers(std::initializer_list<double> values) {
    std::string out;
    for (const double value : values) {
        out += " " + Fixed(value);
    }
    return out;
}

Vec3 Unit(const Vec3& v) {
    const double length = std::hypot(v.x, v.y, v.z);
    return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : Vec3{};
}

void AppendMesh(std::string& out, std::size_t index, const ModelMesh& mesh) {
    out += "MESH " + std::to_string(index) + "\r\nNAME " + mesh.name + "\r\nRADIUS " +
           Fixed(mesh.radius) + "\r\nGEOMETRYMODE\t4\r\nLIGHTINGMODE\t3\r\nTEXTUREMODE\t1\r\n\r\n";
    out += "VERTICES " + std::to_string(mesh.vertices.size()) + "\r\n";
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        const Vec3& v = mesh.vertices[i];
        out += std::to_string(i) + ":" + Numbers({v.x, v.y, v.z, 0}) + "\r\n";
    }
    out += "\r\nTEXTURE VERTICES 4\r\n0: 0 0\r\n1: 64 0\r\n2: 64 64\r\n3: 0 64\r\n";
    std::vector<Vec3> faceNormals;
    std::vector<Vec3> vertexNormals(mesh.vertices.size());
    for (const ModelFace& face : mesh.faces) {
        faceNormals.push_back(Unit(FaceNormal(mesh.vertices, mesh, face)));
        for (std::uint32_t k = 0; k < face.count; ++k) {
            Vec3& sum = vertexNormals[mesh.faceVertices[face.first + k]];
            sum = {sum.x + faceNormals.back().x, sum.y + faceNormals.back().y,
                   sum.z + faceNormals.back().z};
        }
    }
    out += "\r\nVERTEX NORMALS\r\n";
    for (std::size_t i = 0; i < vertexNormals.size(); ++i) {
        const Vec3 n = Unit(vertexNormals[i]);
        out += std::to_string(i) + ":" + Numbers({n.x, n.y, n.z}) + "\r\n";
    }
    out += "\r\nFACES " + std::to_string(mesh.faces.size()) + "\r\n";
    for (std::size_t i = 0; i < mesh.faces.size(); ++i) {
        const ModelFace& face = mesh.faces[i];
        out += std::to_string(i) + ": " + std::to_string(face.material) + " 0x4 4 3 1 " + Fixed(0) +
               " " + std::to_string(face.count);
        for (std::uint32_t k = 0; k < face.count; ++k) {
            out += " " + std::to_string(mesh.faceVertices[face.first + k]) + ", " +
                   std::to_string(k % 4);
        }
        out += "\r\n";
    }
    out += "\r\nFACE NORMALS\r\n";
    for (std::size_t i = 0; i < faceNormals.size(); ++i) {
        const Vec3& n = faceNormals[i];
        out += std::to_string(i) + ":" + Numbers({n.x, n.y, n.z}) + "\r\n";
    }
    out += "\r\n";
}

// Every other pixel of every other row: the next mip-map level, a side never below 1.
std::string HalfLevel(const std::string& pixels, std::int32_t width, std::int32_t height,
                      std::size_t bytesPerPixel) {
    const std::int32_t halfWidth = std::max(width / 2, 1);
    const std::int32_t halfHeight = std::max(height / 2, 1);
    std::string half;
    for (std::int32_t y = 0; y < halfHeight; ++y) {
        for (std::int32_t x = 0; x < halfWidth; ++x) {
            const auto at = static_cast<std::size_t>(2 * y * width + 2 * x) * bytesPerPixel;
            half += pixels.substr(std::min(at, pixels.size()), bytesPerPixel);
        }
    }
    return half;
}
}  // namespace

std::string MakeModel3do(const Model3do& model, std::string_view comment) {
    std::string out = "# " + std::string(comment) + "\r\n\r\nSECTION: HEADER\r\n3DO 2.1\r\n\r\n";
    out += "SECTION: MODELRESOURCE\r\nMATERIALS " + std::to_string(model.materials.size()) + "\r\n";
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        out += std::to_string(i) + ": " + model.materials[i] + "\r\n";
    }
    const Vec3& insert = model.insertOffset;
    out += "\r\nSECTION: GEOMETRYDEF\r\nRADIUS " + Fixed(model.radius) + "\r\nINSERT OFFSET" +
           Numbers({insert.x, insert.y, insert.z}) + "\r\nGEOSETS " +
           std::to_string(model.geosets.size()) + "\r\n";
    for (std::size_t g = 0; g < model.geosets.size(); ++g) {
        const std::vector<ModelMesh>& meshes = model.geosets[g].meshes;
        out += "GEOSET " + std::to_string(g) + "\r\nMESHES " + std::to_string(meshes.size()) +
               "\r\n\r\n";
        for (std::size_t m = 0; m < meshes.size(); ++m) {
            AppendMesh(out, m, meshes[m]);
        }
    }
    out += "SECTION: HIERARCHYDEF\r\nHIERARCHY NODES " + std::to_string(model.nodes.size()) +
           "\r\n# num: flags: type: mesh: parent: child: sibling: numChildren: x: y: z: pitch: "
           "yaw: roll: pivotx: pivoty: pivotz: hnodename:\r\n";
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const ModelNode& node = model.nodes[i];
        // The child, sibling and child count the game keeps besides the parent.
        std::int32_t child = -1, sibling = -1, children = 0;
        for (std::size_t k = model.nodes.size(); k-- > 0;) {
            if (model.nodes[k].parent == static_cast<std::int32_t>(i)) {
                child = static_cast<std::int32_t>(k);
                ++children;
            }
        }
        for (std::size_t k = i + 1; k < model.nodes.size() && sibling < 0; ++k) {
            if (model.nodes[k].parent == node.parent) {
                sibling = static_cast<std::int32_t>(k);
            }
        }
        const Vec3 &o = node.offset, &r = node.rotation, &p = node.pivot;
        out += std::to_string(i) + ": 0x0 0x1 " + std::to_string(node.mesh) + " " +
               std::to_string(node.parent) + " " + std::to_string(child) + " " +
               std::to_string(sibling) + " " + std::to_string(children) +
               Numbers({o.x, o.y, o.z, r.x, r.y, r.z, p.x, p.y, p.z}) + " " + node.name + "\r\n";
    }
    return out;
}

std::string MakeColormap(const Palette& palette) {
    std::string out = "CMP ";
    AppendLe32(out, 30);  // version
    AppendLe32(out, 1);   // has a transparency table
    out.resize(64, '\0');
    out.append(palette.begin(), palette.end());
    // Light levels: each level darkens towards index 0 in steps of the palette's own ramps.
    for (int level = 0; level < 64; ++level) {
        for (int i = 0; i < 256; ++i) {
            const int ramp = i & ~15;
            const int shade = (i & 15) * level / 63;
            out += static_cast<char>(ramp + shade);
        }
    }
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            out += static_cast<char>((a + b) / 2);
        }
    }
    return out;
}

std::string MakeMatOfPixels(const MatPixelFormat& format, const std::vector<TextureCel>& cels) {
    const std::size_t bytesPerPixel = format.SixteenBit() ? 2 : 1;
    std::vector<MatCelPixels> made;
    for (const TextureCel& cel : cels) {
        MatCelPixels& out = made.emplace_back();
        out.width = cel.width;
        out.height = cel.height;
        out.mipMaps = cel.mipMaps;
        std::string level = cel.pixels;
        std::int32_t width = cel.width, height = cel.height;
        for (std::int32_t mip = 0; mip < cel.mipMaps; ++mip) {
            out.pixels += level;
            level = HalfLevel(level, width, height, bytesPerPixel);
            width = std::max(width / 2, 1);
            height = std::max(height / 2, 1);
        }
    }
    return WriteTextureMat(format, false, made);
}

std::string MakeTextureMat(std::int32_t width, std::int32_t height, const std::string& pixels,
                           std::int32_t records) {
    std::vector<TextureCel> cels;
    for (std::int32_t cel = 0; cel < records; ++cel) {
        cels.push_back(
            {width, height, cel == 0 ? pixels : std::string(pixels.rbegin(), pixels.rend())});
    }
    return MakeMatOfPixels({}, cels);
}

std::string PackPixel(const MatPixelFormat& format, std::uint8_t red, std::uint8_t green,
                      std::uint8_t blue, std::uint16_t extra) {
    const std::uint8_t channels[3] = {red, green, blue};
    std::uint32_t word = extra;
    for (std::size_t c = 0; c < 3; ++c) {
        word |= static_cast<std::uint32_t>(channels[c] >> (8 - format.bits[c])) << format.shifts[c];
    }
    return {static_cast<char>(word & 0xff), static_cast<char>((word >> 8) & 0xff)};
}

std::string MakeSolidMat(std::uint8_t colourIndex) {
    return WriteColourMat({colourIndex});
}

}  // namespace skerry
