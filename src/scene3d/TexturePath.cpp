#include "TexturePath.h"

std::string ResolveTexturePath(std::string_view nameInFile)
{
    const size_t cut = nameInFile.find_last_of("/\\");
    if (cut == std::string_view::npos)
        return std::string(nameInFile);
    std::string path(nameInFile.substr(0, cut));
    // The root folder "/" was written as "/" plus the separator.
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += nameInFile.substr(cut + 1);
    return path;
}
