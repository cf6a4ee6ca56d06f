#include "GlProgram.h"

namespace {

std::string ShaderLog(const GlFunctions& gl, gl::Uint shader)
{
    gl::Int length = 0;
    gl.GetShaderiv(shader, gl::INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    gl.GetShaderInfoLog(shader, gl::Sizei(log.size()), nullptr, log.data());
    return log.c_str();
}

std::string ProgramLog(const GlFunctions& gl, gl::Uint program)
{
    gl::Int length = 0;
    gl.GetProgramiv(program, gl::INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    gl.GetProgramInfoLog(program, gl::Sizei(log.size()), nullptr, log.data());
    return log.c_str();
}

gl::Uint Compile(const GlFunctions& gl, gl::Enum stage, const char* source, std::string& error)
{
    const gl::Uint shader = gl.CreateShader(stage);
    gl.ShaderSource(shader, 1, &source, nullptr);
    gl.CompileShader(shader);
    gl::Int compiled = 0;
    gl.GetShaderiv(shader, gl::COMPILE_STATUS, &compiled);
    if (compiled)
        return shader;
    error = ShaderLog(gl, shader);
    gl.DeleteShader(shader);
    return 0;
}

}  // namespace

bool GlProgram::Build(const GlFunctions& gl, const char* vertex, const char* fragment, std::string& error)
{
    const gl::Uint vertexShader = Compile(gl, gl::VERTEX_SHADER, vertex, error);
    if (!vertexShader)
        return false;
    const gl::Uint fragmentShader = Compile(gl, gl::FRAGMENT_SHADER, fragment, error);
    if (!fragmentShader) {
        gl.DeleteShader(vertexShader);
        return false;
    }
    Id = gl.CreateProgram();
    gl.AttachShader(Id, vertexShader);
    gl.AttachShader(Id, fragmentShader);
    gl.LinkProgram(Id);
    // The program keeps the shaders alive while it needs them.
    gl.DeleteShader(vertexShader);
    gl.DeleteShader(fragmentShader);
    gl::Int linked = 0;
    gl.GetProgramiv(Id, gl::LINK_STATUS, &linked);
    if (!linked) {
        error = ProgramLog(gl, Id);
        return false;
    }
    const auto at = [&](const char* name) { return gl.GetUniformLocation(Id, name); };
    Model = at("uModel");
    NormalMatrix = at("uNormalMatrix");
    ViewProjection = at("uViewProjection");
    Colour = at("uColour");
    Specular = at("uSpecular");
    Power = at("uPower");
    Ambient = at("uAmbient");
    DirectionalColour = at("uDirectionalColour");
    DirectionalToward = at("uDirectionalToward");
    PointColour = at("uPointColour");
    PointPosition = at("uPointPosition");
    Eye = at("uEye");
    Texture = at("uTexture");
    return true;
}
