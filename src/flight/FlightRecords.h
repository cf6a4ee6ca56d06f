#pragma once

#include <array>
#include <cstdint>

// One aircraft. All fields 16-bit, in the documented order.
struct PlaneState {
    int16_t X = 0;          // reference point (tail, where smoke starts), screen pixels
    int16_t Y = 0;
    int16_t OldX = 0;       // X at the end of the previous handled frame
    int16_t OldY = 0;
    int16_t Active = 0;     // 1 from launch until retired off screen
    int16_t Dir = 0;        // heading 0..7 clockwise from up
    int16_t Scale = 0;      // size factor 1..10
    int16_t Mode = 0;       // 0 free flight, 1 program flight
    int16_t Smoke = 0;      // 1 while trailing smoke
    int16_t LastSmoke = 0;  // newest smoke point of the current trail, -1 none
    int16_t Prog = 0;       // index in FlightPrograms
    int16_t Pos = 0;        // 1-based position of the next program character
    int16_t Wait = 0;       // frames until the next character is read
    int16_t Delay = 0;      // frames during which the aircraft is frozen and hidden
    int16_t Turned = 0;     // heading changed since the last smoke point
    int16_t KindSlot = 0;   // index into KindCellSize
};

// One smoke segment of a trail (also one puff of the 3D show).
struct SmokePoint {
    int16_t X1 = 0;
    int16_t Y1 = 0;
    int16_t X2 = 0;
    int16_t Y2 = 0;
    int16_t Scale = 0;
    int16_t Age = 0;
    int16_t Used = 0;
    int16_t PrevPt = 0;  // previous segment of the same trail, -1 if first
    int16_t NextPt = 0;  // next segment, -1 if newest
    int16_t Smooth = 0;  // remaining corner-smoothing passes
};

constexpr int PlaneCount = 100;
constexpr int SmokeSlotCount = 1001;  // slots 0..999 are used; 1000 exists but is never touched
constexpr int SmokeSlotsUsed = 1000;
constexpr int KindCount = 6;

using PlaneArray = std::array<PlaneState, PlaneCount>;
using SmokePointArray = std::array<SmokePoint, SmokeSlotCount>;
