#pragma once

#include "Mesh.h"

#include <QString>

// Loads the aircraft mesh from the model file in the text mesh format: one part per
// material with its colours and texture picture. Returns false with a reason in error
// when the file cannot be read or parsed, or when a face names a vertex that does not
// exist.
bool LoadModelMesh(const QString& path, Mesh& mesh, QString& error);
