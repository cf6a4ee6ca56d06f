#pragma once

#include "Mesh.h"

#include <QString>

// Loads the aircraft mesh from the model file with the core's reader (ReadModelMesh), as
// the Windows show does. Returns false with a reason in error when the file cannot be
// read or is not a mesh the reader takes, for instance when a face names a vertex that
// does not exist.
bool LoadModelMesh(const QString& path, Mesh& mesh, QString& error);
