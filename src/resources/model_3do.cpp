#include "resources/model_3do.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "common/names.hpp"

namespace skerry {

namespace {

// Looked up rather than compared: every byte of a model passes through here.
constexpr std::array<bool, 256> kSeparators = [] {
    std::array<bool, 256> table{};
    for (const char c : {' ', '\t', '\r', '\v', '\f', ',', ':'}) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

bool IsSeparator(char c) {
    return kSeparators[static_cast<unsigned char>(c)];
}

bool IsHex(std::string_view token) {
    return token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
}

// Integers as the files write them: decimal, or hexadecimal after "0x", with a sign.
std::optional<std::int64_t> ParseInteger(std::string_view token) {
    const bool negative = token.starts_with('-');
    if (negative || token.starts_with('+')) {
        token.remove_prefix(1);
    }
    int base = 10;
    if (IsHex(token)) {
        token.remove_prefix(2);
        base = 16;
    }
    // One sign only: from_chars would take a second minus ("--1", "0x-1").
    if (token.starts_with('-') || token.starts_with('+')) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] =
        std::from_chars(token.data(), token.data() + token.size(), value, base);
    if (token.empty() || error != std::errc() || end != token.data() + token.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Numbers as the files write them: "1.5", ".5", "-.022", "1e-3", or an integer as above.
// Only finite ones: from_chars also takes "inf" and "nan".
std::optional<double> ParseNumber(std::string_view token) {
    const bool signed_ = token.starts_with('+') || token.starts_with('-');
    if (IsHex(token.substr(signed_ ? 1 : 0))) {
        const std::optional<std::int64_t> integer = ParseInteger(token);
        return integer ? std::optional<double>(static_cast<double>(*integer)) : std::nullopt;
    }
    // from_chars takes a minus sign but no plus.
    const std::string_view digits = token.starts_with('+') ? token.substr(1) : token;
    if (token.starts_with('+') && digits.starts_with('-')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The model's text a line at a time, each cut into tokens: comments ("#" on) dropped, and
// blanks, commas and colons separating, so "0: 1 0x4" and "6, 0 4, 1" read as plain lists.
class ModelText {
  public:
    explicit ModelText(std::string_view text) : text_(text) {}

    // Moves to the next line that holds a token; false at the end.
    bool Next() {
        while (at_ < text_.size()) {
            const std::size_t end = std::min(text_.find('\n', at_), text_.size());
            std::string_view line = text_.substr(at_, end - at_);
            at_ = end + 1;
            ++line_;
            line = line.substr(0, line.find('#'));
            tokens_.clear();
            std::size_t i = 0;
            while (i < line.size()) {
                while (i < line.size() && IsSeparator(line[i])) {
                    ++i;
                }
                const std::size_t start = i;
                while (i < line.size() && !IsSeparator(line[i])) {
                    ++i;
                }
                if (i > start) {
                    tokens_.push_back(line.substr(start, i - start));
                }
            }
            if (!tokens_.empty()) {
                return true;
            }
        }
        tokens_.clear();
        return false;
    }

    const std::vector<std::string_view>& Tokens() const { return tokens_; }
    std::size_t Size() const { return tokens_.size(); }
    bool Is(std::size_t i, std::string_view word) const {
        return i < tokens_.size() && EqualsIgnoringCase(tokens_[i], word);
    }
    // A table's row begins with its index.
    bool IsRow() const { return !tokens_.empty() && ParseInteger(tokens_[0]).has_value(); }

    [[noreturn]] void Fail(const std::string& message) const {
        throw ModelError("Line " + std::to_string(line_) + ": " + message);
    }
    void Need(std::size_t tokens, const std::string& what) const {
        if (tokens_.size() < tokens) {
            Fail(what + " is cut short");
        }
    }

    std::int64_t Integer(std::size_t i, std::int64_t low, std::int64_t high,
                         const std::string& what) const {
        Need(i + 1, what);
        const std::optional<std::int64_t> value = ParseInteger(tokens_[i]);
        if (!value) {
            Fail(what + ": '" + Shown(tokens_[i]) + "' is not a whole number");
        }
        if (*value < low || *value > high) {
            Fail(what + ": " + Shown(tokens_[i]) + " is out of range");
        }
        return *value;
    }
    std::size_t Count(std::size_t i, const std::string& what) const {
        return static_cast<std::size_t>(
            Integer(i, 0, std::numeric_limits<std::int32_t>::max(), what));
    }
    double Number(std::size_t i, const std::string& what) const {
        Need(i + 1, what);
        const std::optional<double> value = ParseNumber(tokens_[i]);
        if (!value) {
            Fail(what + ": '" + Shown(tokens_[i]) + "' is not a number");
        }
        if (std::abs(*value) > kLargestModelNumber) {
            Fail(what + ": " + Shown(tokens_[i]) + " is out of range");
        }
        return *value;
    }
    Vec3 Vector(std::size_t i, const std::string& what) const {
        return {Number(i, what), Number(i + 1, what), Number(i + 2, what)};
    }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 0;
    std::vector<std::string_view> tokens_;
};

std::string Counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Reads the count rows of a table that follows the current line, calling row for each with
// the text on that row. A table that ends early (the text ends, or a line that is no row)
// fails on the table's own line, with what it lists and what it holds.
template <typename RowFn>
void ReadRows(ModelText& text, std::size_t count, const std::string& owner, const std::string& one,
              const std::string& many, RowFn row) {
    const ModelText heading = text;
    for (std::size_t i = 0; i < count; ++i) {
        if (!text.Next() || !text.IsRow()) {
            heading.Fail(owner + " lists " + Counted(count, one, many) + " but holds " +
                         std::to_string(i));
        }
        row(i);
    }
}

class ModelReader {
  public:
    explicit ModelReader(std::string_view text) : text_(text) {}

    Model3do Read() {
        while (text_.Next()) {
            Line();
        }
        if (!header_) {
            throw ModelError("Not a 3DO model: it has no \"3DO 2.1\" line");
        }
        EndGeoset();
        if (model_.geosets.size() < geosets_) {
            throw ModelError("The model lists " + Counted(geosets_, "geoset", "geosets") +
                             " but holds " + std::to_string(model_.geosets.size()));
        }
        CheckHierarchy();
        return std::move(model_);
    }

  private:
    void Line() {
        ModelText& t = text_;
        if (t.Is(0, "3DO")) {
            t.Need(2, "The 3DO line");
            if (!t.Tokens()[1].starts_with("2.")) {
                t.Fail("3DO version " + Shown(t.Tokens()[1]) + " is not read; 2.1 is");
            }
            header_ = true;
        } else if (t.Is(0, "MATERIALS")) {
            Once(materialsRead_, "MATERIALS");
            ReadRows(t, t.Count(1, "MATERIALS"), "The model", "material", "materials",
                     [&](std::size_t i) {
                         t.Need(2, "Material " + std::to_string(i));
                         model_.materials.emplace_back(t.Tokens()[1]);
                     });
        } else if (t.Is(0, "RADIUS")) {
            (mesh_ ? mesh_->radius : model_.radius) = t.Number(1, "RADIUS");
            if (!mesh_) {
                model_.radiusText = t.Tokens()[1];
            }
        } else if (t.Is(0, "INSERT") && t.Is(1, "OFFSET")) {
            model_.insertOffset = t.Vector(2, "INSERT OFFSET");
        } else if (t.Is(0, "GEOSETS")) {
            geosets_ = t.Count(1, "GEOSETS");
        } else if (t.Is(0, "GEOSET")) {
            Geoset();
        } else if (t.Is(0, "MESHES")) {
            if (!geoset_) {
                t.Fail("MESHES outside a geoset");
            }
            meshes_ = t.Count(1, "MESHES");
        } else if (t.Is(0, "MESH")) {
            Mesh();
        } else if (t.Is(0, "NAME") && mesh_) {
            mesh_->name = t.Size() > 1 ? std::string(t.Tokens()[1]) : std::string();
        } else if (t.Is(0, "VERTICES")) {
            Vertices();
        } else if (t.Is(0, "TEXTURE") && t.Is(1, "VERTICES")) {
            InMesh("TEXTURE VERTICES");
            ReadRows(t, t.Count(2, "TEXTURE VERTICES"), MeshName(), "texture vertex",
                     "texture vertices", [](std::size_t) {});
        } else if (t.Is(0, "VERTEX") && t.Is(1, "NORMALS")) {
            InMesh("VERTEX NORMALS");
            ReadRows(t, mesh_->vertices.size(), MeshName(), "vertex normal", "vertex normals",
                     [](std::size_t) {});
        } else if (t.Is(0, "FACES")) {
            Faces();
        } else if (t.Is(0, "FACE") && t.Is(1, "NORMALS")) {
            InMesh("FACE NORMALS");
            ReadRows(t, mesh_->faces.size(), MeshName(), "face normal", "face normals",
                     [](std::size_t) {});
        } else if (t.Is(0, "HIERARCHY") && t.Is(1, "NODES")) {
            Nodes();
        } else if (t.Is(0, "SECTION")) {
            mesh_ = nullptr;
        }
        // Anything else (modes, sections' other lines, what later versions add) is not needed.
    }

    void Once(bool& read, const char* table) {
        if (read) {
            text_.Fail("a second " + std::string(table) + " table");
        }
        read = true;
    }

    void InMesh(const char* table) {
        if (!mesh_) {
            text_.Fail(std::string(table) + " outside a mesh");
        }
    }

    // The current mesh, as a table's owner at the start of a message.
    std::string MeshName() const {
        return "Mesh " + std::to_string(model_.geosets.back().meshes.size() - 1);
    }

    // The meshes of the geoset read so far are all there.
    void EndGeoset() {
        if (geoset_ && geoset_->meshes.size() < meshes_) {
            throw ModelError("Geoset " + std::to_string(model_.geosets.size() - 1) + " lists " +
                             Counted(meshes_, "mesh", "meshes") + " but holds " +
                             std::to_string(geoset_->meshes.size()));
        }
    }

    void Geoset() {
        EndGeoset();
        const std::int64_t index =
            text_.Integer(1, 0, std::numeric_limits<std::int32_t>::max(), "GEOSET");
        if (static_cast<std::size_t>(index) != model_.geosets.size()) {
            text_.Fail("GEOSET " + std::to_string(index) + " where geoset " +
                       std::to_string(model_.geosets.size()) + " is due");
        }
        if (model_.geosets.size() >= geosets_) {
            text_.Fail("GEOSET " + std::to_string(index) + " beyond the " +
                       Counted(geosets_, "geoset", "geosets") + " listed");
        }
        geoset_ = &model_.geosets.emplace_back();
        mesh_ = nullptr;
        meshes_ = 0;
    }

    void Mesh() {
        if (!geoset_) {
            text_.Fail("MESH outside a geoset");
        }
        const std::int64_t index =
            text_.Integer(1, 0, std::numeric_limits<std::int32_t>::max(), "MESH");
        if (static_cast<std::size_t>(index) != geoset_->meshes.size()) {
            text_.Fail("MESH " + std::to_string(index) + " where mesh " +
                       std::to_string(geoset_->meshes.size()) + " is due");
        }
        if (geoset_->meshes.size() >= meshes_) {
            text_.Fail("MESH " + std::to_string(index) + " beyond the " + std::to_string(meshes_) +
                       " listed");
        }
        mesh_ = &geoset_->meshes.emplace_back();
        verticesRead_ = facesRead_ = false;
    }

    void Vertices() {
        InMesh("VERTICES");
        Once(verticesRead_, "VERTICES");
        ModelText& t = text_;
        ReadRows(t, t.Count(1, "VERTICES"), MeshName(), "vertex", "vertices", [&](std::size_t i) {
            mesh_->vertices.push_back(t.Vector(1, "Vertex " + std::to_string(i)));
        });
    }

    void Faces() {
        InMesh("FACES");
        Once(facesRead_, "FACES");
        ModelText& t = text_;
        const std::string mesh = MeshName();
        ReadRows(t, t.Count(1, "FACES"), mesh, "face", "faces", [&](std::size_t i) {
            const std::string face = "Face " + std::to_string(i) + " of m" + mesh.substr(1);
            // index, material, type, geometry, light, texture, extra light, vertex count,
            // then a vertex and a texture vertex for each.
            ModelFace read;
            read.material = static_cast<std::int32_t>(
                t.Integer(1, -1, std::numeric_limits<std::int32_t>::max(), face));
            if (read.material >= 0 &&
                static_cast<std::size_t>(read.material) >= model_.materials.size()) {
                t.Fail(face + " names material " + std::to_string(read.material) +
                       "; the model has " + std::to_string(model_.materials.size()));
            }
            const std::size_t count = t.Count(7, face);
            if (t.Size() < 8 + 2 * static_cast<std::uint64_t>(count)) {
                t.Fail(face + " lists " + Counted(count, "vertex", "vertices") + " but gives " +
                       std::to_string((t.Size() - 8) / 2));
            }
            read.first = static_cast<std::uint32_t>(mesh_->faceVertices.size());
            read.count = static_cast<std::uint32_t>(count);
            for (std::size_t k = 0; k < count; ++k) {
                const std::int64_t vertex =
                    t.Integer(8 + 2 * k, 0, std::numeric_limits<std::int32_t>::max(), face);
                if (static_cast<std::size_t>(vertex) >= mesh_->vertices.size()) {
                    t.Fail(face + " names vertex " + std::to_string(vertex) + "; the mesh has " +
                           std::to_string(mesh_->vertices.size()));
                }
                mesh_->faceVertices.push_back(static_cast<std::uint32_t>(vertex));
            }
            mesh_->faces.push_back(read);
        });
    }

    void Nodes() {
        Once(nodesRead_, "HIERARCHY NODES");
        mesh_ = nullptr;
        ModelText& t = text_;
        const std::size_t count = t.Count(2, "HIERARCHY NODES");
        const std::size_t meshes = model_.geosets.empty() ? 0 : model_.geosets[0].meshes.size();
        ReadRows(t, count, "The model", "hierarchy node", "hierarchy nodes", [&](std::size_t i) {
            const std::string node = "Node " + std::to_string(i);
            // index, flags, type, mesh, parent, child, sibling, child count, offset x y z,
            // pitch yaw roll, pivot x y z, name.
            t.Need(17, node);
            ModelNode read;
            read.mesh = static_cast<std::int32_t>(
                t.Integer(3, -1, std::numeric_limits<std::int32_t>::max(), node));
            if (read.mesh >= 0 && static_cast<std::size_t>(read.mesh) >= meshes) {
                t.Fail(node + " names mesh " + std::to_string(read.mesh) + "; the geoset has " +
                       std::to_string(meshes));
            }
            read.parent = static_cast<std::int32_t>(
                t.Integer(4, -1, std::numeric_limits<std::int32_t>::max(), node));
            if (read.parent >= 0 && static_cast<std::size_t>(read.parent) >= count) {
                t.Fail(node + " names parent " + std::to_string(read.parent) + "; the model has " +
                       Counted(count, "node", "nodes"));
            }
            read.offset = t.Vector(8, node);
            read.rotation = t.Vector(11, node);
            read.pivot = t.Vector(14, node);
            read.name = t.Size() > 17 ? std::string(t.Tokens()[17]) : std::string();
            model_.nodes.push_back(std::move(read));
        });
    }

    // Every chain of parents ends at the top. Each node is walked once: a walk stops at a
    // node already known to end well, and meeting a node of the walk itself is a loop.
    void CheckHierarchy() const {
        enum class Mark : std::uint8_t { Unseen, OnWalk, Ends };
        std::vector<Mark> marks(model_.nodes.size(), Mark::Unseen);
        std::vector<std::size_t> walk;
        for (std::size_t start = 0; start < marks.size(); ++start) {
            walk.clear();
            std::int32_t at = static_cast<std::int32_t>(start);
            while (at >= 0 && marks[static_cast<std::size_t>(at)] != Mark::Ends) {
                const auto node = static_cast<std::size_t>(at);
                if (marks[node] == Mark::OnWalk) {
                    throw ModelError("The hierarchy loops: node " + std::to_string(node) +
                                     " is among its own parents");
                }
                marks[node] = Mark::OnWalk;
                walk.push_back(node);
                at = model_.nodes[node].parent;
            }
            for (const std::size_t node : walk) {
                marks[node] = Mark::Ends;
            }
        }
    }

    ModelText text_;
    Model3do model_;
    bool header_ = false;
    bool materialsRead_ = false;
    bool nodesRead_ = false;
    bool verticesRead_ = false;
    bool facesRead_ = false;
    std::size_t geosets_ = 0;  // as listed
    std::size_t meshes_ = 0;   // as listed for the current geoset
    ModelGeoset* geoset_ = nullptr;
    ModelMesh* mesh_ = nullptr;
};

}  // namespace

Model3do ReadModel3do(std::string_view text) {
    if (text.size() > kMaxModelBytes) {
        throw ModelError("The model is larger than " + std::to_string(kMaxModelBytes >> 20) +
                         " MB, the most that is read");
    }
    return ModelReader(text).Read();
}

}  // namespace skerry
