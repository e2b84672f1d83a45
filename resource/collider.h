// Collider resources: the collision mesh of the physics mesh geometry, a bounding-sphere tree over
// triangles. Every collider reader derives from Resource::Collider; the tables point into the
// resource's source bytes.
#pragma once

#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

// A node of the bounding-sphere tree; node 0 is the root. A child of 0 or more is a node number
// (always above its parent's), a negative child c stands for leaf number -c - 1.
struct ColliderNode
{
    SInt32 children[2];
    Float centre[4];
    Float radius;
};

// One triangle. The 2 × 2 matrix maps the two in-plane coordinates that the axis selector keeps
// (1: x and z, 2: x and y, otherwise y and z) to barycentric coordinates.
struct ColliderLeaf
{
    Float normal[3];
    UInt32 vertices[3];
    Float barycentric[4];
    UInt32 axis;
    Float centre[4];
    Float radius;
};

static_assert(sizeof(ColliderNode) == 28 && sizeof(ColliderLeaf) == 64, "collider records are used in place");

class ICollider
{
public:
    // Four floats per vertex.
    virtual const Float* GetVertices() const = 0;
    virtual const ColliderNode* GetNodes() const = 0;
    virtual const ColliderLeaf* GetLeaves() const = 0;
    virtual ~ICollider() {}
};

class Collider : public Object, public ICollider
{
public:
    Collider(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
