#pragma once

#include "SceneGraph.h"

#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Draws a scene graph with OpenGL 3.3 core into the current context: the background
// image stretched over the viewport, opaque meshes with Gouraud shading, then every
// translucent face blended, farthest first. Everything it needs is allocated when a
// mesh or picture is first seen; drawing a frame allocates nothing.
class SceneRenderer {
public:
    SceneRenderer();
    ~SceneRenderer();

    // Needs the context current. False with a reason when the shaders do not build.
    bool Initialize(QString& error);

    // Renders root's subtree as seen from camera into a viewport of the given size.
    void Render(const SceneGraph& graph, const Frame& root, const Frame& camera, int width, int height);

    // Translucent triangles drawn in the last frame.
    size_t TranslucentTriangles() const { return sorted_.size(); }

private:
    struct GpuGeometry {
        GLuint Vao = 0, Vbo = 0, Ebo = 0;
        std::vector<std::pair<GLsizei, GLsizei>> Parts;  // first index, count
    };
    struct DrawItem {
        const Mesh* MeshToDraw;
        Affine World;
    };
    struct StreamVertex {
        float Position[3];
        float Normal[3];
        float Colour[4];
    };

    void Collect(const Frame& frame, const Affine& world);
    void CollectVisual(const Visual& visual, const Affine& hostWorld);
    GpuGeometry& Upload(const MeshGeometry& geometry);
    QOpenGLTexture* Texture(const std::string& path);
    void SetFrameUniforms(QOpenGLShaderProgram& program, const SceneGraph& graph, const QMatrix4x4& viewProjection,
                          const Vec3& eye);
    // False when there is no background picture.
    bool DrawBackground(const SceneGraph& graph, int width, int height);
    void StoreBackground(const Surface& image, uint64_t key, int width, int height, bool upsideDown);
    void DrawOpaque(const DrawItem& item);
    void GatherTranslucent(const DrawItem& item, const Affine& view);
    void DrawTranslucent();

    QOpenGLFunctions_3_3_Core* gl_ = nullptr;
    QOpenGLShaderProgram plainProgram_;
    QOpenGLShaderProgram texturedProgram_;
    QOpenGLShaderProgram backgroundProgram_;
    std::unordered_map<const MeshGeometry*, GpuGeometry> geometries_;
    std::unordered_map<std::string, std::unique_ptr<QOpenGLTexture>> textures_;
    // The background stretched to the viewport once, then copied in every frame. Mesa's
    // software renderer keeps a window's rows top first and blue-green-red, a texture's
    // bottom first: stored that way, upside down for a window, the copy is a plain memory
    // copy instead of a texture-sampling pass over every pixel.
    GLuint backgroundTexture_ = 0, backgroundFramebuffer_ = 0;
    QSize backgroundSize_;
    bool backgroundUpsideDown_ = false;
    uint64_t backgroundKey_ = 0;
    GLuint emptyVao_ = 0;
    GLuint streamVao_ = 0, streamVbo_ = 0;
    size_t streamCapacity_ = 0;

    std::vector<DrawItem> items_;
    std::vector<StreamVertex> translucent_;         // three per triangle, in gathering order
    std::vector<std::pair<float, unsigned>> sorted_;  // view depth, triangle
    std::vector<StreamVertex> upload_;
};
