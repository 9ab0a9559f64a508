// A 3DO model as the picker shows it: read and checked, placed by its hierarchy, its
// materials coloured, its first geoset projected into a picture and its numbers as text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.hpp"
#include "resources/model_3do.hpp"
#include "resources/model_geometry.hpp"
#include "resources/model_preview.hpp"
#include "sample/game_file_writers.hpp"

using namespace skerry;

namespace {

bool Inside(const Vec3& p, const Box& box) {
    constexpr double slack = 1e-9;
    return p.x >= box.low.x - slack && p.x <= box.high.x + slack && p.y >= box.low.y - slack &&
           p.y <= box.high.y + slack && p.z >= box.low.z - slack && p.z <= box.high.z + slack;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Model3do model;
    try {
        model = ReadModel3do(bytes);
    } catch (const ModelError& error) {
        FUZZ_REQUIRE(std::string_view(error.what()).size() > 0);
        return 0;
    }
    // What the reader promises of every model it gives.
    for (const ModelGeoset& geoset : model.geosets) {
        for (const ModelMesh& mesh : geoset.meshes) {
            for (const ModelFace& face : mesh.faces) {
                FUZZ_REQUIRE(face.material >= -1 &&
                             face.material < static_cast<std::int64_t>(model.materials.size()));
                FUZZ_REQUIRE(std::uint64_t{face.first} + face.count <= mesh.faceVertices.size());
                for (std::uint32_t k = 0; k < face.count; ++k) {
                    FUZZ_REQUIRE(mesh.faceVertices[face.first + k] < mesh.vertices.size());
                }
            }
        }
    }
    const std::size_t meshes = model.geosets.empty() ? 0 : model.geosets[0].meshes.size();
    for (const ModelNode& node : model.nodes) {
        FUZZ_REQUIRE(node.mesh >= -1 && node.mesh < static_cast<std::int64_t>(meshes));
        FUZZ_REQUIRE(node.parent >= -1 &&
                     node.parent < static_cast<std::int64_t>(model.nodes.size()));
    }

    const PlacedGeoset placed = PlaceGeoset(model, 0);
    const Box box = ModelBox(model);
    FUZZ_REQUIRE(box.empty == placed.vertices.empty());
    for (const Vec3& p : placed.vertices) {
        FUZZ_REQUIRE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
        FUZZ_REQUIRE(Inside(p, box));
    }

    // Every other material found, as a solid colour.
    const std::string solid = MakeSolidMat(3);
    std::size_t asked = 0;
    const MaterialColours colours = ColourMaterials(
        model.materials,
        [&](std::string_view) -> std::optional<std::string> {
            return asked++ % 2 == 0 ? std::optional<std::string>(solid) : std::nullopt;
        },
        ColormapSlot{});
    FUZZ_REQUIRE(colours.colour.size() == model.materials.size());

    constexpr int width = 64, height = 48;
    const ModelPicture picture =
        PrepareModelPicture(model, colours.colour, TurnView({}, 37, -11), width, height);
    std::size_t filled = 0;
    if (!model.geosets.empty()) {
        for (const ModelMesh& mesh : model.geosets[0].meshes) {
            for (const ModelFace& face : mesh.faces) {
                filled += face.count >= 3;
            }
        }
    }
    FUZZ_REQUIRE(picture.faces.size() == filled);
    for (const PictureFace& face : picture.faces) {
        FUZZ_REQUIRE(std::uint64_t{face.first} + face.count <= picture.points.size());
    }
    for (const PicturePoint& p : picture.points) {
        FUZZ_REQUIRE(p.x >= -1e-6 && p.x <= width + 1e-6 && p.y >= -1e-6 && p.y <= height + 1e-6);
    }

    const std::string radius = ModelNumberText(model.radius);
    FUZZ_REQUIRE(!radius.empty() && radius.size() < 16);
    FUZZ_REQUIRE(ModelSizeText(box, ',').starts_with("Size in Jed Grid = "));
    return 0;
}
