#pragma once

#include "Flight.h"
#include "FrameCanvas.h"

#include <vector>

// A fresh flight with default settings and its own settings record.
struct TestFlight {
    explicit TestFlight(int16_t width = 640, int16_t height = 480, uint64_t seed = 1)
        : flight(settings, width, height, seed)
    {
    }
    SaverSettings settings;
    Flight flight;

    // An aircraft ready to fly: visible, at (x, y), heading dir, no program running.
    PlaneState& Place(int i, int16_t x, int16_t y, int16_t dir, int16_t scale = 1, int16_t mode = 0)
    {
        PlaneState& p = flight.Planes[i];
        p = PlaneState{};
        p.X = p.OldX = x;
        p.Y = p.OldY = y;
        p.Dir = dir;
        p.Scale = scale;
        p.Mode = mode;
        p.Active = 1;
        p.LastSmoke = -1;
        p.Pos = 1;
        return p;
    }
};

// Remembers what StepAircraft asked to draw, in order.
class RecordingCanvas : public FrameCanvas {
public:
    enum class Call { CopyBackground, DrawSmoke, DrawSprite, Present };
    struct Entry {
        Call call;
        int i;
        int16_t x;
        int16_t y;
        int16_t dir;
        bool operator==(const Entry&) const = default;
    };

    void CopyBackground() override { calls.push_back({Call::CopyBackground, -1, 0, 0, 0}); }
    void DrawSmoke(Flight&) override { calls.push_back({Call::DrawSmoke, -1, 0, 0, 0}); }
    void DrawSprite(const Flight& flight, int i) override
    {
        const PlaneState& p = flight.Planes[i];
        calls.push_back({Call::DrawSprite, i, p.X, p.Y, p.Dir});
    }
    void Present() override { calls.push_back({Call::Present, -1, 0, 0, 0}); }

    int SpritesDrawn(int i) const
    {
        int n = 0;
        for (const Entry& e : calls)
            n += e.call == Call::DrawSprite && e.i == i;
        return n;
    }

    std::vector<Entry> calls;
};

// Draws nothing, but ages and frees smoke points the way the smoke drawing does,
// so long runs do not fill the pool.
class AgeingCanvas : public FrameCanvas {
public:
    void CopyBackground() override {}
    void DrawSmoke(Flight& flight) override
    {
        for (int k = 0; k < SmokeSlotsUsed; ++k) {
            SmokePoint& p = flight.SmokePoints[k];
            if (p.Used != 1)
                continue;
            ++p.Age;
            if (p.Age > flight.Settings.SmokeLength)
                p.Used = 0;
        }
    }
    void DrawSprite(const Flight&, int) override {}
    void Present() override {}
};
