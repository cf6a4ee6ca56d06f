#pragma once

struct Flight;
class FrameCanvas;

// One frame of the two-dimensional flight: background, move and retire, smoke, then per
// visible aircraft sprite, steering and smoke point, and finally present. Aircraft still
// waiting out their Delay only count it down.
void StepAircraft(Flight& flight, FrameCanvas& canvas);
