#include "GlFunctions.h"

bool LoadGlFunctions(GlFunctions& functions, GlLookup lookup, void* context, const char** missing)
{
#define KESTROVA_GL_LOAD(result, name, parameters)                                          \
    functions.name = reinterpret_cast<decltype(functions.name)>(lookup("gl" #name, context)); \
    if (!functions.name) {                                                                  \
        *missing = "gl" #name;                                                              \
        return false;                                                                       \
    }
    KESTROVA_GL_FUNCTIONS(KESTROVA_GL_LOAD)
#undef KESTROVA_GL_LOAD
    return true;
}
