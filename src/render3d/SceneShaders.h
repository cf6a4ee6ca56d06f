#pragma once

// Gouraud shading as the show's lights need it: ambient, one directional light along its
// frame's z axis, one point light without fall-off, and a specular highlight from the
// directional light; the material colour times the light is clamped before the
// highlight is added. Lighting happens in world space.
inline constexpr const char* MeshVertexShader = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec4 aTint;
uniform mat4 uModel;
uniform mat3 uNormalMatrix;
uniform mat4 uViewProjection;
uniform vec4 uColour;
uniform vec3 uSpecular;
uniform float uPower;
uniform vec3 uAmbient;
uniform vec3 uDirectionalColour;
uniform vec3 uDirectionalToward;
uniform vec3 uPointColour;
uniform vec3 uPointPosition;
uniform vec3 uEye;
out vec4 vColour;
out vec2 vUv;
void main()
{
    vec4 world = uModel * vec4(aPosition, 1.0);
    vec3 n = normalize(uNormalMatrix * aNormal);
    vec4 colour = uColour * aTint;
    vec3 light = uAmbient + uDirectionalColour * max(dot(n, uDirectionalToward), 0.0);
    light += uPointColour * max(dot(n, normalize(uPointPosition - world.xyz)), 0.0);
    vec3 shade = min(colour.rgb * light, vec3(1.0));
    if (uPower > 0.0) {
        vec3 halfway = normalize(uDirectionalToward + normalize(uEye - world.xyz));
        shade += uSpecular * uDirectionalColour * pow(max(dot(n, halfway), 0.0), uPower);
    }
    vColour = vec4(shade, colour.a);
    vUv = aUv;
    gl_Position = uViewProjection * world;
}
)";

// Two fragment shaders rather than one with a branch: a software rasteriser then samples
// no texture for the many smoke fragments.
inline constexpr const char* PlainFragmentShader = R"(#version 330 core
in vec4 vColour;
out vec4 fragColour;
void main()
{
    fragColour = vColour;
}
)";

inline constexpr const char* TexturedFragmentShader = R"(#version 330 core
in vec4 vColour;
in vec2 vUv;
uniform sampler2D uTexture;
out vec4 fragColour;
void main()
{
    fragColour = vColour * texture(uTexture, vUv);
}
)";

// A full-viewport triangle pair made from the vertex number alone.
inline constexpr const char* BackgroundVertexShader = R"(#version 330 core
out vec2 vUv;
void main()
{
    vec2 corner = vec2(float(gl_VertexID & 1), float((gl_VertexID >> 1) & 1));
    vUv = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 1.0, 1.0);
}
)";

inline constexpr const char* BackgroundFragmentShader = R"(#version 330 core
in vec2 vUv;
uniform sampler2D uTexture;
out vec4 fragColour;
void main()
{
    fragColour = vec4(texture(uTexture, vUv).rgb, 1.0);
}
)";
