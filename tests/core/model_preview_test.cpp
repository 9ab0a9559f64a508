#include "resources/model_preview.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_io.hpp"
#include "resources/model_geometry.hpp"
#include "sample/game_file_writers.hpp"
#include "sample/sample_models.hpp"
#include "support/temp_dir.hpp"

namespace skerry {
namespace {

void ExpectNear(const Vec3& got, const Vec3& want) {
    EXPECT_NEAR(got.x, want.x, 1e-6);
    EXPECT_NEAR(got.y, want.y, 1e-6);
    EXPECT_NEAR(got.z, want.z, 1e-6);
}

ModelMesh OneVertex(const Vec3& vertex) {
    ModelMesh mesh;
    mesh.vertices = {vertex};
    return mesh;
}

ModelNode Node(std::int32_t mesh, std::int32_t parent, Vec3 offset = {}, Vec3 rotation = {},
               Vec3 pivot = {}) {
    return {"n", mesh, parent, offset, rotation, pivot};
}

TEST(ModelPlacement, TwoNodesPlaceTheirMeshes) {
    struct Case {
        const char* name;
        ModelNode root, child;
        Vec3 vertex;  // of the child's mesh
        Vec3 placed;
    };
    const Vec3 none;
    const ModelNode top = Node(0, -1);
    const Case cases[] = {
        {"offsets add up", Node(0, -1, {1, 0, 0}), Node(1, 0, {0, 2, 0}), {0, 0, 1}, {1, 2, 1}},
        {"yaw turns x towards y", top, Node(1, 0, none, {0, 90, 0}), {1, 0, 0}, {0, 1, 0}},
        {"pitch turns y towards z", top, Node(1, 0, none, {90, 0, 0}), {0, 1, 0}, {0, 0, 1}},
        {"roll turns z towards x", top, Node(1, 0, none, {0, 0, 90}), {0, 0, 1}, {1, 0, 0}},
        {"pitch before yaw", top, Node(1, 0, none, {90, 90, 0}), {1, 0, 0}, {0, 1, 0}},
        {"pivot before the turn, offset after",
         top,
         Node(1, 0, {0, 0, 5}, {0, 90, 0}, {1, 0, 0}),
         none,
         {0, 1, 5}},
        {"the parent's turn carries the child",
         Node(0, -1, {0, 0, 3}, {0, 90, 0}),
         Node(1, 0, {1, 0, 0}),
         {1, 0, 0},
         {0, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Model3do model;
        model.geosets.push_back({{OneVertex({0, 0, 0}), OneVertex(c.vertex)}});
        model.nodes = {c.root, c.child};
        // Through the text, as a model file would come.
        const PlacedGeoset placed = PlaceGeoset(ReadModel3do(MakeModel3do(model, "two")), 0);
        ASSERT_EQ(placed.vertices.size(), 2u);
        ExpectNear(placed.vertices[0], c.root.offset);
        ExpectNear(placed.vertices[1], c.placed);
    }
}

// Two squares facing the viewer of the front view, one a unit in front of the other.
Model3do TwoSquares() {
    Model3do model;
    model.materials = {"near.mat", "far.mat"};
    ModelMesh mesh;
    AddBox(mesh, {-1, 0.9, -1}, {1, 1, 1}, 0);
    AddBox(mesh, {-0.5, -1, -0.5}, {0.5, -0.9, 0.5}, 1);
    mesh.faces.push_back({-1, 0, 3});  // no material
    model.geosets.push_back({{mesh}});
    return model;
}

TEST(ModelPreview, FacesComeFarToNearInTheirMaterialsColours) {
    const std::vector<Rgb> colours = {{200, 0, 0}, {0, 0, 100}};
    const Model3do model = TwoSquares();
    const ModelPicture front = PrepareModelPicture(model, colours, {0, 0}, 400, 300);
    ASSERT_EQ(front.faces.size(), 13u);
    // The far box's back face first, the near box's front face last, both lit fully.
    EXPECT_EQ(front.faces.front().colour, (Rgb{0, 0, 100}));
    EXPECT_EQ(front.faces.back().colour, (Rgb{200, 0, 0}));
    // Every face a shade of its material's colour (grey for none), never black.
    int greys = 0;
    for (const PictureFace& face : front.faces) {
        const Rgb& c = face.colour;
        greys += c.red == c.green && c.green == c.blue && c.red > 0;
        EXPECT_TRUE((c.red > 0 && c.green == 0 && c.blue == 0) ||
                    (c.red == 0 && c.green == 0 && c.blue > 0) ||
                    (c.red == c.green && c.green == c.blue && c.red > 0));
    }
    EXPECT_EQ(greys, 1);
    for (const PicturePoint& p : front.points) {
        EXPECT_TRUE(p.x >= 0 && p.x <= 400 && p.y >= 0 && p.y <= 300) << p.x << " " << p.y;
    }
    // The front face's first corner is the box's low x and low z: the model's +x is on the
    // viewer's left and +z up. Turned half round, the order turns too.
    const PicturePoint corner = front.points[front.faces.back().first];
    EXPECT_GT(corner.x, 200);
    EXPECT_GT(corner.y, 150);
    const ModelPicture back = PrepareModelPicture(model, colours, {180, 0}, 400, 300);
    EXPECT_EQ(back.faces.front().colour, (Rgb{200, 0, 0}));
    EXPECT_EQ(back.faces.back().colour, (Rgb{0, 0, 100}));
}

class ModelLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = testing::UniqueTempPath("skerry_model_lookup");
        std::filesystem::create_directories(dir_ / "project" / "mat");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(ModelLookup, MaterialsAreFoundWhereTheGameLooksAndColouredThroughTheColormap) {
    Model3do model;
    model.materials = {"solid.mat", "tex.mat",  "deep.mat", "SEETHRU.MAT",
                       "gone.mat",  "text.mat", "proj.mat", "..\\..\\solid.mat"};
    std::string seeThrough = MakeTextureMat(2, 2, std::string("\0\0\0\4", 4));
    seeThrough[76 + 40 + 8] = 1;  // index 0 is see-through
    ASSERT_FALSE(WriteFileWhole(dir_ / "res2.gob",
                                MakeContainer({{"3do\\m.3do", MakeModel3do(model, "m")},
                                               {"mat\\solid.mat", MakeSolidMat(2)},
                                               {"mat\\tex.mat", MakeTextureMat(2, 1, "\1\3")},
                                               {"3do\\mat\\deep.mat", MakeSolidMat(4)},
                                               {"mat\\seethru.mat", seeThrough},
                                               {"mat\\text.mat", "# not a texture"}})));
    ASSERT_FALSE(WriteFileWhole(dir_ / "project" / "mat" / "Proj.MAT", MakeSolidMat(1)));
    ResourceState container;
    ASSERT_FALSE(container.Load((dir_ / "res2.gob").string()));
    ColormapSlot colormap;
    for (std::uint8_t i = 0; i < 5; ++i) {
        colormap.red[i] = static_cast<std::uint8_t>(10 * i);
        colormap.green[i] = static_cast<std::uint8_t>(100 + i);
        colormap.blue[i] = 7;
    }
    const ListedModel listed = ReadListedModel(container, "m.3do");
    ASSERT_TRUE(listed.model) << listed.message;
    const MaterialColours colours = ColourMaterials(
        listed.model->materials, ContainerMaterials(container, dir_ / "project"), colormap);
    const Rgb grey = kMissingMaterialColour;
    const std::vector<Rgb> expected = {{20, 102, 7}, {20, 102, 7}, {40, 104, 7}, {40, 104, 7},
                                       grey,         grey,         {10, 101, 7}, {20, 102, 7}};
    EXPECT_EQ(colours.colour, expected);
    using S = MaterialState;
    EXPECT_EQ(colours.state, (std::vector<S>{S::Found, S::Found, S::Found, S::Found, S::NotFound,
                                             S::NotAMat, S::Found, S::Found}));
    EXPECT_EQ(MaterialListText({"a.mat", "b.mat"}, {{grey, grey}, {S::Found, S::NotFound}}),
              "Materials: 2\na.mat  found\nb.mat  not found (grey)\n");
}

TEST_F(ModelLookup, ModelsAreFoundAsThePickerFindsThemOrSayWhyNot) {
    const std::string path = (dir_ / "res2.gob").string();
    ASSERT_FALSE(WriteFileWhole(path, MakeContainer({{"3do\\Kyle.3do", MakeModel3do({}, "k")},
                                                     {"3do\\bad.3do", "nothing"}})));
    ResourceState container;
    ASSERT_FALSE(container.Load(path));
    struct Case {
        const char* name;
        ModelStatus status;
        std::string message;
    };
    const Case cases[] = {
        {"kyle.3do", ModelStatus::Read, ""},
        {"3do\\KYLE.3do", ModelStatus::Read, ""},
        {"", ModelStatus::NoName, "No model is named"},
        {"ky.3do", ModelStatus::NotListed, "ky.3do is not in " + path},
        {"bad.3do", ModelStatus::Bad, "bad.3do: Not a 3DO model: it has no \"3DO 2.1\" line"},
    };
    for (const Case& c : cases) {
        const ListedModel listed = ReadListedModel(container, c.name);
        EXPECT_EQ(listed.status, c.status) << c.name;
        EXPECT_EQ(listed.message, c.message) << c.name;
        EXPECT_EQ(listed.model.has_value(), c.status == ModelStatus::Read) << c.name;
    }
    EXPECT_EQ(ReadModelFile(dir_ / "none.3do").message,
              "Cannot open file " + (dir_ / "none.3do").string());
}

TEST(ModelPreview, NumbersAsTheFilesWriteThem) {
    const std::pair<double, const char*> numbers[] = {{0.022547, "0.022547"}, {-0.0305, "-0.0305"},
                                                      {0.5, "0.5"},           {-0.0, "0"},
                                                      {-0.0000001, "0"},      {2, "2"},
                                                      {0.1234567, "0.123457"}};
    for (const auto& [value, text] : numbers) {
        EXPECT_EQ(ModelNumberText(value), text) << value;
    }
    EXPECT_EQ(ModelRadiusText(0.25, ','), "Radius = 0,25");
    EXPECT_EQ(ModelSizeText({{-0.1, 0, -1}, {0.2, 0.05, 1}, false}, '.'),
              "Size in Jed Grid = 0.300 Wide x 0.050 Deep x 2.000 High");
}

}  // namespace
}  // namespace skerry
