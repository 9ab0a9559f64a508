#include "model_commands.hpp"

#include <iostream>
#include <memory>
#include <string>

#include "common/file_path.hpp"
#include "resources/model_geometry.hpp"
#include "resources/model_preview.hpp"
#include "resources/resource_state.hpp"
#include "tpl_commands.hpp"

namespace skerry::cli {

namespace {

struct Args {
    std::string file, entry;
};

// What a model holds, one KEY<TAB>VALUE a line: its radius, insert offset, counts summed
// over every geoset, the first geoset's box as placed, and its materials.
void PrintModel(const Model3do& model) {
    std::size_t meshes = 0, vertices = 0, faces = 0;
    for (const ModelGeoset& geoset : model.geosets) {
        meshes += geoset.meshes.size();
        for (const ModelMesh& mesh : geoset.meshes) {
            vertices += mesh.vertices.size();
            faces += mesh.faces.size();
        }
    }
    const auto numbers = [](std::initializer_list<double> values) {
        std::string text;
        for (const double value : values) {
            text += (text.empty() ? "" : " ") + ModelNumberText(value);
        }
        return text;
    };
    const Vec3& at = model.insertOffset;
    const Box box = ModelBox(model);
    std::cout << "radius\t" << ModelNumberText(model.radius) << '\n'
              << "insert offset\t" << numbers({at.x, at.y, at.z}) << '\n'
              << "geosets\t" << model.geosets.size() << '\n'
              << "meshes\t" << meshes << '\n'
              << "vertices\t" << vertices << '\n'
              << "faces\t" << faces << '\n'
              << "bbox\t"
              << numbers({box.low.x, box.low.y, box.low.z, box.high.x, box.high.y, box.high.z})
              << '\n'
              << "materials\t" << model.materials.size() << '\n';
    for (const std::string& material : model.materials) {
        std::cout << "material\t";
        PrintLine(material);
    }
}

int Model(const Args& a) {
    ListedModel listed;
    if (a.entry.empty()) {
        listed = ReadModelFile(PathFromUtf8(a.file));
    } else {
        ResourceState container;
        if (const std::optional<std::string> failure = container.Load(a.file)) {
            std::cerr << *failure << '\n';
            return kBadInput;
        }
        if (const std::optional<std::string> shortfall = container.Shortfall()) {
            std::cerr << *shortfall << '\n';
        }
        listed = ReadListedModel(container, a.entry);
    }
    if (!listed.model) {
        std::cerr << listed.message << '\n';
        return listed.status == ModelStatus::NotListed ? kNothingFound : kBadInput;
    }
    PrintModel(*listed.model);
    return kDone;
}

}  // namespace

void AddModelCommands(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<Args>();
    CLI::App* model = app.add_subcommand(
        "3do", "A 3DO model's radius, counts, box and materials, from a file or a container");
    model->add_option("CONTAINER-OR-FILE", args->file, "A .3do file, or a container with ENTRY")
        ->required();
    model->add_option("ENTRY", args->entry,
                      "The model in the container, as the picker lists it (kyle.3do)");
    model->callback([&exitCode, args] { exitCode = Model(*args); });
}

}  // namespace skerry::cli
