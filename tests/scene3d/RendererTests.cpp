#include "ChangedTiles.h"
#include "PuffMesh.h"
#include "QtGlFunctions.h"
#include "QtPictures.h"
#include "SceneGraph.h"
#include "SceneRenderer.h"
#include "TestShow.h"
#include "XvfbServer.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int Size = 64;

// A private X server and an OpenGL 3.3 core context on it, drawing into a framebuffer
// the test reads back. Mesa's software renderer makes the pixels the same everywhere.
class Renderer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server_ = new XvfbServer(QStringLiteral("320x240x24"));
        if (!server_->Ok())
            return;
        setenv("DISPLAY", server_->Display().toLocal8Bit().constData(), 1);
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        static int argc = 1;
        static char name[] = "scene3d_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }

    static void TearDownTestSuite()
    {
        delete app_;
        delete server_;
    }

    void SetUp() override
    {
        ASSERT_TRUE(server_->Ok());
        QSurfaceFormat format;
        format.setVersion(3, 3);
        format.setProfile(QSurfaceFormat::CoreProfile);
        context_.setFormat(format);
        ASSERT_TRUE(context_.create());
        surface_.setFormat(context_.format());
        surface_.create();
        ASSERT_TRUE(context_.makeCurrent(&surface_));
        QOpenGLFramebufferObjectFormat fboFormat;
        fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
        fbo_ = std::make_unique<QOpenGLFramebufferObject>(Size, Size, fboFormat);
        QString error;
        ASSERT_TRUE(LoadQtGlFunctions(gl_, error)) << error.toStdString();
        renderer_ = std::make_unique<SceneRenderer>(gl_, ReadTexturePicture);
        std::string rendererError;
        ASSERT_TRUE(renderer_->Initialize(rendererError)) << rendererError;

        root_ = graph_.CreateFrame(nullptr);
        camera_ = graph_.CreateFrame(root_);
        light_ = graph_.CreateFrame(root_);
        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(qRgb(0, 0, 255));
        graph_.SetBackgroundImage(SurfaceOfImage(blue));
        graph_.BackClip = 2000;
    }

    void TearDown() override
    {
        renderer_.reset();
        fbo_.reset();
        context_.doneCurrent();
    }

    // A puff-shaped box whose +x side (after the turn) faces the camera at distance z.
    Frame* FacingBox(double z, const std::array<float, 4>& colour)
    {
        Mesh mesh = MakePuffMesh();
        mesh.SetColour(colour);
        Frame* box = graph_.CreateFrame(root_);
        box->AddVisual(*graph_.AddMesh(std::move(mesh)));
        box->SetPosition(root_, Vec3{0, 0, z});
        box->SetOrientation(root_, Vec3{1, 0, 0}, Vec3{0, 1, 0});
        return box;
    }

    QRgb Centre()
    {
        fbo_->bind();
        renderer_->Render(graph_, *root_, *camera_, Size, Size);
        return fbo_->toImage().pixel(Size / 2, Size / 2);
    }

    static inline XvfbServer* server_ = nullptr;
    static inline QGuiApplication* app_ = nullptr;
    QOpenGLContext context_;
    QOffscreenSurface surface_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
    GlFunctions gl_;
    std::unique_ptr<SceneRenderer> renderer_;
    SceneGraph graph_;
    Frame* root_ = nullptr;
    Frame* camera_ = nullptr;
    Frame* light_ = nullptr;
};

void ExpectColour(QRgb got, int r, int g, int b)
{
    EXPECT_NEAR(qRed(got), r, 3) << std::hex << got;
    EXPECT_NEAR(qGreen(got), g, 3) << std::hex << got;
    EXPECT_NEAR(qBlue(got), b, 3) << std::hex << got;
}

}  // namespace

TEST_F(Renderer, TheBackgroundFillsTheViewAndTranslucentFacesBlendFarthestFirst)
{
    ExpectColour(Centre(), 0, 0, 255);

    graph_.AddLight(LightKind::Ambient, {1, 1, 1}, light_);
    FacingBox(20, {1, 0, 0, 0.5f});   // near, added first
    FacingBox(40, {0, 1, 0, 0.5f});   // far
    // Green over blue, then red over that.
    ExpectColour(Centre(), 128, 64, 64);
    EXPECT_EQ(renderer_->TranslucentTriangles(), 16u);  // every side of both boxes went through the sort
    // An opaque box nearer still hides both.
    FacingBox(10, {1, 1, 1, 1});
    ExpectColour(Centre(), 255, 255, 255);
}

TEST_F(Renderer, ADirectionalLightShinesAlongItsFramesZAxis)
{
    graph_.AddLight(LightKind::Directional, {1, 1, 1}, light_);
    FacingBox(20, {0, 1, 0, 0.99f});
    // Shining along +z, away from the camera: it lights the face turned to the camera.
    ExpectColour(Centre(), 0, 252, 3);
    // Turned round, it shines at the face's back: the face goes dark.
    light_->ReplaceWithRotation(Vec3{0, 1, 0}, Radians(180));
    ExpectColour(Centre(), 0, 0, 3);
}

TEST_F(Renderer, AFaceFlattenedToNothingOrBeyondTheBackPlaneIsNotDrawn)
{
    graph_.AddLight(LightKind::Ambient, {1, 1, 1}, light_);
    Frame* box = FacingBox(20, {1, 1, 1, 0.8f});
    Frame* holder = graph_.CreateFrame(nullptr);
    holder->AddVisual(*box->Visuals().at(0).MeshVisual);
    box->DeleteVisual(box->Visuals().at(0));
    box->AddVisual(*holder);
    holder->ReplaceWithScale(0, 0, 1.2);
    ExpectColour(Centre(), 0, 0, 255);
    holder->ReplaceWithScale(1, 1, 1);
    ExpectColour(Centre(), 204, 204, 255);
    box->SetPosition(root_, Vec3{0, 0, 2100});
    ExpectColour(Centre(), 0, 0, 255);
}

TEST_F(Renderer, TheBackgroundStandsTheSameWayUpInAWindowAsInAFramebuffer)
{
    // Four quarters of different colours: any flip or colour swap shows.
    QImage quarters(8, 8, QImage::Format_RGB32);
    quarters.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x >= 4 || y >= 4)
                quarters.setPixel(x, y, x < 4 ? qRgb(0, 255, 0) : y < 4 ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
    graph_.SetBackgroundImage(SurfaceOfImage(quarters));
    fbo_->bind();
    renderer_->Render(graph_, *root_, *camera_, Size, Size);
    const QImage inFramebuffer = fbo_->toImage().convertToFormat(QImage::Format_RGBA8888);

    QWindow window;
    window.setSurfaceType(QSurface::OpenGLSurface);
    window.setFormat(context_.format());
    window.resize(Size, Size);
    window.create();
    ASSERT_TRUE(context_.makeCurrent(&window));
    QOpenGLFramebufferObject::bindDefault();
    renderer_->Render(graph_, *root_, *camera_, Size, Size);
    QImage inWindow(Size, Size, QImage::Format_RGBA8888);
    QOpenGLFunctions* gl = context_.functions();
    gl->glReadPixels(0, 0, Size, Size, GL_RGBA, GL_UNSIGNED_BYTE, inWindow.bits());
    EXPECT_EQ(inWindow.mirrored(), inFramebuffer);
    ASSERT_TRUE(context_.makeCurrent(&surface_));
}

// A window's rows run the other way from a framebuffer object's and its triangle edges
// may fall on other pixels, so each target is compared with whole frames drawn into its
// like. Each window has a context of its own, as in the show: Mesa's software renderer
// does not keep a window's pixels for a context that was current on another drawable.
TEST_F(Renderer, FramesDrawnOverOlderOnesInAWindowOrAFramebufferEqualWholeFrames)
{
    // The show's six aircraft, a full puff pool and its jumping camera, over a picture
    // with a different colour in every pixel, so a pixel restored from the wrong place shows.
    constexpr int Width = 192, Height = 108;
    QImage picture(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            picture.setPixel(x, y, qRgb(x, y * 2, (x * 3 + y) & 255));
    TestShow test(11);
    test.show.Graph().SetBackgroundImage(SurfaceOfImage(picture));

    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::Depth);
    QOpenGLFramebufferObject whole(Width, Height, fboFormat), kept(Width, Height, fboFormat);
    // A swap chain of two buffers, as a compositor's: the target gets back the frame
    // drawn two frames ago before each frame, and gives its frame to that buffer after.
    QOpenGLFramebufferObject chain(Width, Height, fboFormat), held0(Width, Height), held1(Width, Height);
    QOpenGLFramebufferObject* held[2] = {&held0, &held1};
    QSurfaceFormat withDepth = context_.format();
    withDepth.setDepthBufferSize(24);
    QWindow windows[2];
    QOpenGLContext contexts[2];
    GlFunctions functions[2];
    for (int w = 0; w < 2; ++w) {
        windows[w].setSurfaceType(QSurface::OpenGLSurface);
        windows[w].setFormat(withDepth);
        windows[w].resize(Width, Height);
        windows[w].create();
        contexts[w].setFormat(withDepth);
        ASSERT_TRUE(contexts[w].create() && contexts[w].makeCurrent(&windows[w]));
        QString error;
        ASSERT_TRUE(LoadQtGlFunctions(functions[w], error)) << error.toStdString();
    }
    // Whole frames and frames over the last: into framebuffer objects, then into windows.
    std::vector<std::unique_ptr<SceneRenderer>> renderers;
    for (int r = 0; r < 5; ++r) {
        const bool offscreen = r < 2 || r == 4;
        ASSERT_TRUE(offscreen ? context_.makeCurrent(&surface_) : contexts[r - 2].makeCurrent(&windows[r - 2]));
        renderers.push_back(std::make_unique<SceneRenderer>(offscreen ? gl_ : functions[r - 2], ReadTexturePicture));
        std::string error;
        ASSERT_TRUE(renderers.back()->Initialize(error)) << error;
    }
    const auto render = [&](int r, int age) -> const std::vector<PixelBox>& {
        return renderers[size_t(r)]->Render(test.show.Graph(), test.show.Scene(), test.show.Camera(), Width, Height,
                                            age);
    };

    QImage inWindows[2];
    for (QImage& pixels : inWindows)
        pixels = QImage(Width, Height, QImage::Format_RGBA8888);
    int drawnInPart = 0;
    for (int frame = 0; frame < 700; ++frame) {
        test.show.StepShow3D();
        ASSERT_TRUE(context_.makeCurrent(&surface_));
        whole.bind();
        render(0, 0);
        const QImage wholeFrame = whole.toImage();
        kept.bind();
        long area = 0;
        for (const PixelBox& box : render(1, 1))
            area += long(box.Width()) * box.Height();
        drawnInPart += area < Width * Height;
        ASSERT_EQ(kept.toImage(), wholeFrame) << "frame " << frame;

        QOpenGLFramebufferObject& back = *held[frame % 2];
        QOpenGLFramebufferObject::blitFramebuffer(&chain, &back);
        chain.bind();
        render(4, frame < 2 ? 0 : 2);
        ASSERT_EQ(chain.toImage(), wholeFrame) << "frame " << frame << " drawn over the one two frames before";
        QOpenGLFramebufferObject::blitFramebuffer(&back, &chain);

        for (int w = 0; w < 2; ++w) {
            ASSERT_TRUE(contexts[w].makeCurrent(&windows[w]));
            render(2 + w, w);
            contexts[w].functions()->glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, inWindows[w].bits());
        }
        ASSERT_EQ(inWindows[1], inWindows[0]) << "frame " << frame;
    }
    EXPECT_GT(drawnInPart, 350);  // the case being tested happened
    ASSERT_TRUE(context_.makeCurrent(&surface_));
}

TEST(ChangedTiles, ATargetHoldingAnOlderFrameGetsTheTilesOfEveryFrameSince)
{
    ChangedTiles tiles;
    tiles.Reset(640, 480);
    tiles.Mark({0, 0, 10, 10});  // only the oldest frame draws here
    tiles.Advance();
    tiles.Mark({300, 300, 310, 310});
    tiles.Advance();
    tiles.Mark({600, 400, 610, 410});
    const auto reaches = [&](int age, int x, int y) {
        for (const PixelBox& box : tiles.Boxes(age))
            if (x >= box.X0 && x < box.X1 && y >= box.Y0 && y < box.Y1)
                return true;
        return false;
    };
    EXPECT_TRUE(reaches(1, 300, 300) && reaches(1, 600, 400));
    EXPECT_FALSE(reaches(1, 0, 0)) << "a target one frame behind misses only the last frame";
    EXPECT_TRUE(reaches(2, 0, 0)) << "a target two frames behind misses the two last frames";
    EXPECT_EQ(tiles.FramesKept(), 2);
}
