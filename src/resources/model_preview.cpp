#include "resources/model_preview.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "common/file_path.hpp"
#include "common/names.hpp"
#include "resources/byte_source.hpp"
#include "resources/gob_container.hpp"
#include "resources/picker_listing.hpp"

namespace skerry {

namespace {

// A material is read only as far as the first image of the largest texture can reach.
constexpr std::uint64_t kMaterialBytesRead =
    76 + 40 * 64 + 24 + std::uint64_t{kMaxTextureSide} * kMaxTextureSide;

std::optional<std::string> ReadBounded(const std::filesystem::path& path, std::uint64_t limit) {
    std::optional<FileSource> source = FileSource::Open(path);
    if (!source) {
        return std::nullopt;
    }
    return source->ReadAt(0, limit);
}

}  // namespace

std::optional<std::size_t> FindModelEntry(const std::vector<std::string>& entryNames,
                                          std::string_view model) {
    const std::string inFolder =
        std::string(FolderPrefix(LowerAscii(FileExtension(model)))) + std::string(model);
    if (const std::optional<std::size_t> index = FindName(entryNames, inFolder)) {
        return index;
    }
    return FindName(entryNames, model);
}

namespace {

// A model from bytes read with kMaxModelBytes + 1 for their limit, so that a larger one is
// told apart; nothing read gives cannotRead for the message.
ListedModel ModelFromBytes(const std::string& name, std::optional<std::string> bytes,
                           const std::string& cannotRead) {
    ListedModel listed;
    if (!bytes) {
        listed.status = ModelStatus::CannotRead;
        listed.message = cannotRead;
        return listed;
    }
    try {
        listed.model = ReadModel3do(*bytes);
        listed.status = ModelStatus::Read;
        listed.bytes = std::move(*bytes);
    } catch (const ModelError& error) {
        listed.status = ModelStatus::Bad;
        listed.message = name + ": " + error.what();
    }
    return listed;
}

}  // namespace

ListedModel ReadListedModel(const ResourceState& resources, std::string_view model) {
    ListedModel listed;
    if (model.empty()) {
        listed.message = "No model is named";
        return listed;
    }
    const std::string name(model);
    const std::optional<std::size_t> index = FindModelEntry(resources.Names(), model);
    if (!index) {
        listed.status = ModelStatus::NotListed;
        listed.message = name + " is not in " + resources.CurrentPath();
        return listed;
    }
    return ModelFromBytes(name, resources.ReadEntry(*index, kMaxModelBytes + 1),
                          CannotOpenMessage(PathFromUtf8(resources.CurrentPath())));
}

ListedModel ReadModelFile(const std::filesystem::path& path) {
    return ModelFromBytes(Utf8Of(path), ReadBounded(path, kMaxModelBytes + 1),
                          CannotOpenMessage(path));
}

ListedModel ReadModelFromContainers(const std::vector<std::filesystem::path>& containers,
                                    std::string_view model) {
    ListedModel listed;
    if (model.empty()) {
        listed.message = "No model is named";
        return listed;
    }
    std::string searched;
    for (const std::filesystem::path& path : containers) {
        ResourceState container;
        if (container.Load(Utf8Of(path))) {
            continue;
        }
        listed = ReadListedModel(container, model);
        if (listed.status != ModelStatus::NotListed) {
            return listed;
        }
        searched += (searched.empty() ? "" : ", ") + Utf8Of(path);
    }
    listed.status = ModelStatus::NotListed;
    listed.model.reset();
    listed.message = std::string(model) + " is not in " +
                     (searched.empty() ? std::string("any container") : searched);
    return listed;
}

MaterialColours ColourMaterials(const std::vector<std::string>& materials,
                                const MaterialReader& read, const ColormapSlot& colormap) {
    MaterialColours colours;
    for (const std::string& name : materials) {
        Rgb colour = kMissingMaterialColour;
        MaterialState state = MaterialState::NotFound;
        if (const std::optional<std::string> bytes = read(name)) {
            try {
                colour = MatColour(*bytes, colormap);
                state = MaterialState::Found;
            } catch (const MatError&) {
                state = MaterialState::NotAMat;
            }
        }
        colours.colour.push_back(colour);
        colours.state.push_back(state);
    }
    return colours;
}

MaterialReader ContainerMaterials(const ResourceState& container, std::filesystem::path folder) {
    return [&container,
            folder = std::move(folder)](std::string_view material) -> std::optional<std::string> {
        const std::string name(FileNamePart(material));
        if (name.empty()) {
            return std::nullopt;
        }
        for (const char* inside : {"mat\\", "3do\\mat\\"}) {
            if (const auto index = FindName(container.Names(), inside + name)) {
                return container.ReadEntry(*index, kMaterialBytesRead);
            }
        }
        if (folder.empty()) {
            return std::nullopt;
        }
        for (const std::filesystem::path& dir : {folder, folder / "mat", folder / "3do" / "mat"}) {
            if (const auto path = FindFileIgnoringCase(dir, name)) {
                return ReadBounded(*path, kMaterialBytesRead);
            }
        }
        return std::nullopt;
    };
}

std::string MaterialListText(const std::vector<std::string>& materials,
                             const MaterialColours& colours) {
    std::string text = "Materials: " + std::to_string(materials.size()) + "\n";
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const MaterialState state =
            i < colours.state.size() ? colours.state[i] : MaterialState::NotFound;
        text += materials[i];
        text += state == MaterialState::Found     ? "  found\n"
                : state == MaterialState::NotAMat ? "  found, but not a MAT (grey)\n"
                                                  : "  not found (grey)\n";
    }
    return text;
}

ViewRotation TurnView(const ViewRotation& view, double dx, double dy) {
    ViewRotation turned = view;
    turned.yaw = std::fmod(view.yaw + dx / 2, 360.0);
    turned.pitch = std::clamp(view.pitch + dy / 2, -90.0, 90.0);
    return turned;
}

ModelPicture PrepareModelPicture(const Model3do& model, const std::vector<Rgb>& materialColours,
                                 const ViewRotation& view, int width, int height) {
    ModelPicture picture;
    if (model.geosets.empty() || width <= 0 || height <= 0) {
        return picture;
    }
    const PlacedGeoset placed = PlaceGeoset(model, 0);
    const Box box = BoundingBox(placed.vertices);
    const Vec3 centre{(box.low.x + box.high.x) / 2, (box.low.y + box.high.y) / 2,
                      (box.low.z + box.high.z) / 2};
    // Half the box's diagonal holds every vertex however the model turns, so the scale
    // stays the same while the user drags.
    const double reach =
        std::hypot(box.high.x - box.low.x, box.high.y - box.low.y, box.high.z - box.low.z) / 2;
    const double scale = 0.45 * std::min(width, height) / (reach > 0 ? reach : 1.0);
    // Seen from the front: the viewer stands out along +y looking back, so the model's +x
    // is on the picture's left and +z up. A positive pitch brings the top towards the viewer.
    Placement seen = Turn({-view.pitch, 0, 0}).After(Turn({0, view.yaw, 0}));
    seen.move = seen.Apply({-centre.x, -centre.y, -centre.z});

    std::vector<Vec3> turned;
    turned.reserve(placed.vertices.size());
    for (const Vec3& vertex : placed.vertices) {
        turned.push_back(seen.Apply(vertex));
    }

    struct Drawn {
        double depth;  // larger is farther
        PictureFace face;
    };
    std::vector<Drawn> drawn;
    const std::vector<ModelMesh>& meshes = model.geosets[0].meshes;
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        const ModelMesh& mesh = meshes[m];
        for (const ModelFace& face : mesh.faces) {
            if (face.count < 3) {
                continue;  // nothing to fill
            }
            PictureFace out;
            out.first = static_cast<std::uint32_t>(picture.points.size());
            out.count = face.count;
            const std::size_t base = placed.meshStart[m];
            double depth = 0;
            for (std::uint32_t k = 0; k < face.count; ++k) {
                const Vec3& corner = turned[base + mesh.faceVertices[face.first + k]];
                depth -= corner.y;
                picture.points.push_back(
                    {width / 2.0 - scale * corner.x, height / 2.0 - scale * corner.z});
            }
            const Vec3 normal = FaceNormal(
                std::span<const Vec3>(turned).subspan(base, mesh.vertices.size()), mesh, face);
            const double length = std::hypot(normal.x, normal.y, normal.z);
            const double facing = length > 0 ? std::abs(normal.y) / length : 0;
            const double light = 0.35 + 0.65 * facing;
            const bool known = face.material >= 0 &&
                               static_cast<std::size_t>(face.material) < materialColours.size();
            const Rgb colour = known ? materialColours[static_cast<std::size_t>(face.material)]
                                     : kMissingMaterialColour;
            const auto shade = [light](std::uint8_t c) {
                return static_cast<std::uint8_t>(std::lround(c * light));
            };
            out.colour = {shade(colour.red), shade(colour.green), shade(colour.blue)};
            drawn.push_back({depth / face.count, out});
        }
    }
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const Drawn& a, const Drawn& b) { return a.depth > b.depth; });
    picture.faces.reserve(drawn.size());
    for (const Drawn& d : drawn) {
        picture.faces.push_back(d.face);
    }
    return picture;
}

std::string ModelNumberText(double value, char decimalSeparator) {
    // Six decimals, as the files write them, without the zeros that end them.
    char digits[64];
    char* end =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::fixed, 6).ptr;
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    std::string text(digits, end);
    if (text == "-0") {
        text = "0";
    }
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

std::string ModelSizeText(const Box& box, char decimalSeparator) {
    const auto side = [decimalSeparator](double low, double high) {
        char digits[64];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), high - low,
                                       std::chars_format::fixed, 3)
                             .ptr;
        std::replace(digits, end, '.', decimalSeparator);
        return std::string(digits, end);
    };
    return "Size in Jed Grid = " + side(box.low.x, box.high.x) + " Wide x " +
           side(box.low.y, box.high.y) + " Deep x " + side(box.low.z, box.high.z) + " High";
}

std::string ModelRadiusText(double radius, char decimalSeparator) {
    return "Radius = " + ModelNumberText(radius, decimalSeparator);
}

}  // namespace skerry
