#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/mat_fileops.hpp"
#include "resources/model_3do.hpp"
#include "resources/model_geometry.hpp"
#include "resources/resource_state.hpp"

namespace skerry {

// What the Resource Picker shows of a model, and how the main window finds one by name.

// --- finding and reading a model ----------------------------------------------------------

// The entry of a model named as the picker lists it or a template names it ("kyle.3do"):
// the folder of its extension in front, found ignoring letter case; failing that, the name
// as it stands ("3do\\kyle.3do").
std::optional<std::size_t> FindModelEntry(const std::vector<std::string>& entryNames,
                                          std::string_view model);

enum class ModelStatus { Read, NoName, NotListed, CannotRead, Bad };
struct ListedModel {
    ModelStatus status = ModelStatus::NoName;
    std::optional<Model3do> model;  // when Read
    std::string message;            // otherwise: why there is none, for the user
    std::string bytes;              // the file as read, when Read: the picker shows its text
};
// The model of that name in the open container, read and checked.
ListedModel ReadListedModel(const ResourceState& resources, std::string_view model);
// A model file on disk, read and checked.
ListedModel ReadModelFile(const std::filesystem::path& path);
// The model of that name in the first of these containers that lists it, read and checked:
// how a template's model is found by the command line and by the editor's lookups, which
// search the dialect's containers in order. NotListed names every container searched; a
// container that cannot be opened is passed by.
ListedModel ReadModelFromContainers(const std::vector<std::filesystem::path>& containers,
                                    std::string_view model);

// --- material colours ---------------------------------------------------------------------

inline constexpr Rgb kMissingMaterialColour{128, 128, 128};

enum class MaterialState { Found, NotFound, NotAMat };
struct MaterialColours {
    std::vector<Rgb> colour;  // one per material of the model; grey where not Found
    std::vector<MaterialState> state;
};

// A material's bytes by the name a model gives it, or nothing.
using MaterialReader = std::function<std::optional<std::string>(std::string_view name)>;

MaterialColours ColourMaterials(const std::vector<std::string>& materials,
                                const MaterialReader& read, const ColormapSlot& colormap);

// Materials where the game looks for them: the container's "mat\" and "3do\mat\" folders,
// then, when folder is given (a project folder), that folder, its "mat" and its "3do/mat",
// all ignoring letter case. Only the last part of a name is used, so a name a model gives
// never leads outside those folders. The reader reads from container as it is when called,
// so it must not outlive it.
MaterialReader ContainerMaterials(const ResourceState& container,
                                  std::filesystem::path folder = {});

// The memo's list of materials: a line each, its name and whether it was found.
std::string MaterialListText(const std::vector<std::string>& materials,
                             const MaterialColours& colours);

// --- the picture --------------------------------------------------------------------------

// The side the model is seen from: turned by yaw about its vertical, then tilted by pitch
// (degrees; positive pitch looks from above). Yaw 0, pitch 0 looks at the model's front.
struct ViewRotation {
    double yaw = 30;
    double pitch = 20;
    bool operator==(const ViewRotation&) const = default;
};
// The view after a drag of dx, dy pixels: half a degree a pixel, the tilt held within a
// quarter turn up or down.
ViewRotation TurnView(const ViewRotation& view, double dx, double dy);

struct PicturePoint {
    double x = 0;  // pixels from the left
    double y = 0;  // pixels from the top
};
struct PictureFace {
    std::uint32_t first = 0;  // its corners: points[first, first + count)
    std::uint32_t count = 0;
    Rgb colour;  // its material's colour, shaded by how squarely it faces the viewer
};
// Faces to fill in order, far to near, so that nearer ones cover those behind them.
struct ModelPicture {
    std::vector<PicturePoint> points;
    std::vector<PictureFace> faces;
};

// The first geoset as placed, seen from view and fitted into a width x height picture with
// a margin; the same model keeps its scale however it is turned.
ModelPicture PrepareModelPicture(const Model3do& model, const std::vector<Rgb>& materialColours,
                                 const ViewRotation& view, int width, int height);

// --- texts --------------------------------------------------------------------------------

// A model's number to six decimals, as the files write them, without trailing zeros:
// "0.022547", "-0.0305", "0".
std::string ModelNumberText(double value, char decimalSeparator = '.');
// "Size in Jed Grid = 0.045 Wide x 0.045 Deep x 0.044 High": the box's sides along x, y, z.
std::string ModelSizeText(const Box& box, char decimalSeparator);
// "Radius = 0.022547"
std::string ModelRadiusText(double radius, char decimalSeparator);

}  // namespace skerry
