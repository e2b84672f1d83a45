// Collision detection: once per step the detector sorts the root bodies by the distance of their
// bounding spheres from the origin and sweeps that order for overlapping bodies (broad phase),
// pairs their geometries by collision groups, keeps one pair collider per touching geometry pair
// in a hash table from step to step, and lets every pair collide and then respond.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {
namespace Physics {

class Body;
class Collider;
class Geometry;
class IBody;

// The prototype pair collider of each pair of geometry kinds and the released colliders of each
// pair, kept for reuse. Cells are numbered lo * 5 + hi for kinds lo <= hi.
class ColliderTable
{
public:
    static constexpr UInt32 kNumberOfKinds = 5;

    ColliderTable();
    ~ColliderTable();

    ColliderTable(const ColliderTable&) = delete;
    ColliderTable& operator=(const ColliderTable&) = delete;

    // Sphere-sphere, plane-sphere and mesh-sphere prototypes; always succeeds.
    Bool Init();
    // Destroys the released colliders, then each prototype once.
    void DeInit();

    // A released collider of the kinds of the two geometries, or a new clone of the prototype;
    // null for kinds without a collider.
    Collider* CreatePair(Geometry* first, Geometry* second);
    // Keeps the collider on the free list of its kinds.
    void ReleasePair(Collider* collider);

    // The prototype in cell first * 5 + second; null outside the table.
    const Collider* GetPrototype(UInt32 first, UInt32 second) const;
    UInt32 GetNumberOfReleased(UInt32 first, UInt32 second) const;

private:
    static UInt32 GetCell(UInt32 first, UInt32 second);

    Collider* mPrototypes[kNumberOfKinds * kNumberOfKinds];
    Collider* mReleased[kNumberOfKinds * kNumberOfKinds];
};

// The live pair colliders, hashed by the identifiers of their two geometries; the first
// geometry of a pair is the one with the smaller identifier.
class PairTable
{
public:
    static constexpr UInt32 kNumberOfBuckets = 251;

    explicit PairTable(ColliderTable* colliders);
    ~PairTable();

    PairTable(const PairTable&) = delete;
    PairTable& operator=(const PairTable&) = delete;

    // (second identifier << 16) | (first identifier & 0xFFFF).
    static UInt32 GetKey(const Geometry* first, const Geometry* second);
    static UInt32 GetBucket(UInt32 key) { return key % kNumberOfBuckets; }

    // The pair's collider, made when absent; null when the kinds have no collider.
    Collider* FindOrInsert(Geometry* first, Geometry* second);
    // Unlinks the collider and releases it to the collider table.
    void Remove(Collider* collider);
    // Releases every collider.
    void Clear();

    // Calls visit for every collider, bucket by bucket and along each chain; visit may remove
    // the collider it is given.
    template <typename Visit>
    void ForEach(Visit visit)
    {
        for (UInt32 bucket = 0; bucket < kNumberOfBuckets; ++bucket) {
            for (Collider* collider = mBuckets[bucket]; collider != nullptr;) {
                Collider* next = NextOf(collider);
                visit(collider);
                collider = next;
            }
        }
    }
    UInt32 GetNumberOfPairs();

private:
    static Collider* NextOf(Collider* collider);

    ColliderTable* mColliders;
    Collider* mBuckets[kNumberOfBuckets];
};

class CollisionDetector
{
public:
    // One end of a body's interval on the distance-from-origin axis.
    struct Endpoint
    {
        static constexpr UInt32 kBegin = 0;
        static constexpr UInt32 kEnd = 1;
        static constexpr UInt32 kPoint = 2;

        Body* mBody;
        Float mKey;
        UInt32 mKind;
    };

    // A body being swept and an active body whose bounding sphere it overlaps.
    struct BodyPair
    {
        Body* mFirst;
        Body* mSecond;
    };

    CollisionDetector();
    virtual ~CollisionDetector();

    CollisionDetector(const CollisionDetector&) = delete;
    CollisionDetector& operator=(const CollisionDetector&) = delete;

    Bool Init();
    // Releases the records, the pair table and the colliders.
    Bool DeInit();

    // Forgets last step's endpoints, body pairs and step bodies.
    void ResetCounts();
    void AddStepBody(Body* body);
    // Broad phase, pair maintenance, contacts and responses.
    void Run(Float dt);

    // Drops every pair of the geometry, or of any geometry that belongs to the body, so that
    // nothing reads them once they are destroyed.
    void RemovePairsOf(const Geometry* geometry);
    void RemovePairsOfBody(const IBody* body);

    PairTable* GetPairTable() { return mPairTable.get(); }
    ColliderTable* GetColliderTable() { return mColliderTable.get(); }
    SInt32 GetNumberOfBodyPairs() const { return mNumberOfBodyPairs; }
    const BodyPair& GetBodyPair(SInt32 position) const { return mBodyPairs[position]; }

private:
    void SweepBodies();
    void TestAgainstActive(Body* body, Body* active);
    void AddEndpoint(Body* body, Float key, UInt32 kind);
    void FindPairs();
    void ResolveContacts(Float dt);
    // The body's own geometries in attachment order, then its children's, depth first.
    static void CollectGeometries(const Body* body, Array<Geometry*>& geometries);

    Array<Body*> mStepBodies;
    Array<Endpoint> mEndpoints;
    SInt32 mNumberOfEndpoints;
    Array<BodyPair> mBodyPairs;
    SInt32 mNumberOfBodyPairs;
    std::unique_ptr<ColliderTable> mColliderTable;
    std::unique_ptr<PairTable> mPairTable;
    Array<Geometry*> mGeometriesA;
    Array<Geometry*> mGeometriesB;
};

} // namespace Physics
} // namespace Vorn
