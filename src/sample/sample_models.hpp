#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/model_3do.hpp"
#include "sample/game_file_writers.hpp"

namespace skerry {

// Models of our own making, built from boxes and spheres.

// Adds a box from low to high, six four-cornered faces of one material.
void AddBox(ModelMesh& mesh, const Vec3& low, const Vec3& high, std::int32_t material);

// Adds a sphere of rings x segments faces of one material.
void AddSphere(ModelMesh& mesh, const Vec3& centre, double radius, int rings, int segments,
               std::int32_t material);

// Sets each mesh's radius and the model's from where the hierarchy puts the first geoset.
void SetRadii(Model3do& model);

// A model of about faces faces in meshes spheres, each hanging from the one before, turned
// and moved; two materials.
Model3do SphereModel(std::size_t faces, std::size_t meshes);

// The models of the sample containers: figures whose limbs hang from their bodies, a crate
// with its lid open on a hinge, bolts; materials from the sample textures (and one that is
// not in the container, shown grey).
std::vector<ContainerEntry> SampleJkModels();    // res2.gob
std::vector<ContainerEntry> SampleHiModels();    // res1hi.gob
std::vector<ContainerEntry> SampleMotsModels();  // jkmres.goo

}  // namespace skerry
