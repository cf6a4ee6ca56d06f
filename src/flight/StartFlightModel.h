#pragma once

#include <cstdint>

struct Flight;

// Edge in pixels of one heading picture of kinds 0..5 (T-4, T-2, F-86, F-18, F-16, F-117).
int16_t KindCellEdge(int kind);

// The flight model's share of starting or restarting a flight: builds both tables,
// retires the N aircraft in use, chooses the kind (101: clears KindChangeRequest and
// draws one of 0..5), fills KindCellSize, frees the smoke pool and clears
// FormationFlying. Returns the kind 0..5 whose heading pictures the caller loads.
// A stored kind the dialog never writes (anything but 0..5 and 101) shows kind 0, and
// every KindCellSize slot holds the loaded kind's edge, so any KindSlot the launcher
// draws finds the pictures that are loaded.
int16_t StartFlightModel(Flight& flight);

// The kind StartFlightModel would choose if called now, drawing nothing: a kind change
// can have its pictures made before the flight restarts.
int16_t NextKind(const Flight& flight);
