#include "sample/sample_models.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "resources/model_geometry.hpp"

namespace skerry {

namespace {

void AddFace(ModelMesh& mesh, std::int32_t material, std::initializer_list<std::uint32_t> corners) {
    mesh.faces.push_back({material, static_cast<std::uint32_t>(mesh.faceVertices.size()),
                          static_cast<std::uint32_t>(corners.size())});
    mesh.faceVertices.insert(mesh.faceVertices.end(), corners);
}

ModelMesh Mesh(const char* name) {
    ModelMesh mesh;
    mesh.name = name;
    return mesh;
}

ModelNode Node(const char* name, std::int32_t mesh, std::int32_t parent, Vec3 offset,
               Vec3 rotation = {}, Vec3 pivot = {}) {
    return {name, mesh, parent, offset, rotation, pivot};
}

// Materials of a figure, by the part they cover.
struct FigureMaterials {
    std::vector<std::string> names;
    std::int32_t body, head, limbs, hips;
};

// A figure about 0.19 high with its hips at the origin: torso and legs hang from the hips,
// head and arms from the torso, the limbs turned at shoulder and hip as if walking.
Model3do Figure(const FigureMaterials& materials) {
    Model3do model;
    model.materials = materials.names;
    std::vector<ModelMesh>& meshes = model.geosets.emplace_back().meshes;
    meshes.push_back(Mesh("hips"));
    AddBox(meshes.back(), {-0.022, -0.012, -0.012}, {0.022, 0.012, 0.01}, materials.hips);
    meshes.push_back(Mesh("torso"));
    AddBox(meshes.back(), {-0.026, -0.014, 0}, {0.026, 0.014, 0.055}, materials.body);
    meshes.push_back(Mesh("head"));
    AddBox(meshes.back(), {-0.011, -0.012, 0.004}, {0.011, 0.012, 0.03}, materials.head);
    for (const char* arm : {"l_arm", "r_arm"}) {
        meshes.push_back(Mesh(arm));
        AddBox(meshes.back(), {-0.006, -0.006, -0.055}, {0.006, 0.006, 0.004}, materials.limbs);
    }
    for (const char* leg : {"l_leg", "r_leg"}) {
        meshes.push_back(Mesh(leg));
        AddBox(meshes.back(), {-0.009, -0.009, -0.08}, {0.009, 0.009, 0}, materials.limbs);
    }
    model.nodes = {
        Node("hips", 0, -1, {0, 0, 0}),
        Node("torso", 1, 0, {0, 0, 0.01}, {5, 0, 0}),
        Node("head", 2, 1, {0, 0, 0.055}, {0, 15, 0}),
        Node("l_arm", 3, 1, {0.033, 0, 0.05}, {25, 0, 5}),
        Node("r_arm", 4, 1, {-0.033, 0, 0.05}, {-20, 0, -5}),
        Node("l_leg", 5, 0, {0.012, 0, -0.012}, {-15, 0, 0}),
        Node("r_leg", 6, 0, {-0.012, 0, -0.012}, {15, 0, 0}),
    };
    SetRadii(model);
    return model;
}

// A crate 0.1 on a side whose lid turns about a hinge along its back edge: the lid's node
// stands on the hinge, and its pivot puts the lid's middle in front of it.
Model3do Crate(const std::string& body, const std::string& lid) {
    Model3do model;
    model.materials = {body, lid};
    std::vector<ModelMesh>& meshes = model.geosets.emplace_back().meshes;
    meshes.push_back(Mesh("box"));
    AddBox(meshes.back(), {-0.05, -0.05, -0.05}, {0.05, 0.05, 0.04}, 0);
    meshes.push_back(Mesh("lid"));
    AddBox(meshes.back(), {-0.052, -0.052, 0}, {0.052, 0.052, 0.01}, 1);
    model.nodes = {
        Node("box", 0, -1, {0, 0, 0}),
        Node("lid", 1, 0, {0, -0.05, 0.04}, {35, 0, 0}, {0, 0.052, 0}),
    };
    SetRadii(model);
    return model;
}

// A bolt along y with a glow at its head, touching, not crossing: faces drawn far to near
// cannot show one solid passing through another.
Model3do Bolt(const std::string& core, const std::string& glow) {
    Model3do model;
    model.materials = {core, glow};
    std::vector<ModelMesh>& meshes = model.geosets.emplace_back().meshes;
    meshes.push_back(Mesh("bolt"));
    AddBox(meshes.back(), {-0.0015, -0.01, -0.0015}, {0.0015, 0.005, 0.0015}, 0);
    meshes.push_back(Mesh("glow"));
    AddSphere(meshes.back(), {0, 0, 0}, 0.003, 6, 8, 1);
    model.nodes = {Node("bolt", 0, -1, {0, 0, 0}), Node("glow", 1, 0, {0, 0.008, 0})};
    SetRadii(model);
    return model;
}

std::string Comment(const std::string& name) {
    return name + " made for Skerry's sample data";
}

ContainerEntry Entry(const std::string& name, const Model3do& model) {
    return {"3do\\" + name, MakeModel3do(model, Comment(name))};
}

const FigureMaterials kKyle{{"02stripe.mat", "skin.mat", "01grad.mat", "kybelt.mat"}, 0, 1, 2, 3};

}  // namespace

void AddBox(ModelMesh& mesh, const Vec3& low, const Vec3& high, std::int32_t material) {
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    for (int i = 0; i < 8; ++i) {
        mesh.vertices.push_back(
            {i & 1 ? high.x : low.x, i & 2 ? high.y : low.y, i & 4 ? high.z : low.z});
    }
    // Corners counterclockwise seen from outside.
    const std::uint32_t faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces) {
        AddFace(mesh, material, {first + f[0], first + f[1], first + f[2], first + f[3]});
    }
}

void AddSphere(ModelMesh& mesh, const Vec3& centre, double radius, int rings, int segments,
               std::int32_t material) {
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    for (int ring = 0; ring <= rings; ++ring) {
        const double up = std::numbers::pi * ring / rings - std::numbers::pi / 2;
        for (int segment = 0; segment < segments; ++segment) {
            const double around = 2 * std::numbers::pi * segment / segments;
            mesh.vertices.push_back({centre.x + radius * std::cos(up) * std::cos(around),
                                     centre.y + radius * std::cos(up) * std::sin(around),
                                     centre.z + radius * std::sin(up)});
        }
    }
    const auto at = [&](int ring, int segment) {
        return first + static_cast<std::uint32_t>(ring * segments + segment % segments);
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            AddFace(mesh, material,
                    {at(ring, segment), at(ring, segment + 1), at(ring + 1, segment + 1),
                     at(ring + 1, segment)});
        }
    }
}

void SetRadii(Model3do& model) {
    const auto reach = [](const std::vector<Vec3>& points) {
        double most = 0;
        for (const Vec3& p : points) {
            most = std::max(most, std::hypot(p.x, p.y, p.z));
        }
        return std::ceil(most * 1e6) / 1e6;  // as the file writes it, never short
    };
    for (ModelGeoset& geoset : model.geosets) {
        for (ModelMesh& mesh : geoset.meshes) {
            mesh.radius = reach(mesh.vertices);
        }
    }
    model.radius = reach(PlaceGeoset(model, 0).vertices);
}

Model3do SphereModel(std::size_t faces, std::size_t meshes) {
    Model3do model;
    model.materials = {"01grad.mat", "red.mat"};
    std::vector<ModelMesh>& made = model.geosets.emplace_back().meshes;
    // Rings and segments in the proportion one to two: rings * 2 * rings faces a mesh.
    const int rings = std::max(
        2, static_cast<int>(std::lround(std::sqrt(static_cast<double>(faces / meshes) / 2))));
    for (std::size_t m = 0; m < meshes; ++m) {
        made.push_back(Mesh(("ball" + std::to_string(m)).c_str()));
        AddSphere(made.back(), {0, 0, 0}, 0.02, rings, 2 * rings, static_cast<std::int32_t>(m % 2));
        const auto index = static_cast<std::int32_t>(m);
        model.nodes.push_back(Node(made.back().name.c_str(), index, index - 1,
                                   m == 0 ? Vec3{} : Vec3{0.03, 0, 0.01}, {10, 20, 0}));
    }
    SetRadii(model);
    return model;
}

std::vector<ContainerEntry> SampleJkModels() {
    return {
        Entry("kyle.3do", Figure(kKyle)),
        Entry("strooper.3do",
              Figure({{"white.mat", "white.mat", "white.mat", "black.mat"}, 0, 1, 2, 3})),
        Entry("crate.3do", Crate("04wall.mat", "00brick.mat")),
        Entry("bryarbolt.3do", Bolt("red.mat", "sparks.mat")),
    };
}

std::vector<ContainerEntry> SampleHiModels() {
    return {Entry("hikyle.3do", Figure(kKyle))};
}

std::vector<ContainerEntry> SampleMotsModels() {
    return {
        Entry("mara.3do", Figure({{"m_tile.mat", "m_glow.mat", "m_tile.mat"}, 0, 1, 2, 0})),
        Entry("cbolt.3do", Bolt("m_glow.mat", "m_glow.mat")),
    };
}

}  // namespace skerry
