#pragma once

#include "SceneGraph.h"
#include "Surface.h"

#include <array>
#include <cstdint>

struct Flight;

// The three-dimensional show: six aircraft flying a fixed aerobatic sequence, a camera
// that jumps to a new random viewpoint every few seconds, and smoke puffs that grow,
// spin and fade. It only moves scene-graph data; a renderer draws CameraView() of
// Scene. Puffs live in flight.SmokePoints (Used, Scale, Age), the smoke length is
// flight.Settings.SmokeLength and every draw comes from flight.Rnd().
class Show3D {
public:
    static constexpr int PlaneCount = 6;
    static constexpr int FadeStages = 50;
    static constexpr int PuffSlots = 1001;
    static constexpr double BackClip = 2000;
    // How far the formation may drift before the cameras placed in the scene follow.
    static constexpr double FollowDistance = 300;

    explicit Show3D(Flight& flight);

    // Builds every object once: frames, lights, background, the six aircraft showing
    // aircraftMesh, the 50 fade stages and the 1001 puff frame pairs.
    void BuildScene3D(Mesh aircraftMesh, Surface background);

    // One frame: choreography and camera clocks, camera placement, rotations, velocity,
    // smoke every third frame, puff ageing, then one Move of the scene.
    void StepShow3D();
    void UpdatePuffs();
    // Places the camera of CameraKind for this frame by the camera table.
    void PlaceCamera();

    SceneGraph& Graph() { return graph_; }
    const SceneGraph& Graph() const { return graph_; }
    const Frame& Scene() const { return *scene_; }
    const Frame& Camera() const { return *cameraFrame_; }
    const Frame& Plane(int j) const { return *planeFrames_[j]; }
    const Frame& PuffHolder(int i) const { return *puffHolders_[i]; }
    const Frame& PuffFrame(int i) const { return *puffFrames_[i]; }
    const Frame& PuffStage(int k) const { return *puffStages_[k]; }

    // Per-frame state, all 0 at the start.
    int16_t ShowState = 0;
    int16_t StateTimer = 0;
    int16_t CameraKind = 0;
    int16_t CameraTimer = 0;
    int16_t CamDX = 0;
    int16_t CamDY = 0;
    int16_t CamDZ = 0;

private:
    void AdvanceState();
    void DrawCamera();
    void SetPlaneRotations();
    void EmitPuff(int j);

    Flight& flight_;
    SceneGraph graph_;
    Frame* scene_ = nullptr;
    Frame* cameraFrame_ = nullptr;
    Frame* lightFrame_ = nullptr;
    Frame* modelFrame_ = nullptr;
    std::array<Frame*, PlaneCount> planeFrames_{};
    std::array<Frame*, FadeStages> puffStages_{};
    std::array<Frame*, PuffSlots> puffHolders_{};
    std::array<Frame*, PuffSlots> puffFrames_{};
    Vec3 passStart_;     // the leader's place when the latest pass of the sequence began
    Vec3 cameraOrigin_;  // the scene point the cameras placed in the scene are placed from
};

// Length in frames of each choreography state (state 0 after its first pass).
int16_t ShowStateLength(int16_t state);
