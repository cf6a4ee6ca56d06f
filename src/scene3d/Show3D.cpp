#include "Show3D.h"

#include "Flight.h"
#include "Numbers.h"
#include "PuffMesh.h"

namespace {

struct StateRow {
    int16_t Length;
    int16_t Next;        // state 5 draws between 6 and 0
    Vec3 Axis;           // in the aircraft's own axes
    std::array<double, Show3D::PlaneCount> Degrees;  // per frame, aircraft 0..5
};

constexpr Vec3 Roll{0, 0, 1};
constexpr Vec3 Pitch{1, 0, 0};

// Rolls fan the wingmen out to different banks and back; pitches fly the half-loops.
const std::array<StateRow, 9> States{{
    {60, 1, Roll, {0, 0, 0, 0, 0, 0}},
    {25, 2, Roll, {0, -60.0 / 25, 60.0 / 25, -120.0 / 25, 120.0 / 25, -180.0 / 25}},
    {360, 3, Pitch, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5}},
    {90, 4, Roll, {0, 0, 0, 0, 0, 0}},
    {360, 5, Pitch, {0.5, 0.5, 0.5, 0.5, 0.5, 0.5}},
    {25, 6, Roll, {0, 60.0 / 25, -60.0 / 25, 120.0 / 25, -120.0 / 25, 180.0 / 25}},
    {15, 7, Roll, {0, 0, 0, 0, 0, 0}},
    {30, 8, Roll, {12, 12, 12, 12, 12, 12}},
    {15, 1, Roll, {0, 0, 0, 0, 0, 0}},
}};

const std::array<Vec3, Show3D::PlaneCount> FormationPlaces{{
    {0, 0, 0}, {12, -4, 20}, {-12, -4, 20}, {24, -8, 40}, {-24, -8, 40}, {0, -8, 40}}};

constexpr Vec3 Ahead{0, 0, 1};
constexpr Vec3 Up{0, 1, 0};
constexpr Vec3 PuffOffset{-0.77, -0.5, 5.2};
constexpr Vec3 PlaneVelocity{0, 0, -1.5};

}  // namespace

int16_t ShowStateLength(int16_t state)
{
    return States.at(state).Length;
}

Show3D::Show3D(Flight& flight) : flight_(flight) {}

void Show3D::BuildScene3D(Mesh aircraftMesh, Surface background)
{
    modelFrame_ = graph_.CreateFrame(nullptr);
    scene_ = graph_.CreateFrame(nullptr);
    cameraFrame_ = graph_.CreateFrame(scene_);
    lightFrame_ = graph_.CreateFrame(scene_);
    graph_.BackClip = BackClip;

    lightFrame_->ReplaceWithRotation(Vec3{1, 0, 0}, Radians(90));
    graph_.AddLight(LightKind::Directional, {0.6f, 0.6f, 0.6f}, lightFrame_);
    graph_.AddLight(LightKind::Ambient, {0.7f, 0.7f, 0.7f}, lightFrame_);
    graph_.AddLight(LightKind::Point, {0.1f, 0.1f, 0.1f}, lightFrame_);

    graph_.SetBackgroundImage(std::move(background));

    for (Frame*& plane : planeFrames_)
        plane = graph_.CreateFrame(scene_);
    for (Frame*& stage : puffStages_)
        stage = graph_.CreateFrame(nullptr);
    for (int i = 0; i < PuffSlots; ++i) {
        puffHolders_[i] = graph_.CreateFrame(nullptr);
        puffFrames_[i] = graph_.CreateFrame(scene_);
    }

    modelFrame_->AddVisual(*graph_.AddMesh(std::move(aircraftMesh)));
    for (Frame* plane : planeFrames_) {
        plane->AddVisual(*modelFrame_);
        plane->SetOrientation(scene_, Ahead, Up);
    }
    for (int j = 0; j < PlaneCount; ++j)
        planeFrames_[j]->SetPosition(scene_, FormationPlaces[j]);

    const Mesh puff = MakePuffMesh();
    for (int k = 0; k < FadeStages; ++k) {
        Mesh stage = puff.Clone();
        stage.SetColour({1, 1, 1, static_cast<float>(0.8 - k * 0.8 / 49)});
        puffStages_[k]->AddVisual(*graph_.AddMesh(std::move(stage)));
    }
}

void Show3D::StepShow3D()
{
    AdvanceState();

    if (--CameraTimer < 0)
        DrawCamera();
    PlaceCamera();

    SetPlaneRotations();
    for (Frame* plane : planeFrames_)
        plane->SetVelocity(PlaneVelocity);

    if (StateTimer % 3 == 0) {
        for (int j = 0; j < PlaneCount; ++j)
            EmitPuff(j);
    }
    UpdatePuffs();
    graph_.Move(*scene_, 1.0);
}

void Show3D::AdvanceState()
{
    const int16_t t = StateTimer;
    StateTimer = static_cast<int16_t>(t - 1);
    if (t > 1)
        return;
    int16_t next = States.at(ShowState).Next;
    if (ShowState == 5)
        next = flight_.Rnd() <= 0.5 ? 6 : 0;
    ShowState = next;
    StateTimer = States[next].Length;
    if (next == 1)
        passStart_ = planeFrames_[0]->Position(scene_);
}

void Show3D::DrawCamera()
{
    CameraTimer = CInt(Int(flight_.Rnd() * 180) + 50);
    CameraKind = CInt(Int(flight_.Rnd() * 8));
    CamDX = CInt(flight_.Rnd() * 200 - 100);
    CamDY = CInt(flight_.Rnd() * 100 - 50);
    CamDZ = CInt(flight_.Rnd() * 100 - 50);
    // Each pass of the sequence leaves the formation some 30 units further along -z;
    // left alone, it would fly out of the cameras placed in the scene after some
    // 17 minutes. They follow it by whole passes, at a cut so no view jumps, and only
    // when it has gone as far as it does in the first minutes.
    if (Length(passStart_ - cameraOrigin_) > FollowDistance)
        cameraOrigin_ = passStart_;
}

void Show3D::PlaceCamera()
{
    const double dx = CamDX, dy = CamDY, dz = CamDZ;
    const Frame* reference = scene_;
    Vec3 position;
    int target = 0;
    switch (CameraKind) {
    case 0: position = {dx - 90, dy - 160, dz - 100}; break;
    case 1: position = {dx - 280, dy + 80, dz + 50}; target = 1; break;
    case 2: position = {dx - 10, dy + 80, dz + 40}; reference = planeFrames_[0]; break;
    case 3: position = {dx - 100, dy - 100, dz - 50}; break;
    case 4: position = {dx, dy + 500, dz + 150}; break;
    case 5: position = {dx + 15, 15, -50}; reference = planeFrames_[0]; break;
    case 6: position = {280, 80, 50}; target = 3; break;
    default: position = {dx, 5, -30}; reference = planeFrames_[5]; target = 5; break;
    }
    if (reference == scene_)
        position = position + cameraOrigin_;
    cameraFrame_->SetPosition(reference, position);
    cameraFrame_->LookAtConstrainZ(*planeFrames_[target]);
}

void Show3D::SetPlaneRotations()
{
    const StateRow& row = States.at(ShowState);
    for (int j = 0; j < PlaneCount; ++j)
        planeFrames_[j]->SetRotation(row.Axis, Radians(row.Degrees[j]));
}

void Show3D::EmitPuff(int j)
{
    int i = 0;
    while (i < SmokeSlotsUsed && flight_.SmokePoints[i].Used != 0)
        ++i;
    if (i == SmokeSlotsUsed)
        return;
    SmokePoint& puff = flight_.SmokePoints[i];
    puff.Used = 1;
    puffHolders_[i]->AddVisual(*puffStages_[0]);
    puffFrames_[i]->AddVisual(*puffHolders_[i]);
    puffFrames_[i]->SetPosition(planeFrames_[j], PuffOffset);
    puffFrames_[i]->SetOrientation(planeFrames_[j], Ahead, Up);
    puffFrames_[i]->SetRotation(Vec3{0, 0, 1}, Radians(flight_.Rnd() * -120));
    puff.Scale = 1;
    puff.Age = 0;
}

void Show3D::UpdatePuffs()
{
    const double length = flight_.Settings.SmokeLength;
    for (int i = 0; i < SmokeSlotsUsed; ++i) {
        SmokePoint& puff = flight_.SmokePoints[i];
        if (puff.Used != 1)
            continue;
        const int d = puff.Age;
        const double b = puff.Scale;
        Frame& holder = *puffHolders_[i];
        if (d <= 12) {
            holder.ReplaceWithScale(d * b / 10, d * b / 10, 1.2);
        } else {
            const bool fading = d > length - 241;
            if (fading) {
                const int r = static_cast<int>(length) - d;
                if (r % 5 == 0) {
                    const int k = 48 - r / 5;
                    if (k >= 0 && k + 1 < FadeStages) {
                        holder.DeleteVisual({nullptr, puffStages_[k]});
                        holder.AddVisual(*puffStages_[k + 1]);
                    }
                }
            }
            double spin;
            if (fading)
                spin = flight_.Rnd() * 4 - 2;
            else if (d > length - 265)
                spin = flight_.Rnd() * -2;
            else if (d > length - 280)
                spin = flight_.Rnd() * -3;
            else if (d > length - 300)
                spin = flight_.Rnd() * -4;
            else if (d >= 35)
                spin = flight_.Rnd() * -6;
            else
                spin = flight_.Rnd() * -30;
            puffFrames_[i]->SetRotation(Vec3{0, 0, 1}, Radians(spin));
            const double s = ((d / length) * (d / length) + 1) * b * 1.5;
            holder.ReplaceWithScale(s, s, s);
        }
        const int aged = d + 1;
        if (length < aged) {
            puff.Used = 0;
            puffFrames_[i]->DeleteVisual({nullptr, &holder});
            holder.DeleteVisual({nullptr, puffStages_[FadeStages - 1]});
        }
        puff.Age = static_cast<int16_t>(aged);
    }
}
