#include "resources/model_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skerry {

namespace {

Vec3 Add(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

// The rows of a turn by angle degrees about one axis (0 x, 1 y, 2 z).
Placement AxisTurn(int axis, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    Placement turn;
    switch (axis) {
        case 0:
            turn.turn = {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
            break;
        case 1:
            turn.turn = {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
            break;
        default:
            turn.turn = {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
            break;
    }
    return turn;
}

}  // namespace

Vec3 Placement::Apply(const Vec3& p) const {
    const auto row = [&](std::size_t r) {
        return turn[r][0] * p.x + turn[r][1] * p.y + turn[r][2] * p.z;
    };
    return {row(0) + move.x, row(1) + move.y, row(2) + move.z};
}

Placement Placement::After(const Placement& inner) const {
    Placement out;
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            out.turn[r][c] = turn[r][0] * inner.turn[0][c] + turn[r][1] * inner.turn[1][c] +
                             turn[r][2] * inner.turn[2][c];
        }
    }
    out.move = Apply(inner.move);
    return out;
}

Placement Turn(const Vec3& pitchYawRoll) {
    return AxisTurn(2, pitchYawRoll.y)
        .After(AxisTurn(0, pitchYawRoll.x))
        .After(AxisTurn(1, pitchYawRoll.z));
}

std::vector<Placement> NodePlacements(const Model3do& model) {
    const std::size_t count = model.nodes.size();
    std::vector<Placement> placements(count);
    std::vector<bool> done(count, false);
    std::vector<std::size_t> walk;
    for (std::size_t start = 0; start < count; ++start) {
        // Up to the first node already placed (or the top), then down again, each node once.
        // The walk is bounded by the node count, so even a model not checked by the reader
        // cannot loop here.
        walk.clear();
        for (std::int32_t at = static_cast<std::int32_t>(start);
             at >= 0 && static_cast<std::size_t>(at) < count &&
             !done[static_cast<std::size_t>(at)] && walk.size() < count;
             at = model.nodes[static_cast<std::size_t>(at)].parent) {
            walk.push_back(static_cast<std::size_t>(at));
        }
        for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
            const ModelNode& node = model.nodes[*it];
            Placement local = Turn(node.rotation);
            local.move = Add(node.offset, local.Apply(node.pivot));
            const bool topmost = node.parent < 0 || static_cast<std::size_t>(node.parent) >= count;
            placements[*it] =
                topmost ? local : placements[static_cast<std::size_t>(node.parent)].After(local);
            done[*it] = true;
        }
    }
    return placements;
}

PlacedGeoset PlaceGeoset(const Model3do& model, std::size_t geoset) {
    PlacedGeoset placed;
    if (geoset >= model.geosets.size()) {
        return placed;
    }
    const std::vector<ModelMesh>& meshes = model.geosets[geoset].meshes;
    const std::vector<Placement> nodes = NodePlacements(model);
    std::vector<const Placement*> meshPlacement(meshes.size(), nullptr);
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        const std::int32_t mesh = model.nodes[n].mesh;
        if (mesh >= 0 && static_cast<std::size_t>(mesh) < meshes.size() &&
            !meshPlacement[static_cast<std::size_t>(mesh)]) {
            meshPlacement[static_cast<std::size_t>(mesh)] = &nodes[n];
        }
    }
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        placed.meshStart.push_back(placed.vertices.size());
        for (const Vec3& vertex : meshes[m].vertices) {
            placed.vertices.push_back(meshPlacement[m] ? meshPlacement[m]->Apply(vertex) : vertex);
        }
    }
    return placed;
}

Vec3 FaceNormal(std::span<const Vec3> vertices, const ModelMesh& mesh, const ModelFace& face) {
    Vec3 n;
    for (std::uint32_t k = 0; k < face.count; ++k) {
        const Vec3& a = vertices[mesh.faceVertices[face.first + k]];
        const Vec3& b = vertices[mesh.faceVertices[face.first + (k + 1) % face.count]];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n;
}

Box BoundingBox(const std::vector<Vec3>& points) {
    Box box;
    for (const Vec3& p : points) {
        if (box.empty) {
            box = {p, p, false};
            continue;
        }
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y),
                    std::max(box.high.z, p.z)};
    }
    return box;
}

Box ModelBox(const Model3do& model) {
    return BoundingBox(PlaceGeoset(model, 0).vertices);
}

}  // namespace skerry
