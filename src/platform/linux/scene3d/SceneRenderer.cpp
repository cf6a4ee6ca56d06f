#include "SceneRenderer.h"

#include "QtPictures.h"
#include "SceneShaders.h"

#include <QMatrix3x3>
#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLVersionFunctionsFactory>

#include <algorithm>

namespace {

// Row-vector affine transform as a column-vector matrix.
QMatrix4x4 ToMatrix(const Affine& a)
{
    const Mat3& m = a.Linear;
    const Vec3& t = a.Translation;
    return QMatrix4x4(float(m.Row[0].X), float(m.Row[1].X), float(m.Row[2].X), float(t.X),  //
                      float(m.Row[0].Y), float(m.Row[1].Y), float(m.Row[2].Y), float(t.Y),  //
                      float(m.Row[0].Z), float(m.Row[1].Z), float(m.Row[2].Z), float(t.Z),  //
                      0, 0, 0, 1);
}

// For column vectors the normal matrix is the inverse-transpose of M^T, which is M^-1.
QMatrix3x3 NormalMatrix(const Mat3& inverse)
{
    const float values[9] = {float(inverse.Row[0].X), float(inverse.Row[0].Y), float(inverse.Row[0].Z),
                             float(inverse.Row[1].X), float(inverse.Row[1].Y), float(inverse.Row[1].Z),
                             float(inverse.Row[2].X), float(inverse.Row[2].Y), float(inverse.Row[2].Z)};
    return QMatrix3x3(values);
}

QVector3D ToVector(const Vec3& v)
{
    return QVector3D(float(v.X), float(v.Y), float(v.Z));
}

QVector3D ToVector(const std::array<float, 3>& v)
{
    return QVector3D(v[0], v[1], v[2]);
}

// Perspective of a camera looking along its +z axis: the view window at distance 1 is one
// unit across the larger side of the viewport; depth runs from the front plane (1) to the
// back plane.
QMatrix4x4 Projection(int width, int height, double back)
{
    const double front = 1.0;
    const double larger = std::max(width, height);
    const float sx = float(2.0 * larger / width);
    const float sy = float(2.0 * larger / height);
    const float a = float((back + front) / (back - front));
    const float b = float(-2.0 * back * front / (back - front));
    return QMatrix4x4(sx, 0, 0, 0,  //
                      0, sy, 0, 0,  //
                      0, 0, a, b,   //
                      0, 0, 1, 0);
}

bool Build(QOpenGLShaderProgram& program, const char* vertex, const char* fragment, QString& error)
{
    if (program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) &&
        program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) && program.link())
        return true;
    error = program.log();
    return false;
}

}  // namespace

SceneRenderer::SceneRenderer() = default;

SceneRenderer::~SceneRenderer()
{
    if (!gl_ || !QOpenGLContext::currentContext())
        return;
    for (auto& [geometry, gpu] : geometries_) {
        gl_->glDeleteVertexArrays(1, &gpu.Vao);
        gl_->glDeleteBuffers(1, &gpu.Vbo);
        gl_->glDeleteBuffers(1, &gpu.Ebo);
    }
    gl_->glDeleteFramebuffers(1, &backgroundFramebuffer_);
    gl_->glDeleteTextures(1, &backgroundTexture_);
    gl_->glDeleteVertexArrays(1, &emptyVao_);
    gl_->glDeleteVertexArrays(1, &streamVao_);
    gl_->glDeleteBuffers(1, &streamVbo_);
}

bool SceneRenderer::Initialize(QString& error)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    gl_ = context ? QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Core>(context) : nullptr;
    if (!gl_ || !gl_->initializeOpenGLFunctions()) {
        error = QStringLiteral("no OpenGL 3.3 core functions in the current context");
        return false;
    }
    if (!Build(plainProgram_, MeshVertexShader, PlainFragmentShader, error) ||
        !Build(texturedProgram_, MeshVertexShader, TexturedFragmentShader, error) ||
        !Build(backgroundProgram_, BackgroundVertexShader, BackgroundFragmentShader, error))
        return false;

    gl_->glGenVertexArrays(1, &emptyVao_);
    gl_->glGenVertexArrays(1, &streamVao_);
    gl_->glGenBuffers(1, &streamVbo_);
    gl_->glBindVertexArray(streamVao_);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
    const auto stride = GLsizei(sizeof(StreamVertex));
    gl_->glEnableVertexAttribArray(0);
    gl_->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Position)));
    gl_->glEnableVertexAttribArray(1);
    gl_->glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Normal)));
    gl_->glEnableVertexAttribArray(3);
    gl_->glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StreamVertex, Colour)));
    gl_->glBindVertexArray(0);

    items_.reserve(2048);
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
        gpu.Parts.emplace_back(GLsizei(indices.size()), GLsizei(part.size()));
        indices.insert(indices.end(), part.begin(), part.end());
    }
    gl_->glGenVertexArrays(1, &gpu.Vao);
    gl_->glGenBuffers(1, &gpu.Vbo);
    gl_->glGenBuffers(1, &gpu.Ebo);
    gl_->glBindVertexArray(gpu.Vao);
    gl_->glBindBuffer(GL_ARRAY_BUFFER, gpu.Vbo);
    gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(geometry.Vertices.size() * sizeof(MeshVertex)),
                      geometry.Vertices.data(), GL_STATIC_DRAW);
    gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.Ebo);
    gl_->glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(unsigned)), indices.data(),
                      GL_STATIC_DRAW);
    const auto stride = GLsizei(sizeof(MeshVertex));
    gl_->glEnableVertexAttribArray(0);
    gl_->glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Position)));
    gl_->glEnableVertexAttribArray(1);
    gl_->glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Normal)));
    gl_->glEnableVertexAttribArray(2);
    gl_->glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Uv)));
    gl_->glBindVertexArray(0);
    return gpu;
}

QOpenGLTexture* SceneRenderer::Texture(const std::string& path)
{
    const auto found = textures_.find(path);
    if (found != textures_.end())
        return found->second.get();
    // A missing picture leaves its faces in their plain material colour.
    const QImage image(QString::fromStdString(path));
    std::unique_ptr<QOpenGLTexture> texture;
    if (!image.isNull()) {
        // Pictures go in bottom row first, as the loader's texture coordinates expect.
        texture = std::make_unique<QOpenGLTexture>(image.convertToFormat(QImage::Format_RGBA8888).mirrored());
        texture->setMinificationFilter(QOpenGLTexture::LinearMipMapLinear);
        texture->setMagnificationFilter(QOpenGLTexture::Linear);
        texture->setWrapMode(QOpenGLTexture::Repeat);
    }
    return (textures_[path] = std::move(texture)).get();
}

void SceneRenderer::CollectVisual(const Visual& visual, const Affine& hostWorld)
{
    if (visual.MeshVisual) {
        items_.push_back({visual.MeshVisual, hostWorld});
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

void SceneRenderer::SetFrameUniforms(QOpenGLShaderProgram& program, const SceneGraph& graph,
                                     const QMatrix4x4& viewProjection, const Vec3& eye)
{
    QVector3D ambient, directional, toward(0, 1, 0), point, pointAt;
    for (const Light& light : graph.Lights()) {
        const Affine carrier = light.Carrier ? light.Carrier->World() : Affine{};
        switch (light.Kind) {
        case LightKind::Ambient: ambient += ToVector(light.Colour); break;
        case LightKind::Directional:
            directional = ToVector(light.Colour);
            toward = ToVector(Normalized(carrier.Linear.Row[2] * -1.0));
            break;
        case LightKind::Point:
            point = ToVector(light.Colour);
            pointAt = ToVector(carrier.Translation);
            break;
        }
    }
    program.bind();
    program.setUniformValue("uViewProjection", viewProjection);
    program.setUniformValue("uAmbient", ambient);
    program.setUniformValue("uDirectionalColour", directional);
    program.setUniformValue("uDirectionalToward", toward);
    program.setUniformValue("uPointColour", point);
    program.setUniformValue("uPointPosition", pointAt);
    program.setUniformValue("uEye", ToVector(eye));
    program.setUniformValue("uModel", QMatrix4x4());
    program.setUniformValue("uNormalMatrix", QMatrix3x3());
    program.setUniformValue("uColour", QVector4D(1, 1, 1, 1));
    program.setUniformValue("uPower", 0.0f);
}

bool SceneRenderer::DrawBackground(const SceneGraph& graph, int width, int height)
{
    const Surface& image = graph.BackgroundImage();
    if (image.Width() == 0 || image.Height() == 0)
        return false;
    // Whatever framebuffer the caller bound receives the frame: the window's or a test's.
    GLint bound = 0;
    gl_->glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    const auto screen = GLuint(bound);
    const bool upsideDown = screen == QOpenGLContext::currentContext()->defaultFramebufferObject();
    if (!backgroundFramebuffer_ || backgroundKey_ != graph.BackgroundKey() || backgroundSize_ != QSize(width, height) ||
        backgroundUpsideDown_ != upsideDown) {
        StoreBackground(image, graph.BackgroundKey(), width, height, upsideDown);
        gl_->glBindFramebuffer(GL_FRAMEBUFFER, screen);
    }
    gl_->glBindFramebuffer(GL_READ_FRAMEBUFFER, backgroundFramebuffer_);
    gl_->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, screen);
    gl_->glBlitFramebuffer(0, 0, width, height, 0, upsideDown ? height : 0, width, upsideDown ? 0 : height,
                           GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, screen);
    return true;
}

void SceneRenderer::StoreBackground(const Surface& image, uint64_t key, int width, int height, bool upsideDown)
{
    // Stretched once with the background program, then copied pixel for pixel into the store.
    QOpenGLFramebufferObject stretched(width, height);
    {
        QOpenGLTexture texture(ImageView(image).convertToFormat(QImage::Format_RGBA8888).mirrored());
        texture.setMinificationFilter(QOpenGLTexture::Linear);
        texture.setMagnificationFilter(QOpenGLTexture::Linear);
        texture.setWrapMode(QOpenGLTexture::ClampToEdge);
        stretched.bind();
        gl_->glViewport(0, 0, width, height);
        gl_->glDisable(GL_DEPTH_TEST);
        gl_->glDisable(GL_CULL_FACE);
        backgroundProgram_.bind();
        texture.bind(0);
        backgroundProgram_.setUniformValue("uTexture", 0);
        gl_->glBindVertexArray(emptyVao_);
        gl_->glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        gl_->glBindVertexArray(0);
    }
    if (!backgroundFramebuffer_) {
        gl_->glGenTextures(1, &backgroundTexture_);
        gl_->glGenFramebuffers(1, &backgroundFramebuffer_);
    }
    // The unsized format with blue-green-red data makes Mesa keep the pixels as a window does.
    gl_->glBindTexture(GL_TEXTURE_2D, backgroundTexture_);
    gl_->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl_->glBindTexture(GL_TEXTURE_2D, 0);
    gl_->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, backgroundFramebuffer_);
    gl_->glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backgroundTexture_, 0);
    gl_->glBindFramebuffer(GL_READ_FRAMEBUFFER, stretched.handle());
    gl_->glBlitFramebuffer(0, 0, width, height, 0, upsideDown ? height : 0, width, upsideDown ? 0 : height,
                           GL_COLOR_BUFFER_BIT, GL_NEAREST);
    backgroundSize_ = QSize(width, height);
    backgroundKey_ = key;
    backgroundUpsideDown_ = upsideDown;
}

void SceneRenderer::DrawOpaque(const DrawItem& item)
{
    Mat3 inverse;
    if (!Inverse(item.World.Linear, inverse))
        return;  // flattened to nothing
    const GpuGeometry& gpu = Upload(*item.MeshToDraw->Geometry);
    for (QOpenGLShaderProgram* program : {&plainProgram_, &texturedProgram_}) {
        program->bind();
        program->setUniformValue("uModel", ToMatrix(item.World));
        program->setUniformValue("uNormalMatrix", NormalMatrix(inverse));
    }
    gl_->glBindVertexArray(gpu.Vao);
    for (size_t p = 0; p < gpu.Parts.size() && p < item.MeshToDraw->Materials.size(); ++p) {
        const MeshMaterial& m = item.MeshToDraw->Materials[p];
        QOpenGLTexture* texture = m.TexturePath.empty() ? nullptr : Texture(m.TexturePath);
        QOpenGLShaderProgram& program = texture ? texturedProgram_ : plainProgram_;
        program.bind();
        if (texture)
            texture->bind(0);
        program.setUniformValue("uColour", QVector4D(m.Colour[0], m.Colour[1], m.Colour[2], m.Colour[3]));
        program.setUniformValue("uSpecular", ToVector(m.Specular));
        program.setUniformValue("uPower", m.Power);
        gl_->glDrawElements(GL_TRIANGLES, gpu.Parts[p].second, GL_UNSIGNED_INT,
                            reinterpret_cast<void*>(uintptr_t(gpu.Parts[p].first) * sizeof(unsigned)));
    }
}

void SceneRenderer::GatherTranslucent(const DrawItem& item, const Affine& view)
{
    Mat3 inverse;
    if (!Inverse(item.World.Linear, inverse))
        return;
    const MeshGeometry& geometry = *item.MeshToDraw->Geometry;
    for (size_t p = 0; p < geometry.PartIndices.size() && p < item.MeshToDraw->Materials.size(); ++p) {
        const auto& colour = item.MeshToDraw->Materials[p].Colour;
        if (colour[3] <= 0)
            continue;
        const auto& indices = geometry.PartIndices[p];
        for (size_t t = 0; t + 2 < indices.size(); t += 3) {
            Vec3 centre;
            for (size_t c = 0; c < 3; ++c) {
                const MeshVertex& v = geometry.Vertices[indices[t + c]];
                const Vec3 at = Apply(item.World, Vec3{v.Position[0], v.Position[1], v.Position[2]});
                const Vec3 n{v.Normal[0], v.Normal[1], v.Normal[2]};
                const Vec3 normal{Dot(n, inverse.Row[0]), Dot(n, inverse.Row[1]), Dot(n, inverse.Row[2])};
                translucent_.push_back({{float(at.X), float(at.Y), float(at.Z)},
                                        {float(normal.X), float(normal.Y), float(normal.Z)},
                                        {colour[0], colour[1], colour[2], colour[3]}});
                centre = centre + at;
            }
            sorted_.emplace_back(float(Apply(view, centre * (1.0 / 3)).Z), unsigned(sorted_.size()));
        }
    }
}

void SceneRenderer::DrawTranslucent()
{
    if (sorted_.empty())
        return;
    std::sort(sorted_.begin(), sorted_.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    upload_.clear();
    for (const auto& [depth, triangle] : sorted_) {
        for (size_t c = 0; c < 3; ++c)
            upload_.push_back(translucent_[triangle * 3 + c]);
    }
    gl_->glBindBuffer(GL_ARRAY_BUFFER, streamVbo_);
    const size_t bytes = upload_.size() * sizeof(StreamVertex);
    if (bytes > streamCapacity_) {
        streamCapacity_ = bytes;
        gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), nullptr, GL_STREAM_DRAW);
    }
    gl_->glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), upload_.data());

    plainProgram_.bind();
    plainProgram_.setUniformValue("uModel", QMatrix4x4());
    plainProgram_.setUniformValue("uNormalMatrix", QMatrix3x3());
    plainProgram_.setUniformValue("uColour", QVector4D(1, 1, 1, 1));
    plainProgram_.setUniformValue("uPower", 0.0f);
    gl_->glEnable(GL_BLEND);
    gl_->glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl_->glDepthMask(GL_FALSE);
    gl_->glBindVertexArray(streamVao_);
    gl_->glDrawArrays(GL_TRIANGLES, 0, GLsizei(upload_.size()));
    gl_->glDepthMask(GL_TRUE);
    gl_->glDisable(GL_BLEND);
}

void SceneRenderer::Render(const SceneGraph& graph, const Frame& root, const Frame& camera, int width, int height)
{
    if (!gl_ || width <= 0 || height <= 0)
        return;
    gl_->glClearColor(0, 0, 0, 1);
    gl_->glClearDepth(1.0);
    // The background covers every pixel, so under it only depth needs clearing.
    const bool covered = DrawBackground(graph, width, height);
    gl_->glViewport(0, 0, width, height);
    gl_->glClear(covered ? GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const Affine eye = camera.World();
    Affine view;
    if (!Inverse(eye, view))
        return;
    items_.clear();
    Collect(root, root.Local());

    // Front faces turn clockwise on screen, as in every left-handed system.
    gl_->glEnable(GL_CULL_FACE);
    gl_->glFrontFace(GL_CW);
    gl_->glCullFace(GL_BACK);
    gl_->glEnable(GL_DEPTH_TEST);
    gl_->glDepthFunc(GL_LESS);
    const QMatrix4x4 viewProjection = Projection(width, height, graph.BackClip) * ToMatrix(view);
    SetFrameUniforms(texturedProgram_, graph, viewProjection, eye.Translation);
    texturedProgram_.setUniformValue("uTexture", 0);
    SetFrameUniforms(plainProgram_, graph, viewProjection, eye.Translation);
    plainProgram_.setAttributeValue(3, 1.0f, 1.0f, 1.0f, 1.0f);  // opaque meshes carry no per-vertex tint

    translucent_.clear();
    sorted_.clear();
    for (const DrawItem& item : items_) {
        if (item.MeshToDraw->Translucent())
            GatherTranslucent(item, view);
        else
            DrawOpaque(item);
    }
    DrawTranslucent();
    gl_->glBindVertexArray(0);
}
