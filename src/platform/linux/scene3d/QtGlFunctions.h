#pragma once

#include "GlFunctions.h"
#include "Surface.h"

#include <QString>

#include <string>

// Fills the renderer's GL table from the current Qt context. False with a reason when
// there is no current context or it lacks a function.
bool LoadQtGlFunctions(GlFunctions& functions, QString& error);

// A texture picture decoded by Qt; an empty surface when it cannot be read.
Surface ReadTexturePicture(const std::string& path);
