#pragma once

#include <cstddef>
#include <cstdint>

// The OpenGL 3.3 core functions the renderer calls, as a table of our own that each
// platform fills from its context (Qt's getProcAddress on Linux, WGL on Windows), so the
// renderer needs no GL or window-system header. Constants live in namespace gl without
// the GL_ prefix, so they never meet the macros of a platform's own GL header.

// The calling convention of GL entry points: stdcall only on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define KESTROVA_GLAPI __stdcall
#else
#define KESTROVA_GLAPI
#endif

namespace gl {
using Enum = unsigned int;
using Uint = unsigned int;
using Int = int;
using Sizei = int;
using Bitfield = unsigned int;
using Boolean = unsigned char;
using Float = float;
using Double = double;
using Char = char;
using Sizeiptr = std::ptrdiff_t;
using Intptr = std::ptrdiff_t;

constexpr Boolean FALSE_ = 0;
constexpr Enum ARRAY_BUFFER = 0x8892, ELEMENT_ARRAY_BUFFER = 0x8893, STATIC_DRAW = 0x88E4, STREAM_DRAW = 0x88E0;
constexpr Enum FLOAT = 0x1406, UNSIGNED_INT = 0x1405, UNSIGNED_BYTE = 0x1401;
constexpr Enum TRIANGLES = 0x0004, TRIANGLE_STRIP = 0x0005;
constexpr Enum TEXTURE_2D = 0x0DE1, TEXTURE0 = 0x84C0, RGBA = 0x1908, RGBA8 = 0x8058, BGRA = 0x80E1;
constexpr Enum TEXTURE_MIN_FILTER = 0x2801, TEXTURE_MAG_FILTER = 0x2800, TEXTURE_WRAP_S = 0x2802,
               TEXTURE_WRAP_T = 0x2803;
constexpr Int NEAREST = 0x2600, LINEAR = 0x2601, LINEAR_MIPMAP_LINEAR = 0x2703, REPEAT = 0x2901,
              CLAMP_TO_EDGE = 0x812F;
constexpr Enum UNPACK_ALIGNMENT = 0x0CF5;
constexpr Enum FRAMEBUFFER = 0x8D40, READ_FRAMEBUFFER = 0x8CA8, DRAW_FRAMEBUFFER = 0x8CA9,
               DRAW_FRAMEBUFFER_BINDING = 0x8CA6, COLOR_ATTACHMENT0 = 0x8CE0;
constexpr Bitfield COLOR_BUFFER_BIT = 0x4000, DEPTH_BUFFER_BIT = 0x0100;
constexpr Enum DEPTH_TEST = 0x0B71, SCISSOR_TEST = 0x0C11, CULL_FACE = 0x0B44, BLEND = 0x0BE2, CW = 0x0900,
               BACK = 0x0405, LESS = 0x0201;
constexpr Enum SRC_ALPHA = 0x0302, ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr Enum VERTEX_SHADER = 0x8B31, FRAGMENT_SHADER = 0x8B30, COMPILE_STATUS = 0x8B81, LINK_STATUS = 0x8B82,
               INFO_LOG_LENGTH = 0x8B84;
}  // namespace gl

// X(result, name, parameters): every entry of the table, named as the GL function
// without its "gl" prefix.
#define KESTROVA_GL_FUNCTIONS(X)                                                                                   \
    X(void, ActiveTexture, (gl::Enum texture))                                                                     \
    X(void, AttachShader, (gl::Uint program, gl::Uint shader))                                                     \
    X(void, BindBuffer, (gl::Enum target, gl::Uint buffer))                                                        \
    X(void, BindFramebuffer, (gl::Enum target, gl::Uint framebuffer))                                              \
    X(void, BindTexture, (gl::Enum target, gl::Uint texture))                                                      \
    X(void, BindVertexArray, (gl::Uint array))                                                                     \
    X(void, BlendFunc, (gl::Enum source, gl::Enum destination))                                                    \
    X(void, BlitFramebuffer,                                                                                       \
      (gl::Int sx0, gl::Int sy0, gl::Int sx1, gl::Int sy1, gl::Int dx0, gl::Int dy0, gl::Int dx1, gl::Int dy1,     \
       gl::Bitfield mask, gl::Enum filter))                                                                        \
    X(void, BufferData, (gl::Enum target, gl::Sizeiptr size, const void* data, gl::Enum usage))                    \
    X(void, BufferSubData, (gl::Enum target, gl::Intptr offset, gl::Sizeiptr size, const void* data))              \
    X(void, Clear, (gl::Bitfield mask))                                                                            \
    X(void, ClearColor, (gl::Float r, gl::Float g, gl::Float b, gl::Float a))                                      \
    X(void, ClearDepth, (gl::Double depth))                                                                        \
    X(void, CompileShader, (gl::Uint shader))                                                                      \
    X(gl::Uint, CreateProgram, ())                                                                                 \
    X(gl::Uint, CreateShader, (gl::Enum type))                                                                     \
    X(void, CullFace, (gl::Enum mode))                                                                             \
    X(void, DeleteFramebuffers, (gl::Sizei n, const gl::Uint* framebuffers))                                       \
    X(void, DeleteShader, (gl::Uint shader))                                                                       \
    X(void, DeleteTextures, (gl::Sizei n, const gl::Uint* textures))                                               \
    X(void, DepthFunc, (gl::Enum function))                                                                        \
    X(void, DepthMask, (gl::Boolean flag))                                                                         \
    X(void, Disable, (gl::Enum capability))                                                                        \
    X(void, DrawArrays, (gl::Enum mode, gl::Int first, gl::Sizei count))                                           \
    X(void, DrawElements, (gl::Enum mode, gl::Sizei count, gl::Enum type, const void* indices))                    \
    X(void, Enable, (gl::Enum capability))                                                                         \
    X(void, EnableVertexAttribArray, (gl::Uint index))                                                             \
    X(void, FramebufferTexture2D,                                                                                  \
      (gl::Enum target, gl::Enum attachment, gl::Enum textureTarget, gl::Uint texture, gl::Int level))            \
    X(void, FrontFace, (gl::Enum mode))                                                                            \
    X(void, GenBuffers, (gl::Sizei n, gl::Uint* buffers))                                                          \
    X(void, GenerateMipmap, (gl::Enum target))                                                                     \
    X(void, GenFramebuffers, (gl::Sizei n, gl::Uint* framebuffers))                                                \
    X(void, GenTextures, (gl::Sizei n, gl::Uint* textures))                                                        \
    X(void, GenVertexArrays, (gl::Sizei n, gl::Uint* arrays))                                                      \
    X(void, GetIntegerv, (gl::Enum name, gl::Int* data))                                                           \
    X(void, GetProgramInfoLog, (gl::Uint program, gl::Sizei size, gl::Sizei* length, gl::Char* log))               \
    X(void, GetProgramiv, (gl::Uint program, gl::Enum name, gl::Int* value))                                       \
    X(void, GetShaderInfoLog, (gl::Uint shader, gl::Sizei size, gl::Sizei* length, gl::Char* log))                 \
    X(void, GetShaderiv, (gl::Uint shader, gl::Enum name, gl::Int* value))                                         \
    X(gl::Int, GetUniformLocation, (gl::Uint program, const gl::Char* name))                                       \
    X(void, LinkProgram, (gl::Uint program))                                                                       \
    X(void, PixelStorei, (gl::Enum name, gl::Int value))                                                           \
    X(void, Scissor, (gl::Int x, gl::Int y, gl::Sizei width, gl::Sizei height))                                   \
    X(void, ShaderSource, (gl::Uint shader, gl::Sizei count, const gl::Char* const* text, const gl::Int* length))   \
    X(void, TexImage2D,                                                                                            \
      (gl::Enum target, gl::Int level, gl::Int internalFormat, gl::Sizei width, gl::Sizei height, gl::Int border,  \
       gl::Enum format, gl::Enum type, const void* pixels))                                                        \
    X(void, TexParameteri, (gl::Enum target, gl::Enum name, gl::Int value))                                        \
    X(void, Uniform1f, (gl::Int location, gl::Float v))                                                            \
    X(void, Uniform1i, (gl::Int location, gl::Int v))                                                              \
    X(void, Uniform3f, (gl::Int location, gl::Float x, gl::Float y, gl::Float z))                                  \
    X(void, Uniform4f, (gl::Int location, gl::Float x, gl::Float y, gl::Float z, gl::Float w))                     \
    X(void, UniformMatrix3fv, (gl::Int location, gl::Sizei count, gl::Boolean transpose, const gl::Float* value)) \
    X(void, UniformMatrix4fv, (gl::Int location, gl::Sizei count, gl::Boolean transpose, const gl::Float* value)) \
    X(void, UseProgram, (gl::Uint program))                                                                        \
    X(void, VertexAttrib4f, (gl::Uint index, gl::Float x, gl::Float y, gl::Float z, gl::Float w))                  \
    X(void, VertexAttribPointer,                                                                                   \
      (gl::Uint index, gl::Int size, gl::Enum type, gl::Boolean normalized, gl::Sizei stride, const void* pointer)) \
    X(void, Viewport, (gl::Int x, gl::Int y, gl::Sizei width, gl::Sizei height))

struct GlFunctions {
#define KESTROVA_GL_MEMBER(result, name, parameters) result(KESTROVA_GLAPI* name) parameters = nullptr;
    KESTROVA_GL_FUNCTIONS(KESTROVA_GL_MEMBER)
#undef KESTROVA_GL_MEMBER

    // The framebuffer that shows in the window; the renderer stores the background
    // upside down for it (see SceneRenderer).
    gl::Uint WindowFramebuffer = 0;
};

// Finds one entry point by its full name ("glClear"); nullptr when there is none.
using GlLookup = void* (*)(const char* name, void* context);

// Fills every entry through lookup. False, naming the first missing function in
// missing, when the context does not offer all of them.
bool LoadGlFunctions(GlFunctions& functions, GlLookup lookup, void* context, const char** missing);
