#pragma once

#include "ChangedTiles.h"
#include "DepthOrder.h"
#include "GlFunctions.h"
#include "GlProgram.h"
#include "PixelBox.h"
#include "SceneGraph.h"
#include "Surface.h"
#include "ViewVolume.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// Decodes a texture picture named in the model file; an empty surface when it cannot.
using PictureFileReader = std::function<Surface(const std::string& path)>;

// Draws a scene graph with OpenGL 3.3 core into the current context: the background
// image stretched over the viewport, opaque meshes with Gouraud shading, then every
// translucent face blended, farthest first. Meshes wholly outside the view are skipped.
// Everything it needs is allocated when a mesh or picture is first seen; drawing a frame
// allocates nothing. It calls GL only through the table the platform filled, so both
// programs share it. Its GL objects
// belong to the context and go with it: the renderer must not outlive its context.
class SceneRenderer {
public:
    SceneRenderer(const GlFunctions& gl, PictureFileReader readPicture);

    // Needs the context current. False with a reason when the shaders do not build.
    bool Initialize(std::string& error);

    // Renders root's subtree as seen from camera into a viewport of the given size and
    // returns the rectangles it redrew, which hold every pixel that may differ from the
    // frame before. When the target still holds a frame this renderer drew into it,
    // targetAge frames ago (1: the last one; 0: it holds nothing known), only the tiles
    // that frame, the ones after it and this one draw into are redrawn: the background
    // stands still, so every other pixel already is what a whole redraw would give.
    const std::vector<PixelBox>& Render(const SceneGraph& graph, const Frame& root, const Frame& camera, int width,
                                        int height, int targetAge = 0);

    // Translucent triangles in view sorted in the last frame.
    size_t TranslucentTriangles() const { return order_.Size(); }

private:
    struct GpuGeometry {
        gl::Uint Vao = 0, Vbo = 0, Ebo = 0;
        std::vector<std::pair<gl::Sizei, gl::Sizei>> Parts;  // first index, count
    };
    struct DrawItem {
        const Mesh* MeshToDraw = nullptr;
        Affine World;
        bool Seen = true;
        // Whether its fragments need the depth test: only where an opaque mesh drew, or
        // near the back plane, can it reject one.
        bool DepthTested = true;
        PixelBox Box;
        double Farthest = 0;
    };
    // Sorted translucent triangles drawn in one call, with the depth test or without.
    struct TranslucentRun {
        gl::Int First = 0;
        gl::Sizei Count = 0;
        bool DepthTested = true;
    };
    struct StreamVertex {
        float Position[3];
        float Normal[3];
        float Colour[4];
    };
    struct Matrix4 {
        float Columns[16];  // column-major, as GL takes it
    };

    void Collect(const Frame& frame, const Affine& world);
    void CollectVisual(const Visual& visual, const Affine& hostWorld);
    GpuGeometry& Upload(const MeshGeometry& geometry);
    const LocalBounds& Bounds(const MeshGeometry& geometry);
    // Marks the items outside the view and the tiles the others can touch, keeps the
    // boxes the opaque ones can touch, the only pixels that get depth, and tells which
    // translucent items need the depth test.
    void Look(const ViewVolume& volume, const Affine& view, double back);
    // Whether the target is the one drawn last, at the same size and background, and
    // still holds that frame; otherwise everything is drawn anew.
    bool SameTargetAsLastFrame(const SceneGraph& graph, int width, int height, int targetAge);
    // 0 when the picture cannot be read.
    gl::Uint Texture(const std::string& path);
    void SetFrameUniforms(const GlProgram& program, const SceneGraph& graph, const Matrix4& viewProjection,
                          const Vec3& eye);
    // Puts the background back inside boxes; false when there is no background picture.
    bool DrawBackground(const SceneGraph& graph, int width, int height, const std::vector<PixelBox>& boxes);
    void StoreBackground(const Surface& image, uint64_t key, int width, int height, bool upsideDown);
    void DrawScene(const SceneGraph& graph, const ViewVolume& volume, const Affine& view, const Vec3& eye);
    void DrawOpaque(const DrawItem& item);
    void GatherTranslucent(const DrawItem& item, const Affine& view);
    void DrawTranslucent();
    void AddRun(gl::Int first, gl::Sizei count, bool depthTested);
    static Matrix4 ToMatrix(const Affine& a);
    static Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

    const GlFunctions& gl_;
    PictureFileReader readPicture_;
    bool ready_ = false;
    GlProgram plainProgram_;
    GlProgram texturedProgram_;
    GlProgram backgroundProgram_;
    std::unordered_map<const MeshGeometry*, GpuGeometry> geometries_;
    std::unordered_map<const MeshGeometry*, LocalBounds> bounds_;
    std::unordered_map<std::string, gl::Uint> textures_;
    // The background stretched to the viewport once, then copied in every frame. Mesa's
    // software renderer keeps a window's rows top first and blue-green-red, a texture's
    // bottom first: stored that way, upside down for a window, the copy is a plain memory
    // copy instead of a texture-sampling pass over every pixel.
    gl::Uint backgroundTexture_ = 0, backgroundFramebuffer_ = 0;
    int backgroundWidth_ = 0, backgroundHeight_ = 0;
    bool backgroundUpsideDown_ = false;
    uint64_t backgroundKey_ = 0;
    // What the last frame drew and where, to know what the next one must redraw.
    ChangedTiles tiles_;
    std::vector<PixelBox> opaque_, lastOpaque_;
    std::vector<PixelBox> whole_{1};
    gl::Int lastTarget_ = -1;
    int lastWidth_ = 0, lastHeight_ = 0;
    uint64_t lastBackgroundKey_ = 0;
    gl::Uint emptyVao_ = 0;
    gl::Uint streamVao_ = 0, streamVbo_ = 0;
    size_t streamCapacity_ = 0;

    std::vector<DrawItem> items_;
    std::vector<StreamVertex> translucent_;  // three per triangle, in gathering order
    std::vector<StreamVertex> itemVertices_;
    std::vector<Vec3> itemPositions_;
    DepthOrder order_;  // triangle numbers, the top bit set when depth tested
    std::vector<StreamVertex> upload_;
    std::vector<TranslucentRun> runs_;
};
