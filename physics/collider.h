// Pair colliders: one touching pair of collision geometries, kept by the collision detector
// from step to step while their bounding spheres overlap. Each step a collider computes the
// pair's contacts (Collide), then turns them into penalty forces on the two root bodies
// (Respond): a contact spring and damper along the normal, and friction that slides or, for mesh
// faces, holds the contact points together with a clamp spring and damper.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Resource {
struct ColliderNode;
struct ColliderLeaf;
}

namespace Physics {

class Geometry;

struct Contact
{
    static constexpr UInt32 kFace = 0;
    static constexpr UInt32 kEdge = 1;
    static constexpr UInt32 kVertex = 2;

    Math::Vector<float> mNormal;
    Math::Vector<float> mLocalPoints[2];
    Math::Vector<float> mWorldPoints[2];
    Math::Vector<float> mDisplacements[2];
    Math::Vector<float> mPendingForces[2];
    // Signed penetration; its sign convention is the collider's.
    Float mDepth;
    UInt32 mCandidate;
    UInt32 mReserved;
    UInt32 mFeature;
    SInt32 mVertices[3];
    Geometry* mGeometries[2];
    Bool mActive;
    Bool mMayStick;
    UInt32 mStuck;
};

class Collider
{
public:
    // Contacts one list holds; further contacts of a step are dropped.
    static constexpr UInt32 kMaxContacts = 32;

    Collider();
    virtual ~Collider();

    Collider(const Collider&) = delete;
    Collider& operator=(const Collider&) = delete;

    // A new collider of the same class, freshly constructed.
    virtual Collider* Clone() const = 0;
    // Swaps the current and previous list and writes this step's contacts into the new current one.
    virtual void Collide() = 0;
    // Applies the forces of the current contacts.
    void Respond(Float dt);

    const Contact* GetContacts() const { return mLists[mCurrentList]; }
    UInt32 GetNumberOfContacts() const { return mCounts[mCurrentList]; }

    // Links of the pair table's chain and of the free lists.
    Collider* mNext;
    Collider* mPrevious;
    Geometry* mFirst;
    Geometry* mSecond;
    UInt32 mFirstKind;
    UInt32 mSecondKind;

protected:
    // Starts the step's list: swaps the lists and empties the current one.
    void BeginContacts();
    // A zeroed record at the end of the current list; null when the list is full.
    Contact* AppendContact();
    Contact* GetCurrentContacts() { return mLists[mCurrentList]; }
    const Contact* GetPreviousContacts() const { return mLists[mPreviousList]; }
    UInt32 GetNumberOfPreviousContacts() const { return mCounts[mPreviousList]; }

private:
    Contact mLists[2][kMaxContacts];
    UInt32 mCounts[2];
    UInt32 mCurrentList;
    UInt32 mPreviousList;
};

class ColliderSphereSphere : public Collider
{
public:
    Collider* Clone() const override;
    void Collide() override;
};

class ColliderPlaneSphere : public Collider
{
public:
    Collider* Clone() const override;
    void Collide() override;
};

class ColliderMeshSphere : public Collider
{
public:
    // Triangles of one mesh query; further ones are dropped.
    static constexpr UInt32 kMaxCandidates = 2064;

    ColliderMeshSphere();
    Collider* Clone() const override;
    void Collide() override;

private:
    // Appends the leaves whose spheres overlap the query sphere to the shared candidate list,
    // walking the tree with a stack of its own so that a deep tree cannot exhaust the call stack.
    void FindCandidates();
    // Deactivates the edge and vertex contacts that a face or edge contact covers.
    void PruneContacts();

    // The query sphere in the mesh's frame.
    Math::Vector<float> mQueryCentre;
    Float mQueryRadius;
    const Resource::ColliderNode* mNodes;
    const Resource::ColliderLeaf* mLeaves;
};

} // namespace Physics
} // namespace Vorn
