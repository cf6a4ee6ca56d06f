#pragma once

#include "Math3D.h"
#include "Mesh.h"
#include "Surface.h"

#include <cstdint>
#include <deque>
#include <vector>

class Frame;

// What a frame shows: a mesh, or another frame drawn as if it were a child (its own
// transform on top of the host's), so one object can be shown in many places.
struct Visual {
    const Mesh* MeshVisual = nullptr;
    const Frame* FrameVisual = nullptr;
    bool operator==(const Visual&) const = default;
};

class Frame {
public:
    Frame* Parent() const { return parent_; }
    const std::vector<Frame*>& Children() const { return children_; }
    const std::vector<Visual>& Visuals() const { return visuals_; }
    const Affine& Local() const { return local_; }

    // Transform from this frame's coordinates to the root's (to its own parent-less space).
    Affine World() const;

    void AddVisual(const Mesh& mesh) { visuals_.push_back({&mesh, nullptr}); }
    void AddVisual(const Frame& frame) { visuals_.push_back({nullptr, &frame}); }
    // Removes the first occurrence; a visual not shown here is ignored.
    void DeleteVisual(const Visual& visual);
    bool HasVisual(const Visual& visual) const;

    // Position and orientation relative to reference (nullptr: the parent).
    void SetPosition(const Frame* reference, const Vec3& position);
    Vec3 Position(const Frame* reference) const;
    // z axis along direction, y axis toward up; any scale is dropped.
    void SetOrientation(const Frame* reference, const Vec3& direction, const Vec3& up);
    // Turns the z axis toward target's origin while keeping the x axis level in the
    // parent's space (no turn about z), as a camera that never tilts sideways.
    void LookAtConstrainZ(const Frame& target);

    // Replaces the whole transform by a turn about axis (radians) / by a scale.
    void ReplaceWithRotation(const Vec3& axis, double angle);
    void ReplaceWithScale(double x, double y, double z);

    // Motion applied by SceneGraph::Move, both in this frame's own axes: a turn per unit
    // of time, and a velocity that is not turned with it.
    void SetRotation(const Vec3& axis, double angle)
    {
        rotationAxis_ = axis;
        rotationAngle_ = angle;
    }
    void SetVelocity(const Vec3& velocity) { velocity_ = velocity; }
    double RotationAngle() const { return rotationAngle_; }
    const Vec3& RotationAxis() const { return rotationAxis_; }

private:
    friend class SceneGraph;

    Frame* parent_ = nullptr;
    std::vector<Frame*> children_;
    std::vector<Visual> visuals_;
    Affine local_;
    Vec3 rotationAxis_{0, 0, 1};
    double rotationAngle_ = 0;
    Vec3 velocity_;
};

enum class LightKind { Ambient, Directional, Point };

struct Light {
    LightKind Kind = LightKind::Ambient;
    std::array<float, 3> Colour{};
    const Frame* Carrier = nullptr;  // directional: shines along its z axis; point: sits at its origin
};

// Owns every frame, mesh and light of the scene; addresses stay valid for its lifetime,
// so frames and visuals refer to each other by pointer.
class SceneGraph {
public:
    Frame* CreateFrame(Frame* parent);
    Mesh* AddMesh(Mesh mesh);
    void AddLight(LightKind kind, const std::array<float, 3>& colour, const Frame* carrier);

    // One time step for root and everything below it: every frame turns by its rotation
    // and moves by its velocity, both scaled by delta.
    void Move(Frame& root, double delta);

    const std::vector<Light>& Lights() const { return lights_; }
    // The picture stretched behind everything; an empty surface: none. Its key changes
    // with every picture set, so a renderer knows when to upload it again.
    const Surface& BackgroundImage() const { return background_; }
    uint64_t BackgroundKey() const { return backgroundKey_; }
    void SetBackgroundImage(Surface image);

    // Depth of the far clipping plane from the camera.
    double BackClip = 100;

private:
    std::deque<Frame> frames_;
    std::deque<Mesh> meshes_;
    std::vector<Light> lights_;
    Surface background_;
    uint64_t backgroundKey_ = 0;
};
