#include "SceneGraph.h"

#include <algorithm>
#include <atomic>

namespace {

Affine ParentWorld(const Frame& frame)
{
    return frame.Parent() ? frame.Parent()->World() : Affine{};
}

Affine ReferenceWorld(const Frame& frame, const Frame* reference)
{
    return reference ? reference->World() : ParentWorld(frame);
}

// Direction d of space a expressed in space b (both given by their world transforms).
Vec3 DirectionInto(const Vec3& d, const Affine& from, const Affine& to)
{
    Mat3 inv;
    if (!Inverse(to.Linear, inv))
        return d;
    return (d * from.Linear) * inv;
}

}  // namespace

Affine Frame::World() const
{
    Affine world = local_;
    for (const Frame* p = parent_; p; p = p->parent_)
        world = world * p->local_;
    return world;
}

void Frame::DeleteVisual(const Visual& visual)
{
    const auto it = std::find(visuals_.begin(), visuals_.end(), visual);
    if (it != visuals_.end())
        visuals_.erase(it);
}

bool Frame::HasVisual(const Visual& visual) const
{
    return std::find(visuals_.begin(), visuals_.end(), visual) != visuals_.end();
}

void Frame::SetPosition(const Frame* reference, const Vec3& position)
{
    const Vec3 world = Apply(ReferenceWorld(*this, reference), position);
    Affine toParent;
    if (Inverse(ParentWorld(*this), toParent))
        local_.Translation = Apply(toParent, world);
}

Vec3 Frame::Position(const Frame* reference) const
{
    const Vec3 world = World().Translation;
    Affine toReference;
    if (!Inverse(ReferenceWorld(*this, reference), toReference))
        return world;
    return Apply(toReference, world);
}

void Frame::SetOrientation(const Frame* reference, const Vec3& direction, const Vec3& up)
{
    const Affine ref = ReferenceWorld(*this, reference);
    const Affine parent = ParentWorld(*this);
    const Vec3 z = Normalized(DirectionInto(direction, ref, parent));
    const Vec3 upInParent = DirectionInto(up, ref, parent);
    Vec3 x = Normalized(Cross(upInParent, z));
    if (Length(x) == 0)
        x = Normalized(local_.Linear.Row[0] - z * Dot(local_.Linear.Row[0], z));
    local_.Linear = {{x, Cross(z, x), z}};
}

void Frame::LookAtConstrainZ(const Frame& target)
{
    const Affine parent = ParentWorld(*this);
    Affine toParent;
    if (!Inverse(parent, toParent))
        return;
    const Vec3 toTarget = Apply(toParent, target.World().Translation) - local_.Translation;
    if (Length(toTarget) == 0)
        return;
    SetOrientation(nullptr, toTarget, Vec3{0, 1, 0});
}

void Frame::ReplaceWithRotation(const Vec3& axis, double angle)
{
    local_ = {RotationAbout(axis, angle), Vec3{}};
}

void Frame::ReplaceWithScale(double x, double y, double z)
{
    local_ = {Mat3::Scale(x, y, z), Vec3{}};
}

Frame* SceneGraph::CreateFrame(Frame* parent)
{
    Frame& frame = frames_.emplace_back();
    frame.parent_ = parent;
    frame.visuals_.reserve(2);
    if (parent)
        parent->children_.push_back(&frame);
    return &frame;
}

Mesh* SceneGraph::AddMesh(Mesh mesh)
{
    return &meshes_.emplace_back(std::move(mesh));
}

void SceneGraph::AddLight(LightKind kind, const std::array<float, 3>& colour, const Frame* carrier)
{
    lights_.push_back({kind, colour, carrier});
}

void SceneGraph::SetBackgroundImage(Surface image)
{
    // Unique across graphs, as a renderer may draw more than one.
    static std::atomic<uint64_t> lastKey{0};
    background_ = std::move(image);
    backgroundKey_ = ++lastKey;
}

void SceneGraph::Move(Frame& root, double delta)
{
    root.local_.Translation = root.local_.Translation + (root.velocity_ * delta) * root.local_.Linear;
    if (root.rotationAngle_ != 0)
        root.local_.Linear = RotationAbout(root.rotationAxis_, root.rotationAngle_ * delta) * root.local_.Linear;
    for (Frame* child : root.children_)
        Move(*child, delta);
}
