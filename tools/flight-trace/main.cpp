#include "Flight.h"
#include "FrameCanvas.h"
#include "LaunchAircraft.h"
#include "StartFlightModel.h"
#include "StepAircraft.h"
#include "TraceOptions.h"
#include "TracePicture.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

namespace {

// Draws nothing. Notes which aircraft the step drew, and ages and frees smoke points
// as the show's smoke drawing does, so the pool behaves as in a show.
class TraceCanvas : public FrameCanvas {
public:
    void CopyBackground() override { Drawn.fill(false); }
    void DrawSmoke(Flight& flight) override
    {
        for (int k = 0; k < SmokeSlotsUsed; ++k) {
            SmokePoint& p = flight.SmokePoints[k];
            if (p.Used != 1)
                continue;
            ++p.Age;
            if (flight.Settings.SmokeLength < p.Age)
                p.Used = 0;
        }
    }
    void DrawSprite(const Flight&, int i) override { Drawn[i] = true; }
    void Present() override {}

    std::array<bool, PlaneCount> Drawn{};
};

}  // namespace

int main(int argc, char** argv)
{
    TraceOptions options;
    std::string error;
    if (!ParseTraceOptions(argc, argv, options, error)) {
        if (!error.empty())
            std::fprintf(stderr, "flight-trace: %s\n", error.c_str());
        std::fputs(TraceUsage, error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }

    // Text on the picture needs a font database, which needs an application; no screen.
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<TracePicture> picture;
    if (!options.PngFile.empty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        const SaverSettings& s = options.Settings;
        picture = std::make_unique<TracePicture>(
            options.Width, options.Height,
            QStringLiteral("seed %1   %2 x %3   frames 1-%4   flight mode %5   step of blue %6")
                .arg(options.Seed)
                .arg(options.Width)
                .arg(options.Height)
                .arg(options.Frames)
                .arg(s.FlightMode)
                .arg(s.BlueStep));
    }

    Flight flight(options.Settings, options.Width, options.Height, options.Seed);
    TraceCanvas canvas;
    StartFlightModel(flight);
    if (options.Csv)
        std::puts("frame,i,X,Y,Dir,Active,Mode,Smoke,Delay,Scale,Prog,Pos,Wait");

    std::array<bool, PlaneCount> drawnBefore{};
    for (int frame = 1; frame <= options.Frames; ++frame) {
        std::array<int16_t, PlaneCount> activeBefore{};
        for (int i = 0; i < PlaneCount; ++i)
            activeBefore[i] = flight.Planes[i].Active;
        const bool formationBefore = flight.FormationFlying != 0;
        LaunchAircraft(flight);
        const bool formationLaunched = !formationBefore && flight.FormationFlying != 0;
        StepAircraft(flight, canvas);

        const int n = std::clamp<int>(flight.Settings.BlueCount, 0, PlaneCount);
        for (int i = 0; i < n; ++i) {
            const PlaneState& p = flight.Planes[i];
            if (options.Csv)
                std::printf("%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\n", frame, i, p.X, p.Y, p.Dir, p.Active, p.Mode,
                            p.Smoke, p.Delay, p.Scale, p.Prog, p.Pos, p.Wait);
            if (picture && canvas.Drawn[i]) {
                const bool launched = formationLaunched || (activeBefore[i] == 0 && p.Active == 1);
                picture->AddPosition(i, p.X, p.Y, drawnBefore[i] && !launched);
            }
        }
        drawnBefore = canvas.Drawn;
        if (picture) {
            for (int k = 0; k < SmokeSlotsUsed; ++k) {
                const SmokePoint& s = flight.SmokePoints[k];
                if (s.Used == 1 && s.Age == 0)
                    picture->AddSmoke(s);
            }
        }
    }

    if (picture && !picture->Save(QString::fromStdString(options.PngFile))) {
        std::fprintf(stderr, "flight-trace: cannot write %s\n", options.PngFile.c_str());
        return 1;
    }
    return 0;
}
