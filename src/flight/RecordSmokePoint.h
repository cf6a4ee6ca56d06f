#pragma once

struct Flight;

// Records the segment aircraft i flew this frame (OldX, OldY to X, Y) in the first free
// slot of 0..999, linked after the aircraft's LastSmoke. With every slot taken nothing is
// recorded and LastSmoke stays, so the trail goes on from it once slots free up.
// A corner (Turned) gives the new point "number of complement" smoothing passes.
void RecordSmokePoint(Flight& flight, int i);
