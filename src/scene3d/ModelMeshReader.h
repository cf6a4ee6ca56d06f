#pragma once

#include "Mesh.h"

#include <string>
#include <string_view>

// Reads the aircraft mesh from the text of the model file the show writes
// (ComposeModelFile): one part per material that has faces, in material order, each
// polygon cut into a fan of triangles, every corner its own vertex with the position,
// normal and texture coordinate the file gives it (V counted from the bottom, as the
// renderer stores pictures). Positions and normals stay in the file's left-handed axes.
// False with a reason in error when the text is not such a file or a face names a
// vertex, normal or material that does not exist.
bool ReadModelMesh(std::string_view text, Mesh& mesh, std::string& error);
