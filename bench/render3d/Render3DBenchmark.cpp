// Draws the 3D show's frames with a fixed seed into a 1920 x 1080 window, each over the
// last as the show does, and prints the process CPU per frame over a window of frames
// (every thread: Mesa's rasteriser threads count). With --hashes it reads every frame
// back and writes one hash a line, to compare two builds frame for frame; --save N
// writes frame N as a PNG; --present SLACK shows each frame in the window as the show
// does, the changed rectangles joined with that slack. Needs DISPLAY (an Xvfb of
// 1920 x 1080).
// usage: render3d_bench [--frames N] [--from N] [--seed N] [--hashes FILE] [--save N FILE] [--present SLACK]
#include "Flight.h"
#include "GlxSubBufferCopy.h"
#include "JoinedRectangles.h"
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "QtGlFunctions.h"
#include "QtPictures.h"
#include "SaverSettings.h"
#include "SceneRenderer.h"
#include "Show3D.h"
#include "WorkFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QTemporaryDir>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr int Width = 1920, Height = 1080;

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Orange to blue with a white box top left and a green disc bottom right: a flipped or
// misplaced restore shows.
QImage Background()
{
    QImage picture(512, 512, QImage::Format_RGB32);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            picture.setPixel(x, y, qRgb(255 - y / 2, 128 - y / 4, y / 2));
    QPainter painter(&picture);
    painter.fillRect(20, 20, 100, 60, Qt::white);
    painter.setBrush(Qt::green);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(400, 400, 80, 80);
    return picture;
}

uint64_t Hash(const unsigned char* bytes, size_t size)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 1200, from = 500, saveFrame = -1;
    long presentSlack = -1;
    uint64_t seed = 42;
    std::string hashFile, saveFile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--frames" && i + 1 < argc)
            frames = std::stoi(argv[++i]);
        else if (a == "--from" && i + 1 < argc)
            from = std::stoi(argv[++i]);
        else if (a == "--seed" && i + 1 < argc)
            seed = std::stoull(argv[++i]);
        else if (a == "--present" && i + 1 < argc)
            presentSlack = std::stol(argv[++i]);
        else if (a == "--hashes" && i + 1 < argc)
            hashFile = argv[++i];
        else if (a == "--save" && i + 2 < argc) {
            saveFrame = std::stoi(argv[++i]);
            saveFile = argv[++i];
        } else {
            std::fprintf(stderr, "unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    QGuiApplication app(argc, argv);

    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    QWindow window;
    window.setSurfaceType(QSurface::OpenGLSurface);
    window.setFormat(format);
    window.resize(Width, Height);
    window.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create() || !context.makeCurrent(&window)) {
        std::fprintf(stderr, "no OpenGL 3.3 context\n");
        return 1;
    }
    const GlxSubBufferCopy copy(context);
    if (presentSlack >= 0 && !copy.Available()) {
        std::fprintf(stderr, "no GLX_MESA_copy_sub_buffer\n");
        return 1;
    }
    window.show();
    GlFunctions gl;
    QString error;
    if (!LoadQtGlFunctions(gl, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    SceneRenderer renderer(gl, ReadTexturePicture);
    std::string rendererError;
    if (!renderer.Initialize(rendererError)) {
        std::fprintf(stderr, "%s\n", rendererError.c_str());
        return 1;
    }

    // The real aircraft with its pictures, which lie beside the program.
    QTemporaryDir work;
    const std::string textures = QCoreApplication::applicationDirPath().toStdString();
    Mesh aircraft;
    if (!WriteModelFile(200, work.path().toStdString(), textures) ||
        !LoadModelMesh(QString::fromStdString(ModelFilePath(work.path().toStdString())), aircraft, error)) {
        std::fprintf(stderr, "cannot load the aircraft: %s\n", qPrintable(error));
        return 1;
    }
    SaverSettings settings;
    settings.AirplaneKind = 200;
    Flight flight(settings, Width, Height, seed);
    Show3D show(flight);
    show.BuildScene3D(std::move(aircraft), SurfaceOfImage(Background()));
    settings.SmokeLength = 500;

    std::ofstream hashes;
    if (!hashFile.empty())
        hashes.open(hashFile);
    QImage pixels(Width, Height, QImage::Format_RGBA8888);
    double start = 0;
    size_t triangles = 0;
    long area = 0, boxes = 0, sent = 0, sentArea = 0;
    std::vector<QRect> rects;
    for (int frame = 0; frame < frames; ++frame) {
        show.StepShow3D();
        const auto& changed = renderer.Render(show.Graph(), show.Scene(), show.Camera(), Width, Height, true);
        if (presentSlack >= 0) {
            rects.clear();
            for (const PixelBox& box : changed)
                rects.emplace_back(box.X0, box.Y0, box.Width(), box.Height());
            JoinRectangles(rects, presentSlack);
            for (const QRect& r : rects)
                copy.Copy(window, r);
            if (frame >= from) {
                sent += long(rects.size());
                for (const QRect& r : rects)
                    sentArea += long(r.width()) * r.height();
            }
        }
        if (frame == from) {
            context.functions()->glFinish();
            start = ProcessSeconds();
        }
        if (frame >= from) {
            triangles += renderer.TranslucentTriangles();
            boxes += long(changed.size());
            for (const PixelBox& box : changed)
                area += long(box.Width()) * box.Height();
        }
        if (hashes.is_open() || frame == saveFrame) {
            context.functions()->glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.bits());
            if (hashes.is_open())
                hashes << frame << ' ' << std::hex << Hash(pixels.constBits(), size_t(pixels.sizeInBytes()))
                       << std::dec << '\n';
            if (frame == saveFrame)
                pixels.mirrored().save(QString::fromStdString(saveFile));
        }
    }
    context.functions()->glFinish();
    const double seconds = ProcessSeconds() - start;
    const int measured = frames - from;
    if (measured > 0) {
        std::printf("render3d_cpu_ms_per_frame: %.2f\n", seconds * 1000 / measured);
        std::printf("render3d_translucent_triangles: %.0f\n", double(triangles) / measured);
        std::printf("render3d_rectangles_per_frame: %.1f\n", double(boxes) / measured);
        std::printf("render3d_redrawn_share: %.3f\n", double(area) / measured / (Width * Height));
        if (presentSlack >= 0) {
            std::printf("render3d_copies_per_frame: %.1f\n", double(sent) / measured);
            std::printf("render3d_sent_share: %.3f\n", double(sentArea) / measured / (Width * Height));
        }
    }
    return 0;
}
