#pragma once

struct Flight;

// The drawing a frame of the flight needs, in the order StepAircraft calls it:
// CopyBackground, DrawSmoke (when smoke is on), DrawSprite per visible aircraft, Present.
// The renderer implements it; the flight model never sees pixels.
class FrameCanvas {
public:
    virtual ~FrameCanvas() = default;
    virtual void CopyBackground() = 0;
    // Smooths, draws, ages and frees the smoke points of flight.SmokePoints, drawing
    // its random numbers from flight.Random.
    virtual void DrawSmoke(Flight& flight) = 0;
    // Draws aircraft i of flight.Planes with its heading picture.
    virtual void DrawSprite(const Flight& flight, int i) = 0;
    virtual void Present() = 0;
};
