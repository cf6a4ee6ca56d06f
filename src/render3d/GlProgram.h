#pragma once

#include "GlFunctions.h"

#include <string>

// A linked shader program of the renderer and where its uniforms live. A uniform the
// program does not use has location -1, which GL ignores.
struct GlProgram {
    gl::Uint Id = 0;
    gl::Int Model = -1, NormalMatrix = -1, ViewProjection = -1, Colour = -1, Specular = -1, Power = -1;
    gl::Int Ambient = -1, DirectionalColour = -1, DirectionalToward = -1, PointColour = -1, PointPosition = -1;
    gl::Int Eye = -1, Texture = -1;

    // Compiles and links both stages. False with the compiler's or linker's log in error.
    bool Build(const GlFunctions& gl, const char* vertex, const char* fragment, std::string& error);
};
