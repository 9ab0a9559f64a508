#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skerry {

// The game's text models (3DO version 2.1) as far as a preview and the sizes need them.

// Models above this size are refused unread: the largest the game ships are a few hundred KB.
inline constexpr std::size_t kMaxModelBytes = 16 * 1024 * 1024;
// Coordinates, angles and radii beyond this are refused, so that placing, turning and
// projecting a model stays within finite numbers.
inline constexpr double kLargestModelNumber = 1e6;

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
    bool operator==(const Vec3&) const = default;
};

struct ModelFace {
    std::int32_t material = -1;  // index into the model's materials; -1 for none
    std::uint32_t first = 0;     // its vertex indices: faceVertices[first, first + count)
    std::uint32_t count = 0;
};

struct ModelMesh {
    std::string name;
    double radius = 0;
    std::vector<Vec3> vertices;
    std::vector<ModelFace> faces;
    std::vector<std::uint32_t> faceVertices;  // every face's vertices, face after face
};

struct ModelGeoset {
    std::vector<ModelMesh> meshes;
};

// A hierarchy node puts its mesh (and its children) where it stands in its parent: turned
// by pitch (about x), yaw (about z) and roll (about y), in degrees, with the pivot added
// first, then moved by the offset.
struct ModelNode {
    std::string name;
    std::int32_t mesh = -1;    // index into every geoset's meshes; -1 for none
    std::int32_t parent = -1;  // -1 for a node at the top
    Vec3 offset;
    Vec3 rotation;  // pitch, yaw, roll
    Vec3 pivot;
};

// A model as ReadModel3do gives it: every face names a vertex of its mesh and a material of
// the model (or none), every node a mesh of the first geoset (or none) and a node for its
// parent (or none), and no node is among its own parents.
struct Model3do {
    std::vector<std::string> materials;
    double radius = 0;
    std::string radiusText;  // the header's RADIUS as the file writes it
    Vec3 insertOffset;
    std::vector<ModelGeoset> geosets;
    std::vector<ModelNode> nodes;
};

// What a model holds that cannot be read, with the line it stands on where there is one.
class ModelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads a model's text. Throws ModelError for text that is not a 3DO 2.1 model, is larger
// than kMaxModelBytes, lists more of anything than it holds, or names what does not exist.
Model3do ReadModel3do(std::string_view text);

}  // namespace skerry
