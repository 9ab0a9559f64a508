#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "resources/model_3do.hpp"

namespace skerry {

// A turn and then a move: p becomes turn * p + move.
struct Placement {
    using Matrix = std::array<std::array<double, 3>, 3>;  // [row][column]
    Matrix turn{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    Vec3 move;

    Vec3 Apply(const Vec3& p) const;
    // This placement after inner: where inner puts a point, this one then puts it.
    Placement After(const Placement& inner) const;
};

// The turn by pitch (about x), yaw (about z) and roll (about y), in degrees: roll first,
// then pitch, then yaw, as the game orients things.
Placement Turn(const Vec3& pitchYawRoll);

// Where each node puts what hangs from it, in the model's own frame: its own offset, turn
// and pivot, then its parent's, up to the top.
std::vector<Placement> NodePlacements(const Model3do& model);

// The vertices of a geoset's meshes where the hierarchy puts them, mesh after mesh: a mesh
// stands where the first node naming it puts it, or where it is when no node names it.
struct PlacedGeoset {
    std::vector<Vec3> vertices;
    std::vector<std::size_t> meshStart;  // the index of each mesh's first vertex
};
PlacedGeoset PlaceGeoset(const Model3do& model, std::size_t geoset);

// A face's normal by Newell's method, sound for any polygon, of the length twice its area
// (zero for a face without one). vertices are its mesh's, wherever they stand.
Vec3 FaceNormal(std::span<const Vec3> vertices, const ModelMesh& mesh, const ModelFace& face);

struct Box {
    Vec3 low;
    Vec3 high;
    bool empty = true;  // no points: low and high stay 0
};
Box BoundingBox(const std::vector<Vec3>& points);

// The box of the first geoset as placed; empty for a model without one.
Box ModelBox(const Model3do& model);

}  // namespace skerry
