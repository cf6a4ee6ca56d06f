#pragma once

#include <span>
#include <string_view>

// The pictures and model lines the program carries inside itself, named by their path
// under assets/ ("sprites/kind0_0.png", "model/t4_faces.txt"). Every platform reads
// them from here. Empty when no asset has that name.
std::span<const unsigned char> EmbeddedAsset(std::string_view name);
