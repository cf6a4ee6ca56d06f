#include "Show3DRoad.h"

#include "Flight.h"
#include "GlShowWindow.h"
#include "HostedShow.h"
#include "LockFiles.h"
#include "ModelFile.h"
#include "ModelMeshLoader.h"
#include "QtPictures.h"
#include "MusicController.h"
#include "QtGlFunctions.h"
#include "SceneRenderer.h"
#include "Show3D.h"
#include "ShowContext.h"
#include "ShowHost.h"
#include "ShowLoop.h"
#include "StartMessage.h"
#include "WorkFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QThread>
#include <QTimer>


namespace {

int EndWithError(StartFailure failure, const QString& detail, const QString& file = {})
{
    ShowStartError(failure, detail, file);
    return 1;
}

// The background shrunk to the 512 x 512 texture the scene shows behind everything.
bool SaveBackgroundTexture(const QImage& background, const std::string& path)
{
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    const QImage texture = background.scaled(512, 512, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return texture.save(&buffer, "BMP") && ReplaceFile(path, std::string_view(bitmap.constData(), static_cast<size_t>(bitmap.size())));
}

// Waits for the lock with the event loop running, so the signal handlers can act.
// False when the show was asked to end meanwhile.
bool WaitForTurn(QLockFile& lock, const ShowFlags& flags)
{
    QEventLoop waiting;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (flags.ExitRequest || TryLockNow(lock))
            waiting.quit();
    });
    if (!TryLockNow(lock)) {
        poll.start(50);
        waiting.exec();
    }
    return lock.isLocked() && !flags.ExitRequest;
}

// From the window to the end of the show loop. On a failure returns false with the
// failure, the file it concerns and the reason; the window is gone by the time the
// caller tells the user.
bool Fly3D(ShowContext& ctx, HostedShow& place, const std::string& workFolder, const std::string& texturePath,
           QLockFile& workFilesLock, StartFailure& failure, QString& file, QString& error)
{
    SaverSettings& settings = ctx.Settings;
    ShowFlags& flags = ctx.Flags;
    failure = StartFailure::NoOpenGl33;
    GlShowWindow window(ctx.Screen, QSize(ctx.ScreenWidth, ctx.ScreenHeight));
    // Placed by a daemon, the window follows its place's size; the renderer draws at
    // whatever size the window has.
    if (place.Hosted()) {
        ctx.Host->Place(window);
        if (!window.CreateContext(error))
            return false;
    } else {
        window.OnInput = [&flags] {
            if (flags.SaverMode == -1)
                flags.ExitRequest = 1;
        };
        if (!window.Open(error))
            return false;
    }
    GlFunctions gl;
    if (!LoadQtGlFunctions(gl, error))
        return false;
    SceneRenderer renderer(gl, ReadTexturePicture);
    std::string rendererError;
    if (!renderer.Initialize(rendererError)) {
        error = QString::fromStdString(rendererError);
        return false;
    }

    Mesh aircraft;
    const QString modelFile = QString::fromStdString(ModelFilePath(workFolder));
    const bool loaded = LoadModelMesh(modelFile, aircraft, error);
    file = modelFile;
    if (!TruncateModelFile(workFolder)) {
        failure = StartFailure::WorkFileUnwritable;
        error = QStringLiteral("cannot empty %1").arg(modelFile);
        return false;
    }
    if (!loaded) {
        failure = StartFailure::ModelUnreadable;
        return false;
    }
    const QImage background(QString::fromStdString(texturePath));
    if (background.isNull()) {
        failure = StartFailure::WorkFileUnreadable;
        file = QString::fromStdString(texturePath);
        error = QStringLiteral("cannot read %1").arg(file);
        return false;
    }
    workFilesLock.unlock();

    Flight flight(settings, ctx.ScreenWidth, ctx.ScreenHeight, ctx.Seed);
    Show3D show(flight);
    show.BuildScene3D(std::move(aircraft), SurfaceOfImage(background));
    settings.SmokeLength = 500;  // for this show only; the stored setting stays

    // Every puff slot starts free in a new Flight; then the music and its poll timer.
    ctx.Music.MusicControl(0);
    QCoreApplication::processEvents();
    QTimer timer2;
    timer2.setInterval(2000);
    QObject::connect(&timer2, &QTimer::timeout, [&] { ctx.Music.MusicControl(2); });
    timer2.start();

    std::vector<QRect> changed;
    ShowLoop loop(flags, flight.KindChangeRequest, settings.AirplaneKind, settings.BlueWait,
                  {[&] {
                       show.StepShow3D();
                       if (window.MakeCurrent()) {
                           const QSize size = window.PixelSize();
                           changed.clear();
                           const auto& boxes = renderer.Render(show.Graph(), show.Scene(), show.Camera(), size.width(),
                                                               size.height(), window.KeepsFrames() ? 1 : 0);
                           for (const PixelBox& box : boxes)
                               changed.emplace_back(box.X0, box.Y0, box.Width(), box.Height());
                           window.Present(changed);
                       }
                       QCoreApplication::processEvents();
                   },
                   place.CursorPosition(),
                   [](int ms) { QThread::msleep(ms); },
                   [] { QCoreApplication::processEvents(); },
                   {}});
    loop.RememberPositions();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    clock.start();
    loop.Run();

    // Shutdown: cursor, music, window. The 3D objects go with the process.
    window.unsetCursor();
    ctx.Music.MusicControl(1);
    window.setKeyboardGrabEnabled(false);
    window.hide();
    ReportShowStats(window.PresentedFrames(), clock.elapsed() / 1000.0, window.FirstFrameMilliseconds());
    return true;
}

}  // namespace

int RunShow3DRoad(ShowContext& ctx)
{
    SaverSettings& settings = ctx.Settings;
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const std::string workFolder = ChooseWorkFolder(programFolder);
    const std::string texturePath = WorkFilePath(workFolder, "bgi_tmp.bmp");
    // Shows running at once (one per monitor, or other users of the same folder) share
    // the work files: one at a time writes and reads them back, so none loads a model
    // file another has just emptied or another's background. The lock lives beside them.
    // A signal, or the daemon's window going away, ends a show still waiting its turn.
    HostedShow place(ctx);
    QLockFile workFilesLock(QString::fromStdString(WorkFilePath(workFolder, ".work-files.lock")));
    if (!WaitForTurn(workFilesLock, ctx.Flags))
        return 0;

    if (!SaveBackgroundTexture(ctx.Background, texturePath))
        return EndWithError(StartFailure::WorkFileUnwritable,
                            QStringLiteral("cannot write %1").arg(QString::fromStdString(texturePath)),
                            QString::fromStdString(texturePath));
    // The texture pictures are installed beside the program, wherever the work files go.
    if (!WriteModelFile(settings.AirplaneKind, workFolder, programFolder)) {
        // Started by a daemon: ShowStartError, which keeps message boxes off its window.
        if (ctx.Host)
            return EndWithError(StartFailure::WorkFileUnwritable,
                                QStringLiteral("cannot write %1").arg(QString::fromStdString(ModelFilePath(workFolder))));
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), QStringLiteral("!"),
                        QMessageBox::Ok);
        ExecStartMessage(box);
        return 1;
    }

    StartFailure failure{};
    QString file;
    QString error;
    if (!Fly3D(ctx, place, workFolder, texturePath, workFilesLock, failure, file, error))
        return EndWithError(failure, error, file);
    return 0;
}
