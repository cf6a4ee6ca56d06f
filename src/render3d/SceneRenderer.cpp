#include "SceneRenderer.h"

#include "SceneShaders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// For column vectors the normal matrix is the inverse-transpose of M^T, which is M^-1;
// column-major, so the shader's matrix has the inverse's rows as its rows.
std::array<float, 9> NormalMatrix(const Mat3& inverse)
{
    std::array<float, 9> m{};
    for (int r = 0; r < 3; ++r) {
        m[size_t(0 * 3 + r)] = float(inverse.Row[r].X);
        m[size_t(1 * 3 + r)] = float(inverse.Row[r].Y);
        m[size_t(2 * 3 + r)] = float(inverse.Row[r].Z);
    }
    return m;
}

constexpr uint32_t DepthTestedBit = 0x80000000u;
// Shorter runs of triangles that need no depth test are drawn with it all the same: a
// draw call and a change of state cost more than the test saves on a few puffs.
constexpr gl::Sizei ShortestUntestedRun = 3 * 64;
// A fragment whose depth rounds to the cleared value fails the test; only one within
// this share of the back plane can.
constexpr double BackPlaneShare = 0.99;

bool Overlap(const PixelBox& a, const PixelBox& b)
{
    return a.X0 < b.X1 && b.X0 < a.X1 && a.Y0 < b.Y1 && b.Y0 < a.Y1;
}

constexpr std::array<float, 9> Identity3{1, 0, 0, 0, 1, 0, 0, 0, 1};
constexpr float Identity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// The surface's rows bottom first, as GL takes a picture that texture coordinates
// address from its lower left corner; premultiplied ARGB words are blue-green-red-alpha
// bytes in memory.
std::vector<uint32_t> BottomRowFirst(const Surface& picture)
{
    std::vector<uint32_t> pixels(size_t(picture.Width()) * size_t(picture.Height()));
    for (int y = 0; y < picture.Height(); ++y)
        std::copy_n(picture.Row(picture.Height() - 1 - y), picture.Width(),
                    pixels.begin() + std::ptrdiff_t(y) * picture.Width());
    return pixels;
}

void SetVector(const GlFunctions& gl, gl::Int location, const Vec3& v)
{
    gl.Uniform3f(location, float(v.X), float(v.Y), float(v.Z));
}

void SetVector(const GlFunctions& gl, gl::Int location, const std::array<float, 3>& v)
{
    gl.Uniform3f(location, v[0], v[1], v[2]);
}

}  // namespace

SceneRenderer::SceneRenderer(const GlFunctions& gl, PictureFileReader readPicture)
    : gl_(gl), readPicture_(std::move(readPicture))
{
}

// Row-vector affine transform as a column-vector matrix.
SceneRenderer::Matrix4 SceneRenderer::ToMatrix(const Affine& a)
{
    const Mat3& m = a.Linear;
    const Vec3& t = a.Translation;
    return Matrix4{{float(m.Row[0].X), float(m.Row[0].Y), float(m.Row[0].Z), 0,  //
                    float(m.Row[1].X), float(m.Row[1].Y), float(m.Row[1].Z), 0,  //
                    float(m.Row[2].X), float(m.Row[2].Y), float(m.Row[2].Z), 0,  //
                    float(t.X), float(t.Y), float(t.Z), 1}};
}

SceneRenderer::Matrix4 SceneRenderer::Multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 product{};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = a.Columns[0 * 4 + r] * b.Columns[c * 4 + 0];
            for (int k = 1; k < 4; ++k)
                sum += a.Columns[k * 4 + r] * b.Columns[c * 4 + k];
            product.Columns[c * 4 + r] = sum;
        }
    }
    return product;
}

bool SceneRenderer::Initialize(std::string& error)
{
    if (!plainProgram_.Build(gl_, MeshVertexShader, PlainFragmentShader, error) ||
        !texturedProgram_.Build(gl_, MeshVertexShader, TexturedFragmentShader, error) ||
        !backgroundProgram_.Build(gl_, BackgroundVertexShader, BackgroundFragmentShader, error))
        return false;

    gl_.GenVertexArrays(1, &emptyVao_);
    gl_.GenVertexArrays(1, &streamVao_);
    gl_.GenBuffers(1, &streamVbo_);
    gl_.BindVertexArray(streamVao_);
    gl_.BindBuffer(gl::ARRAY_BUFFER, streamVbo_);
    const auto stride = gl::Sizei(sizeof(StreamVertex));
    gl_.EnableVertexAttribArray(0);
    gl_.VertexAttribPointer(0, 3, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Position)));
    gl_.EnableVertexAttribArray(1);
    gl_.VertexAttribPointer(1, 3, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Normal)));
    gl_.EnableVertexAttribArray(3);
    gl_.VertexAttribPointer(3, 4, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Colour)));
    gl_.BindVertexArray(0);

    items_.reserve(2048);
    opaque_.reserve(256);
    lastOpaque_.reserve(256);
    ready_ = true;
    return true;
}

SceneRenderer::GpuGeometry& SceneRenderer::Upload(const MeshGeometry& geometry)
{
    const auto found = geometries_.find(&geometry);
    if (found != geometries_.end())
        return found->second;
    GpuGeometry& gpu = geometries_[&geometry];
    std::vector<unsigned> indices;
    for (const auto& part : geometry.PartIndices) {
        gpu.Parts.emplace_back(gl::Sizei(indices.size()), gl::Sizei(part.size()));
        indices.insert(indices.end(), part.begin(), part.end());
    }
    gl_.GenVertexArrays(1, &gpu.Vao);
    gl_.GenBuffers(1, &gpu.Vbo);
    gl_.GenBuffers(1, &gpu.Ebo);
    gl_.BindVertexArray(gpu.Vao);
    gl_.BindBuffer(gl::ARRAY_BUFFER, gpu.Vbo);
    gl_.BufferData(gl::ARRAY_BUFFER, gl::Sizeiptr(geometry.Vertices.size() * sizeof(MeshVertex)),
                   geometry.Vertices.data(), gl::STATIC_DRAW);
    gl_.BindBuffer(gl::ELEMENT_ARRAY_BUFFER, gpu.Ebo);
    gl_.BufferData(gl::ELEMENT_ARRAY_BUFFER, gl::Sizeiptr(indices.size() * sizeof(unsigned)), indices.data(),
                   gl::STATIC_DRAW);
    const auto stride = gl::Sizei(sizeof(MeshVertex));
    gl_.EnableVertexAttribArray(0);
    gl_.VertexAttribPointer(0, 3, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Position)));
    gl_.EnableVertexAttribArray(1);
    gl_.VertexAttribPointer(1, 3, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Normal)));
    gl_.EnableVertexAttribArray(2);
    gl_.VertexAttribPointer(2, 2, gl::FLOAT, gl::FALSE_, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Uv)));
    gl_.BindVertexArray(0);
    return gpu;
}

const LocalBounds& SceneRenderer::Bounds(const MeshGeometry& geometry)
{
    const auto found = bounds_.find(&geometry);
    if (found != bounds_.end())
        return found->second;
    LocalBounds box{{INFINITY, INFINITY, INFINITY}, {-INFINITY, -INFINITY, -INFINITY}};
    for (const MeshVertex& v : geometry.Vertices) {
        box.Min = {std::min<double>(box.Min.X, v.Position[0]), std::min<double>(box.Min.Y, v.Position[1]),
                   std::min<double>(box.Min.Z, v.Position[2])};
        box.Max = {std::max<double>(box.Max.X, v.Position[0]), std::max<double>(box.Max.Y, v.Position[1]),
                   std::max<double>(box.Max.Z, v.Position[2])};
    }
    return bounds_[&geometry] = box;
}

gl::Uint SceneRenderer::Texture(const std::string& path)
{
    const auto found = textures_.find(path);
    if (found != textures_.end())
        return found->second;
    // A missing picture leaves its faces in their plain material colour.
    const Surface picture = readPicture_ ? readPicture_(path) : Surface();
    gl::Uint texture = 0;
    if (picture.Width() > 0 && picture.Height() > 0) {
        const std::vector<uint32_t> pixels = BottomRowFirst(picture);
        gl_.GenTextures(1, &texture);
        gl_.ActiveTexture(gl::TEXTURE0);
        gl_.BindTexture(gl::TEXTURE_2D, texture);
        gl_.TexImage2D(gl::TEXTURE_2D, 0, gl::Int(gl::RGBA8), picture.Width(), picture.Height(), 0, gl::BGRA,
                       gl::UNSIGNED_BYTE, pixels.data());
        gl_.GenerateMipmap(gl::TEXTURE_2D);
        gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MIN_FILTER, gl::LINEAR_MIPMAP_LINEAR);
        gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MAG_FILTER, gl::LINEAR);
        gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_WRAP_S, gl::REPEAT);
        gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_WRAP_T, gl::REPEAT);
    }
    return textures_[path] = texture;
}

void SceneRenderer::CollectVisual(const Visual& visual, const Affine& hostWorld)
{
    if (visual.MeshVisual) {
        // A mesh without geometry (nothing loaded into it) has nothing to draw.
        if (visual.MeshVisual->Geometry) {
            DrawItem& item = items_.emplace_back();
            item.MeshToDraw = visual.MeshVisual;
            item.World = hostWorld;
        }
        return;
    }
    const Affine world = visual.FrameVisual->Local() * hostWorld;
    for (const Visual& inner : visual.FrameVisual->Visuals())
        CollectVisual(inner, world);
}

void SceneRenderer::Collect(const Frame& frame, const Affine& world)
{
    for (const Visual& visual : frame.Visuals())
        CollectVisual(visual, world);
    for (const Frame* child : frame.Children())
        Collect(*child, child->Local() * world);
}

void SceneRenderer::SetFrameUniforms(const GlProgram& program, const SceneGraph& graph,
                                     const Matrix4& viewProjection, const Vec3& eye)
{
    std::array<float, 3> ambient{}, directional{}, point{};
    Vec3 toward{0, 1, 0}, pointAt;
    for (const Light& light : graph.Lights()) {
        const Affine carrier = light.Carrier ? light.Carrier->World() : Affine{};
        switch (light.Kind) {
        case LightKind::Ambient:
            for (size_t c = 0; c < 3; ++c)
                ambient[c] += light.Colour[c];
            break;
        case LightKind::Directional:
            directional = light.Colour;
            toward = Normalized(carrier.Linear.Row[2] * -1.0);
            break;
        case LightKind::Point:
            point = light.Colour;
            pointAt = carrier.Translation;
            break;
        }
    }
    gl_.UseProgram(program.Id);
    gl_.UniformMatrix4fv(program.ViewProjection, 1, gl::FALSE_, viewProjection.Columns);
    SetVector(gl_, program.Ambient, ambient);
    SetVector(gl_, program.DirectionalColour, directional);
    SetVector(gl_, program.DirectionalToward, toward);
    SetVector(gl_, program.PointColour, point);
    SetVector(gl_, program.PointPosition, pointAt);
    SetVector(gl_, program.Eye, eye);
    gl_.UniformMatrix4fv(program.Model, 1, gl::FALSE_, Identity4);
    gl_.UniformMatrix3fv(program.NormalMatrix, 1, gl::FALSE_, Identity3.data());
    gl_.Uniform4f(program.Colour, 1, 1, 1, 1);
    gl_.Uniform1f(program.Power, 0.0f);
}

bool SceneRenderer::DrawBackground(const SceneGraph& graph, int width, int height, const std::vector<PixelBox>& boxes)
{
    const Surface& image = graph.BackgroundImage();
    if (image.Width() == 0 || image.Height() == 0)
        return false;
    // Whatever framebuffer the caller bound receives the frame: the window's or a test's.
    gl::Int bound = 0;
    gl_.GetIntegerv(gl::DRAW_FRAMEBUFFER_BINDING, &bound);
    const auto screen = gl::Uint(bound);
    const bool upsideDown = screen == gl_.WindowFramebuffer;
    if (!backgroundFramebuffer_ || backgroundKey_ != graph.BackgroundKey() || backgroundWidth_ != width ||
        backgroundHeight_ != height || backgroundUpsideDown_ != upsideDown) {
        StoreBackground(image, graph.BackgroundKey(), width, height, upsideDown);
        gl_.BindFramebuffer(gl::FRAMEBUFFER, screen);
    }
    gl_.BindFramebuffer(gl::READ_FRAMEBUFFER, backgroundFramebuffer_);
    gl_.BindFramebuffer(gl::DRAW_FRAMEBUFFER, screen);
    // Rectangles rather than a scissor: Mesa copies memory only for an unscissored blit.
    for (const PixelBox& box : boxes) {
        if (upsideDown)
            gl_.BlitFramebuffer(box.X0, height - box.Y1, box.X1, height - box.Y0, box.X0, box.Y1, box.X1, box.Y0,
                                gl::COLOR_BUFFER_BIT, gl::NEAREST);
        else
            gl_.BlitFramebuffer(box.X0, box.Y0, box.X1, box.Y1, box.X0, box.Y0, box.X1, box.Y1,
                                gl::COLOR_BUFFER_BIT, gl::NEAREST);
    }
    gl_.BindFramebuffer(gl::FRAMEBUFFER, screen);
    return true;
}

void SceneRenderer::StoreBackground(const Surface& image, uint64_t key, int width, int height, bool upsideDown)
{
    // Stretched once with the background program into a scratch framebuffer, then
    // copied pixel for pixel into the store.
    gl::Uint picture = 0, stretchedTexture = 0, stretched = 0;
    const std::vector<uint32_t> pixels = BottomRowFirst(image);
    gl_.ActiveTexture(gl::TEXTURE0);
    gl_.GenTextures(1, &picture);
    gl_.BindTexture(gl::TEXTURE_2D, picture);
    gl_.TexImage2D(gl::TEXTURE_2D, 0, gl::Int(gl::RGBA8), image.Width(), image.Height(), 0, gl::BGRA,
                   gl::UNSIGNED_BYTE, pixels.data());
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MIN_FILTER, gl::LINEAR);
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MAG_FILTER, gl::LINEAR);
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_WRAP_S, gl::CLAMP_TO_EDGE);
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_WRAP_T, gl::CLAMP_TO_EDGE);

    gl_.GenTextures(1, &stretchedTexture);
    gl_.BindTexture(gl::TEXTURE_2D, stretchedTexture);
    gl_.TexImage2D(gl::TEXTURE_2D, 0, gl::Int(gl::RGBA8), width, height, 0, gl::RGBA, gl::UNSIGNED_BYTE, nullptr);
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MIN_FILTER, gl::NEAREST);
    gl_.TexParameteri(gl::TEXTURE_2D, gl::TEXTURE_MAG_FILTER, gl::NEAREST);
    gl_.GenFramebuffers(1, &stretched);
    gl_.BindFramebuffer(gl::FRAMEBUFFER, stretched);
    gl_.FramebufferTexture2D(gl::FRAMEBUFFER, gl::COLOR_ATTACHMENT0, gl::TEXTURE_2D, stretchedTexture, 0);

    gl_.Viewport(0, 0, width, height);
    gl_.Disable(gl::DEPTH_TEST);
    gl_.Disable(gl::CULL_FACE);
    gl_.UseProgram(backgroundProgram_.Id);
    gl_.BindTexture(gl::TEXTURE_2D, picture);
    gl_.Uniform1i(backgroundProgram_.Texture, 0);
    gl_.BindVertexArray(emptyVao_);
    gl_.DrawArrays(gl::TRIANGLE_STRIP, 0, 4);
    gl_.BindVertexArray(0);

    if (!backgroundFramebuffer_) {
        gl_.GenTextures(1, &backgroundTexture_);
        gl_.GenFramebuffers(1, &backgroundFramebuffer_);
    }
    // The unsized format with blue-green-red data makes Mesa keep the pixels as a window does.
    gl_.BindTexture(gl::TEXTURE_2D, backgroundTexture_);
    gl_.TexImage2D(gl::TEXTURE_2D, 0, gl::Int(gl::RGBA), width, height, 0, gl::BGRA, gl::UNSIGNED_BYTE, nullptr);
    gl_.BindTexture(gl::TEXTURE_2D, 0);
    gl_.BindFramebuffer(gl::DRAW_FRAMEBUFFER, backgroundFramebuffer_);
    gl_.FramebufferTexture2D(gl::DRAW_FRAMEBUFFER, gl::COLOR_ATTACHMENT0, gl::TEXTURE_2D, backgroundTexture_, 0);
    gl_.BindFramebuffer(gl::READ_FRAMEBUFFER, stretched);
    gl_.BlitFramebuffer(0, 0, width, height, 0, upsideDown ? height : 0, width, upsideDown ? 0 : height,
                        gl::COLOR_BUFFER_BIT, gl::NEAREST);
    gl_.DeleteFramebuffers(1, &stretched);
    gl_.DeleteTextures(1, &stretchedTexture);
    gl_.DeleteTextures(1, &picture);
    backgroundWidth_ = width;
    backgroundHeight_ = height;
    backgroundKey_ = key;
    backgroundUpsideDown_ = upsideDown;
}

void SceneRenderer::DrawOpaque(const DrawItem& item)
{
    Mat3 inverse;
    if (!Inverse(item.World.Linear, inverse))
        return;  // flattened to nothing
    const GpuGeometry& gpu = Upload(*item.MeshToDraw->Geometry);
    const Matrix4 model = ToMatrix(item.World);
    const std::array<float, 9> normalMatrix = NormalMatrix(inverse);
    for (const GlProgram* program : {&plainProgram_, &texturedProgram_}) {
        gl_.UseProgram(program->Id);
        gl_.UniformMatrix4fv(program->Model, 1, gl::FALSE_, model.Columns);
        gl_.UniformMatrix3fv(program->NormalMatrix, 1, gl::FALSE_, normalMatrix.data());
    }
    gl_.BindVertexArray(gpu.Vao);
    for (size_t p = 0; p < gpu.Parts.size() && p < item.MeshToDraw->Materials.size(); ++p) {
        const MeshMaterial& m = item.MeshToDraw->Materials[p];
        const gl::Uint texture = m.TexturePath.empty() ? 0 : Texture(m.TexturePath);
        const GlProgram& program = texture ? texturedProgram_ : plainProgram_;
        gl_.UseProgram(program.Id);
        if (texture) {
            gl_.ActiveTexture(gl::TEXTURE0);
            gl_.BindTexture(gl::TEXTURE_2D, texture);
        }
        gl_.Uniform4f(program.Colour, m.Colour[0], m.Colour[1], m.Colour[2], m.Colour[3]);
        SetVector(gl_, program.Specular, m.Specular);
        gl_.Uniform1f(program.Power, m.Power);
        gl_.DrawElements(gl::TRIANGLES, gpu.Parts[p].second, gl::UNSIGNED_INT,
                         reinterpret_cast<void*>(uintptr_t(gpu.Parts[p].first) * sizeof(unsigned)));
    }
}

void SceneRenderer::Look(const ViewVolume& volume, const Affine& view, double back)
{
    for (DrawItem& item : items_) {
        const ViewVolume::Sight sight = volume.See(Bounds(*item.MeshToDraw->Geometry), item.World * view);
        item.Seen = !sight.Outside;
        item.Box = sight.Box;
        item.Farthest = sight.Farthest;
        tiles_.Mark(sight.Box);
        if (!item.MeshToDraw->Translucent() && !sight.Box.Empty())
            opaque_.push_back(sight.Box);
    }
    // Depth is the cleared value everywhere but where this frame's opaque meshes draw.
    for (DrawItem& item : items_) {
        if (!item.Seen || !item.MeshToDraw->Translucent())
            continue;
        item.DepthTested = item.Farthest >= back * BackPlaneShare ||
                           std::any_of(opaque_.begin(), opaque_.end(),
                                       [&](const PixelBox& box) { return Overlap(box, item.Box); });
    }
}

bool SceneRenderer::SameTargetAsLastFrame(const SceneGraph& graph, int width, int height, int targetAge)
{
    gl::Int bound = 0;
    gl_.GetIntegerv(gl::DRAW_FRAMEBUFFER_BINDING, &bound);
    // The frame the target holds must be one this renderer drew since it last started over.
    const bool same = targetAge >= 1 && targetAge <= tiles_.FramesKept() && bound == lastTarget_ && width == lastWidth_ &&
                      height == lastHeight_ && graph.BackgroundKey() == lastBackgroundKey_;
    lastTarget_ = bound;
    lastWidth_ = width;
    lastHeight_ = height;
    lastBackgroundKey_ = graph.BackgroundKey();
    return same;
}

void SceneRenderer::GatherTranslucent(const DrawItem& item, const Affine& view)
{
    Mat3 inverse;
    if (!Inverse(item.World.Linear, inverse))
        return;
    const MeshGeometry& geometry = *item.MeshToDraw->Geometry;
    // Each vertex carried into the world once, however many triangles share it.
    itemPositions_.clear();
    itemVertices_.clear();
    for (const MeshVertex& v : geometry.Vertices) {
        const Vec3 at = Apply(item.World, Vec3{v.Position[0], v.Position[1], v.Position[2]});
        const Vec3 n{v.Normal[0], v.Normal[1], v.Normal[2]};
        const Vec3 normal{Dot(n, inverse.Row[0]), Dot(n, inverse.Row[1]), Dot(n, inverse.Row[2])};
        itemPositions_.push_back(at);
        itemVertices_.push_back({{float(at.X), float(at.Y), float(at.Z)},
                                 {float(normal.X), float(normal.Y), float(normal.Z)},
                                 {}});
    }
    const uint32_t tested = item.DepthTested ? DepthTestedBit : 0;
    for (size_t p = 0; p < geometry.PartIndices.size() && p < item.MeshToDraw->Materials.size(); ++p) {
        const auto& colour = item.MeshToDraw->Materials[p].Colour;
        if (colour[3] <= 0)
            continue;
        const auto& indices = geometry.PartIndices[p];
        for (size_t t = 0; t + 2 < indices.size(); t += 3) {
            Vec3 centre;
            for (size_t c = 0; c < 3; ++c) {
                centre = centre + itemPositions_[indices[t + c]];
                StreamVertex& v = translucent_.emplace_back(itemVertices_[indices[t + c]]);
                std::copy(colour.begin(), colour.end(), v.Colour);
            }
            order_.Add(float(Apply(view, centre * (1.0 / 3)).Z), uint32_t(translucent_.size() / 3 - 1) | tested);
        }
    }
}

void SceneRenderer::AddRun(gl::Int first, gl::Sizei count, bool depthTested)
{
    depthTested = depthTested || count < ShortestUntestedRun;
    if (!runs_.empty() && runs_.back().DepthTested == depthTested)
        runs_.back().Count += count;
    else
        runs_.push_back({first, count, depthTested});
}

void SceneRenderer::DrawTranslucent()
{
    if (translucent_.empty())
        return;
    const std::vector<DepthOrder::Entry>& sorted = order_.Sorted();
    if (upload_.size() < translucent_.size())
        upload_.resize(translucent_.size());
    runs_.clear();
    StreamVertex* out = upload_.data();
    gl::Int runStart = 0;
    bool runTested = true;
    for (const DepthOrder::Entry& entry : sorted) {
        const bool tested = (entry.Value & DepthTestedBit) != 0;
        const gl::Int at = gl::Int(out - upload_.data());
        if (tested != runTested) {
            AddRun(runStart, at - runStart, runTested);
            runStart = at;
            runTested = tested;
        }
        const StreamVertex* triangle = &translucent_[size_t(entry.Value & ~DepthTestedBit) * 3];
        out = std::copy(triangle, triangle + 3, out);
    }
    const auto vertices = gl::Sizei(out - upload_.data());
    AddRun(runStart, vertices - runStart, runTested);

    gl_.BindBuffer(gl::ARRAY_BUFFER, streamVbo_);
    const size_t bytes = size_t(vertices) * sizeof(StreamVertex);
    if (bytes > streamCapacity_) {
        streamCapacity_ = bytes;
        gl_.BufferData(gl::ARRAY_BUFFER, gl::Sizeiptr(bytes), nullptr, gl::STREAM_DRAW);
    }
    gl_.BufferSubData(gl::ARRAY_BUFFER, 0, gl::Sizeiptr(bytes), upload_.data());

    gl_.UseProgram(plainProgram_.Id);
    gl_.UniformMatrix4fv(plainProgram_.Model, 1, gl::FALSE_, Identity4);
    gl_.UniformMatrix3fv(plainProgram_.NormalMatrix, 1, gl::FALSE_, Identity3.data());
    gl_.Uniform4f(plainProgram_.Colour, 1, 1, 1, 1);
    gl_.Uniform1f(plainProgram_.Power, 0.0f);
    gl_.Enable(gl::BLEND);
    gl_.BlendFunc(gl::SRC_ALPHA, gl::ONE_MINUS_SRC_ALPHA);
    gl_.DepthMask(gl::FALSE_);
    gl_.BindVertexArray(streamVao_);
    for (const TranslucentRun& run : runs_) {
        if (run.Count == 0)
            continue;
        if (run.DepthTested)
            gl_.Enable(gl::DEPTH_TEST);
        else
            gl_.Disable(gl::DEPTH_TEST);
        gl_.DrawArrays(gl::TRIANGLES, run.First, run.Count);
    }
    gl_.Enable(gl::DEPTH_TEST);
    gl_.DepthMask(1);
    gl_.Disable(gl::BLEND);
}

const std::vector<PixelBox>& SceneRenderer::Render(const SceneGraph& graph, const Frame& root, const Frame& camera,
                                                   int width, int height, int targetAge)
{
    whole_[0] = {0, 0, width, height};
    if (!ready_ || width <= 0 || height <= 0)
        return whole_;
    const bool incremental = SameTargetAsLastFrame(graph, width, height, targetAge);
    if (!incremental)
        tiles_.Reset(width, height);
    const Affine eye = camera.World();
    Affine view;
    const bool looking = Inverse(eye, view);
    items_.clear();
    const ViewVolume volume(width, height, graph.BackClip);
    lastOpaque_.swap(opaque_);
    opaque_.clear();
    if (looking) {
        Collect(root, root.Local());
        Look(volume, view, graph.BackClip);
    }
    const std::vector<PixelBox>& boxes = incremental ? tiles_.Boxes(targetAge) : whole_;
    tiles_.Advance();
    // Only opaque meshes write depth, so outside what they drew last frame it is still clear.
    const std::vector<PixelBox>& depth = incremental ? lastOpaque_ : whole_;

    gl_.ClearColor(0, 0, 0, 1);
    gl_.ClearDepth(1.0);
    const bool covered = DrawBackground(graph, width, height, boxes);
    gl_.Viewport(0, 0, width, height);
    gl_.Enable(gl::SCISSOR_TEST);
    if (!covered) {
        for (const PixelBox& box : boxes) {
            gl_.Scissor(box.X0, box.Y0, box.Width(), box.Height());
            gl_.Clear(gl::COLOR_BUFFER_BIT);
        }
    }
    for (const PixelBox& box : depth) {
        gl_.Scissor(box.X0, box.Y0, box.Width(), box.Height());
        gl_.Clear(gl::DEPTH_BUFFER_BIT);
    }
    if (looking && !boxes.empty()) {
        // What is drawn lies inside the boxes; the scissor around them keeps even a
        // misjudged bound from leaving pixels far outside.
        PixelBox around;
        for (const PixelBox& box : boxes)
            around = Unite(around, box);
        gl_.Scissor(around.X0, around.Y0, around.Width(), around.Height());
        DrawScene(graph, volume, view, eye.Translation);
    }
    gl_.Disable(gl::SCISSOR_TEST);
    return boxes;
}

void SceneRenderer::DrawScene(const SceneGraph& graph, const ViewVolume& volume, const Affine& view, const Vec3& eye)
{
    // Front faces turn clockwise on screen, as in every left-handed system.
    gl_.Enable(gl::CULL_FACE);
    gl_.FrontFace(gl::CW);
    gl_.CullFace(gl::BACK);
    gl_.Enable(gl::DEPTH_TEST);
    gl_.DepthFunc(gl::LESS);
    Matrix4 projection{};
    volume.ClipMatrix(projection.Columns);
    const Matrix4 viewProjection = Multiply(projection, ToMatrix(view));
    SetFrameUniforms(texturedProgram_, graph, viewProjection, eye);
    gl_.Uniform1i(texturedProgram_.Texture, 0);
    SetFrameUniforms(plainProgram_, graph, viewProjection, eye);
    gl_.VertexAttrib4f(3, 1.0f, 1.0f, 1.0f, 1.0f);  // opaque meshes carry no per-vertex tint

    translucent_.clear();
    order_.Clear();
    for (const DrawItem& item : items_) {
        if (!item.Seen)
            continue;
        if (item.MeshToDraw->Translucent())
            GatherTranslucent(item, view);
        else
            DrawOpaque(item);
    }
    DrawTranslucent();
    gl_.BindVertexArray(0);
}
