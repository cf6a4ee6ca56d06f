// Composing one saturated 1920 x 1080 frame (100 solo aircraft of mixed size, 1000 live
// smoke points) against one plain copy of a 1920 x 1080 x 4-byte frame, in the same run.
// Prints compose_vs_copy_ratio: <composed frame time / plain copy time>, both CPU time on
// one core (the machine may be shared, which stretches wall-clock time).

#include "Flight.h"
#include "FrameComposer.h"
#include "EmbeddedAssets.h"
#include "Numbers.h"
#include "QtPictures.h"
#include "RandomSource.h"
#include "StartFlightModel.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int TrailLength = 10;

// Stand-in aircraft for a tree without the heading pictures: a body and wings on black.
std::array<Surface, HeadingCount> StandInPictures()
{
    std::array<Surface, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d) {
        QImage picture(400, 400, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(200, 200);
        painter.rotate(45.0 * d);
        painter.fillRect(-30, -180, 60, 360, QColor(40, 70, 200));
        painter.fillRect(-170, -20, 340, 80, QColor(230, 230, 240));
        painter.fillRect(-70, 130, 140, 40, QColor(200, 30, 30));
        pictures[static_cast<size_t>(d)] = SurfaceOfImage(picture);
    }
    return pictures;
}

QImage Background()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Width; ++x)
            row[x] = qRgb(20 + x % 64, 60 + y % 96, 160);
    }
    return image;
}

// Size factor of a solo aircraft: 1 or 2 most of the time, now and then up to 10.
int16_t SoloScale(RandomSource& random)
{
    int16_t scale = CInt(Int(random.Rnd() * 3) + 1);
    if (scale == 3)
        scale = CInt(Int(random.Rnd() * 6) + 1);
    if (scale == 6)
        scale = CInt(Int(random.Rnd() * 10) + 1);
    return scale;
}

struct BusyShow {
    BusyShow() : flight(settings, Width, Height, 5), composer(Width, Height)
    {
        settings.BlueCount = 100;
        settings.SmokeLength = 150;
        composer.SetBackground(SurfaceOfImage(Background()));
        composer.LoadSmokeSurfaces(ReadSmokePictures());
        if (!EmbeddedAsset("sprites/kind0_0.png").empty())
            composer.LoadKindSprites(0, ReadHeadingPictures(0), KindCellEdge(0));
        else
            composer.LoadKindSprites(0, StandInPictures(), 400);
        flight.KindCellSize.fill(400);

        static constexpr int StepX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
        static constexpr int StepY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
        RandomSource random(99);
        for (int i = 0; i < PlaneCount; ++i) {
            PlaneState& plane = flight.Planes[static_cast<size_t>(i)];
            plane.X = CInt(random.Rnd() * Width);
            plane.Y = CInt(random.Rnd() * Height);
            plane.Dir = CInt(Int(random.Rnd() * 8));
            plane.Scale = SoloScale(random);
            // Its trail: ten one-frame segments behind it, one every 15 frames of age.
            const int step = 45 * plane.Scale / 4;
            const int dx = StepX[plane.Dir] * step;
            const int dy = StepY[plane.Dir] * step;
            for (int k = 0; k < TrailLength; ++k) {
                const int slot = i * TrailLength + k;
                SmokePoint& p = flight.SmokePoints[static_cast<size_t>(slot)];
                p.X2 = CInt(plane.X - k * dx);
                p.Y2 = CInt(plane.Y - k * dy);
                p.X1 = CInt(p.X2 - dx);
                p.Y1 = CInt(p.Y2 - dy);
                p.Scale = plane.Scale;
                p.Age = static_cast<int16_t>(k * 15 + i % 15);
                p.Used = 1;
                p.PrevPt = static_cast<int16_t>(k + 1 < TrailLength ? slot + 1 : -1);
                p.NextPt = static_cast<int16_t>(k > 0 ? slot - 1 : -1);
                p.Smooth = 0;
            }
        }
        smoke = flight.SmokePoints;
    }

    // Drawing ages and frees smoke; every frame starts from the same saturated pool.
    void RestoreSmoke() { flight.SmokePoints = smoke; }

    void DrawAircraft()
    {
        for (int i = 0; i < PlaneCount; ++i)
            composer.DrawSprite(flight, i);
    }

    SaverSettings settings;
    Flight flight;
    FrameComposer composer;
    SmokePointArray smoke{};
};

// How many runs of tiles the last frame changed and how many pixels they cover.
void CountChanged(benchmark::State& state, const FrameComposer& composer)
{
    double runs = 0;
    double pixels = 0;
    composer.ForEachChangedRun([&](const Rect& r) {
        ++runs;
        pixels += double(r.Width()) * r.Height();
    });
    state.counters["runs"] = runs;
    state.counters["pixels"] = pixels;
}

BusyShow& Show()
{
    static BusyShow show;
    return show;
}

void PlainCopy(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t(Width) * Height, 0xFF102030u);
    std::vector<uint32_t> to(size_t(Width) * Height);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PlainCopy);

void ComposeFrame(benchmark::State& state)
{
    BusyShow& show = Show();
    for (auto _ : state) {
        show.RestoreSmoke();
        show.composer.CopyBackground();
        show.composer.DrawSmoke(show.flight);
        show.DrawAircraft();
        show.composer.Present();
        benchmark::ClobberMemory();
    }
    CountChanged(state, show.composer);
}
BENCHMARK(ComposeFrame);

void BackgroundAndSmoke(benchmark::State& state)
{
    BusyShow& show = Show();
    for (auto _ : state) {
        show.RestoreSmoke();
        show.composer.CopyBackground();
        show.composer.DrawSmoke(show.flight);
        show.composer.Present();
        benchmark::ClobberMemory();
    }
    CountChanged(state, show.composer);
}
BENCHMARK(BackgroundAndSmoke);

void BackgroundAndAircraft(benchmark::State& state)
{
    BusyShow& show = Show();
    for (auto _ : state) {
        show.composer.CopyBackground();
        show.DrawAircraft();
        show.composer.Present();
        benchmark::ClobberMemory();
    }
    CountChanged(state, show.composer);
}
BENCHMARK(BackgroundAndAircraft);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the benchmark.
        for (const Run& run : runs)
            if (run.aggregate_name.empty() || run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto copy = reporter.times.find("PlainCopy");
    const auto compose = reporter.times.find("ComposeFrame");
    if (copy == reporter.times.end() || compose == reporter.times.end() || copy->second <= 0)
        return 0;
    std::printf("compose_vs_copy_ratio: %.2f\n", compose->second / copy->second);
    // The reference for the show's own figures (benchmark times are in nanoseconds).
    std::printf("copy_frame_ms: %.4f\n", copy->second / 1e6);
    return 0;
}
