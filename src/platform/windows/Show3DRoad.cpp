#include "Show3DRoad.h"

#include "BitmapFile.h"
#include "DibSection.h"
#include "Flight.h"
#include "ModelFile.h"
#include "ModelMeshReader.h"
#include "MonitorShow3D.h"
#include "Platform.h"
#include "RunModes.h"
#include "SceneRenderer.h"
#include "Show3D.h"
#include "Show3DWindow.h"
#include "ShowInput.h"
#include "ShowLoop.h"
#include "WglContext.h"
#include "WicPictures.h"
#include "WideText.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

// The whole background shrunk (or grown) to 512 x 512 with GDI's averaging stretch.
Surface BackgroundTexture(const Surface& background)
{
    DibSection whole(background.Width(), background.Height());
    DibSection texture(512, 512);
    if (!whole.Valid() || !texture.Valid())
        return {};
    whole.CopyFrom(background, Rect{0, 0, background.Width(), background.Height()});
    SetStretchBltMode(texture.Dc(), HALFTONE);
    SetBrushOrgEx(texture.Dc(), 0, 0, nullptr);
    StretchBlt(texture.Dc(), 0, 0, 512, 512, whole.Dc(), 0, 0, background.Width(), background.Height(), SRCCOPY);
    return texture.ToSurface();
}

// The folder as the model file names it: without its trailing separator, except at a
// drive root ("C:\").
std::string TextureFolder(std::string folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// Empty when the file cannot be read; the reader then says what is missing.
std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(std::filesystem::path(WideOfUtf8(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Surface ReadTexturePicture(const std::string& path)
{
    std::optional<Surface> picture = ReadPictureFile(WideOfUtf8(path));
    return picture ? std::move(*picture) : Surface();
}

// From the window to the end of the show loop. False with a reason on a failure; the
// caller tells the user once the screen is given back.
bool Fly3D(SaverSettings& settings, MusicController& music, Show3DWindow& window, int16_t width, int16_t height,
           Mesh aircraft, Surface background, const std::vector<OtherMonitorShow>& others, std::string& error)
{
    WglContext context;
    GlFunctions gl;
    if (!context.Create(window.Handle(), error) || !context.LoadFunctions(gl, error))
        return false;
    SceneRenderer renderer(gl, ReadTexturePicture);
    if (!renderer.Initialize(error))
        return false;

    Flight flight(settings, width, height,
                  static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    Show3D show(flight);
    const Mesh model = others.empty() ? Mesh() : aircraft.Clone();
    show.BuildScene3D(std::move(aircraft), std::move(background));
    settings.SmokeLength = 500;  // for this show only; the stored setting stays

    // Every other monitor flies its own scene in its own window and context.
    std::vector<std::unique_ptr<MonitorShow3D>> extras;
    for (const OtherMonitorShow& other : others) {
        auto extra = std::make_unique<MonitorShow3D>(settings, other, OtherMonitorWindowTitle);
        if (!extra->Valid()) {
            error = "The show window could not be made.";
            return false;
        }
        if (!extra->Prepare(model.Clone(), BackgroundTexture(other.Background), ReadTexturePicture, error))
            return false;
        extras.push_back(std::move(extra));
    }

    ShowFlags flags;
    const auto onEnd = [&flags] {
        if (flags.SaverMode == -1)
            flags.ExitRequest = 1;
    };
    window.OnEnd = onEnd;
    window.OnMusicTick = [&music] { music.MusicControl(MusicController::Poll); };
    for (auto& extra : extras) {
        extra->Window().OnEnd = onEnd;
        extra->Window().Open(false);
    }
    // The primary opens last, so it ends up in front with the keyboard.
    window.Open(true);
    // Every puff slot starts free in a new Flight; then the music and its poll timer.
    music.MusicControl(MusicController::Start);
    ProcessEvents();
    window.StartMusicTimer();

    ShowLoopPorts ports{[&] {
                            context.MakeCurrent();
                            show.StepShow3D();
                            renderer.Render(show.Graph(), show.Scene(), show.Camera(), width, height);
                            window.WaitForRefresh();
                            context.Swap();
                            for (auto& extra : extras)
                                extra->Step();
                            ProcessEvents();
                        },
                        CursorPosition,
                        [](int ms) { Sleep(static_cast<DWORD>(ms)); },
                        ProcessEvents,
                        {}};
    ports.CaretPosition = CaretPosition;
    ShowLoop loop(flags, flight.KindChangeRequest, settings.AirplaneKind, settings.BlueWait, std::move(ports));
    loop.RememberPositions();
    ProcessEvents();
    loop.Run();
    return true;
}

}  // namespace

int RunShow3DRoad(SaverSettings& settings, MusicController& music, const std::string& programFolder,
                  int16_t width, int16_t height, const Surface& background,
                  const std::vector<OtherMonitorShow>& others)
{
    const std::string workFolder = ChooseWorkFolder(programFolder);
    if (workFolder.empty()) {
        ShowStartError(StartFailure::NoWorkFolder, "Neither the program's folder nor the local application data folder can be written.");
        return 1;
    }
    const std::string texturePath = workFolder + "\\bgi_tmp.bmp";
    const Surface texture = BackgroundTexture(background);
    const std::vector<unsigned char> bitmap = EncodeBitmapFile(texture);
    if (texture.Width() == 0 ||
        !ReplaceFile(texturePath, std::string_view(reinterpret_cast<const char*>(bitmap.data()), bitmap.size()))) {
        ShowStartError(StartFailure::WorkFileUnwritable, "Cannot write " + texturePath + ".", texturePath);
        return 1;
    }
    // The model file, its texture lines naming the pictures beside the .scr.
    ModelLines lines;
    const std::string modelPath = ModelFilePath(workFolder);
    if (!ReadModelLines(lines) || !ModelLinesConsistent(lines) ||
        !ReplaceFile(modelPath, ComposeModelFile(settings.AirplaneKind, TextureFolder(programFolder), lines))) {
        // The default caption, so that the box is not taken for a running show.
        MessageBoxW(nullptr, L"!", nullptr, MB_OK | MB_TOPMOST);
        return 1;
    }
    // Read back as the scene loads it, then emptied.
    Mesh aircraft;
    std::string error;
    const bool loaded = ReadModelMesh(ReadWholeFile(modelPath), aircraft, error);
    if (!ReplaceFile(modelPath, {})) {
        ShowStartError(StartFailure::WorkFileUnwritable, "Cannot empty " + modelPath + ".", modelPath);
        return 1;
    }
    if (!loaded) {
        ShowStartError(StartFailure::ModelUnreadable, modelPath + ": " + error, modelPath);
        return 1;
    }
    std::optional<Surface> sceneBackground = ReadPictureFile(WideOfUtf8(texturePath));
    if (!sceneBackground) {
        ShowStartError(StartFailure::WorkFileUnreadable, "Cannot read " + texturePath + ".", texturePath);
        return 1;
    }

    Show3DWindow window(POINT{0, 0}, width, height, ShowWindowTitle);
    if (!window.Valid()) {
        ShowStartError(StartFailure::WindowNotMade, "The show window could not be made.");
        return 1;
    }
    const bool flown = Fly3D(settings, music, window, width, height, std::move(aircraft), std::move(*sceneBackground),
                             others, error);
    music.MusicControl(MusicController::Stop);
    window.Close();
    if (!flown) {
        ShowStartError(StartFailure::NoOpenGl33, error);
        return 1;
    }
    return 0;
}
