#pragma once

#include <string_view>

// True when every face of every "Mesh" and "MeshNormals" block of a text mesh file names
// an existing vertex or normal. The loader's own bound check lets the index equal to the
// count through and then reads past its array, so the text is checked before loading.
bool MeshIndicesInRange(std::string_view text);
