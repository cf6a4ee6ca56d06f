#pragma once

#include <string>
#include <string_view>

// Where a texture named in the model file lies: the name after the last separator
// ("/" or "\") in the folder before it, joined by "/". The file names its pictures the
// way the folder was given to the writer, Windows separators and all.
std::string ResolveTexturePath(std::string_view nameInFile);
