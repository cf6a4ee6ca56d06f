#include "MeshTextCheck.h"

#include "MeshTokens.h"

#include <string_view>

namespace {

// After "{": a point count, three numbers per point, a face count and the faces.
bool FacesInRange(Tokens& tokens)
{
    const long points = tokens.Count();
    if (points < 0)
        return false;
    for (long i = 0; i < 3 * points; ++i) {
        if (tokens.Next().empty())
            return false;
    }
    const long faces = tokens.Count();
    if (faces < 0)
        return false;
    for (long f = 0; f < faces; ++f) {
        const long corners = tokens.Count();
        if (corners < 0)
            return false;
        for (long c = 0; c < corners; ++c) {
            const long index = tokens.Count();
            if (index < 0 || index >= points)
                return false;
        }
    }
    return true;
}

}  // namespace

bool MeshIndicesInRange(std::string_view text)
{
    Tokens tokens(text);
    for (std::string_view token = tokens.Next(); !token.empty(); token = tokens.Next()) {
        if (token == "template") {
            tokens.Next();  // a template's name may be "Mesh"; its body holds no data
            continue;
        }
        if (token != "Mesh" && token != "MeshNormals")
            continue;
        std::string_view open = tokens.Next();
        if (open != "{")
            open = tokens.Next();  // the block's optional name
        if (open != "{" || !FacesInRange(tokens))
            return false;
    }
    return true;
}
