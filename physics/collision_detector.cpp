#include "physics/collision_detector.h"

#include <algorithm>
#include <new>

#include "physics/body.h"
#include "physics/collider.h"
#include "physics/geometry.h"
#include "physics/rigid_math.h"

namespace Vorn {
namespace Physics {

namespace {

Bool BoundingSpheresOverlap(const Math::Vector<float>& a, Float ra, const Math::Vector<float>& b, Float rb)
{
    const Float sum = ra + rb;
    return LengthSquared(a - b) - sum * sum < 0.0f;
}

// Ascending keys; a NaN key (a body thrown to no place) sorts last, so the order stays strict.
Bool KeyBefore(const CollisionDetector::Endpoint& a, const CollisionDetector::Endpoint& b)
{
    if (a.mKey != a.mKey)
        return false;
    return b.mKey != b.mKey || a.mKey < b.mKey;
}

} // namespace

ColliderTable::ColliderTable()
{
    for (UInt32 i = 0; i < kNumberOfKinds * kNumberOfKinds; ++i) {
        mPrototypes[i] = nullptr;
        mReleased[i] = nullptr;
    }
}

ColliderTable::~ColliderTable()
{
    DeInit();
}

UInt32 ColliderTable::GetCell(UInt32 first, UInt32 second)
{
    return first * kNumberOfKinds + second;
}

Bool ColliderTable::Init()
{
    mPrototypes[GetCell(Geometry::kSphere, Geometry::kSphere)] = new ColliderSphereSphere();
    Collider* planeSphere = new ColliderPlaneSphere();
    mPrototypes[GetCell(Geometry::kPlane, Geometry::kSphere)] = planeSphere;
    mPrototypes[GetCell(Geometry::kSphere, Geometry::kPlane)] = planeSphere;
    Collider* meshSphere = new ColliderMeshSphere();
    mPrototypes[GetCell(Geometry::kMesh, Geometry::kSphere)] = meshSphere;
    mPrototypes[GetCell(Geometry::kSphere, Geometry::kMesh)] = meshSphere;
    return true;
}

void ColliderTable::DeInit()
{
    for (Collider*& head : mReleased) {
        while (head != nullptr) {
            Collider* next = head->mNext;
            delete head;
            head = next;
        }
    }
    // A prototype stands in both mirrored cells; only the cells with lo <= hi own it.
    for (UInt32 lo = 0; lo < kNumberOfKinds; ++lo) {
        for (UInt32 hi = lo; hi < kNumberOfKinds; ++hi) {
            delete mPrototypes[GetCell(lo, hi)];
            mPrototypes[GetCell(lo, hi)] = nullptr;
            mPrototypes[GetCell(hi, lo)] = nullptr;
        }
    }
}

Collider* ColliderTable::CreatePair(Geometry* first, Geometry* second)
{
    const UInt32 lo = std::min(first->GetKind(), second->GetKind());
    const UInt32 hi = std::max(first->GetKind(), second->GetKind());
    if (hi >= kNumberOfKinds)
        return nullptr;
    const UInt32 cell = GetCell(lo, hi);
    Collider* collider = mReleased[cell];
    if (collider != nullptr) {
        mReleased[cell] = collider->mNext;
        collider->mNext = nullptr;
        collider->mPrevious = nullptr;
    } else if (mPrototypes[cell] != nullptr) {
        collider = mPrototypes[cell]->Clone();
    }
    if (collider == nullptr)
        return nullptr;
    collider->mFirst = first;
    collider->mSecond = second;
    collider->mFirstKind = first->GetKind();
    collider->mSecondKind = second->GetKind();
    return collider;
}

void ColliderTable::ReleasePair(Collider* collider)
{
    const UInt32 cell = GetCell(std::min(collider->mFirstKind, collider->mSecondKind),
                                std::max(collider->mFirstKind, collider->mSecondKind));
    collider->mPrevious = nullptr;
    collider->mNext = mReleased[cell];
    mReleased[cell] = collider;
}

const Collider* ColliderTable::GetPrototype(UInt32 first, UInt32 second) const
{
    if (first >= kNumberOfKinds || second >= kNumberOfKinds)
        return nullptr;
    return mPrototypes[GetCell(first, second)];
}

UInt32 ColliderTable::GetNumberOfReleased(UInt32 first, UInt32 second) const
{
    UInt32 count = 0;
    for (const Collider* collider = mReleased[GetCell(std::min(first, second), std::max(first, second))];
         collider != nullptr; collider = collider->mNext)
        ++count;
    return count;
}

PairTable::PairTable(ColliderTable* colliders) : mColliders(colliders)
{
    for (Collider*& bucket : mBuckets)
        bucket = nullptr;
}

PairTable::~PairTable()
{
    Clear();
}

UInt32 PairTable::GetKey(const Geometry* first, const Geometry* second)
{
    return (second->GetIdentifier() << 16) | (first->GetIdentifier() & 0xFFFFu);
}

Collider* PairTable::NextOf(Collider* collider)
{
    return collider->mNext;
}

Collider* PairTable::FindOrInsert(Geometry* first, Geometry* second)
{
    if (second->GetIdentifier() < first->GetIdentifier())
        std::swap(first, second);
    const UInt32 bucket = GetBucket(GetKey(first, second));
    // Keys of identifiers that differ only above bit 15 collide; the geometries decide.
    for (Collider* collider = mBuckets[bucket]; collider != nullptr; collider = collider->mNext) {
        if (collider->mFirst == first && collider->mSecond == second)
            return collider;
    }
    Collider* collider = mColliders->CreatePair(first, second);
    if (collider == nullptr)
        return nullptr;
    collider->mPrevious = nullptr;
    collider->mNext = mBuckets[bucket];
    if (mBuckets[bucket] != nullptr)
        mBuckets[bucket]->mPrevious = collider;
    mBuckets[bucket] = collider;
    return collider;
}

void PairTable::Remove(Collider* collider)
{
    if (collider->mPrevious != nullptr)
        collider->mPrevious->mNext = collider->mNext;
    else
        mBuckets[GetBucket(GetKey(collider->mFirst, collider->mSecond))] = collider->mNext;
    if (collider->mNext != nullptr)
        collider->mNext->mPrevious = collider->mPrevious;
    collider->mNext = nullptr;
    collider->mPrevious = nullptr;
    mColliders->ReleasePair(collider);
}

void PairTable::Clear()
{
    for (Collider*& head : mBuckets) {
        while (head != nullptr) {
            Collider* next = head->mNext;
            mColliders->ReleasePair(head);
            head = next;
        }
    }
}

UInt32 PairTable::GetNumberOfPairs()
{
    UInt32 count = 0;
    ForEach([&count](Collider*) { ++count; });
    return count;
}

CollisionDetector::CollisionDetector() : mNumberOfEndpoints(0), mNumberOfBodyPairs(0)
{
}

CollisionDetector::~CollisionDetector()
{
    DeInit();
}

Bool CollisionDetector::Init()
{
    mColliderTable.reset(new ColliderTable());
    mColliderTable->Init();
    mPairTable.reset(new PairTable(mColliderTable.get()));
    return true;
}

Bool CollisionDetector::DeInit()
{
    mEndpoints.Clear();
    mNumberOfEndpoints = 0;
    mBodyPairs.Clear();
    mNumberOfBodyPairs = 0;
    mStepBodies.Clear();
    // The pair table hands its colliders to the collider table, which destroys them.
    mPairTable.reset();
    mColliderTable.reset();
    return true;
}

void CollisionDetector::ResetCounts()
{
    mNumberOfEndpoints = 0;
    mNumberOfBodyPairs = 0;
    mStepBodies.SetCount(0);
}

void CollisionDetector::AddStepBody(Body* body)
{
    mStepBodies.Add(body);
}

void CollisionDetector::Run(Float dt)
{
    if (mPairTable == nullptr)
        return;
    SweepBodies();
    FindPairs();
    ResolveContacts(dt);
}

void CollisionDetector::AddEndpoint(Body* body, Float key, UInt32 kind)
{
    if (mNumberOfEndpoints == mEndpoints.GetCount())
        mEndpoints.Add(Endpoint());
    mEndpoints[mNumberOfEndpoints++] = Endpoint{body, key, kind};
}

void CollisionDetector::SweepBodies()
{
    mNumberOfEndpoints = 0;
    if (mStepBodies.IsEmpty())
        return;
    for (Body* body : mStepBodies) {
        const Float distance = Length(body->GetBoundingSphereCentre());
        const Float radius = body->GetBoundingSphereRadius();
        if (radius == 0.0f) {
            AddEndpoint(body, distance, Endpoint::kPoint);
        } else {
            AddEndpoint(body, distance - radius, Endpoint::kBegin);
            AddEndpoint(body, distance + radius, Endpoint::kEnd);
        }
    }
    mStepBodies.SetCount(0);
    std::sort(mEndpoints.begin(), mEndpoints.begin() + mNumberOfEndpoints, &KeyBefore);

    Body* head = nullptr;
    for (SInt32 i = 0; i < mNumberOfEndpoints; ++i) {
        const Endpoint& endpoint = mEndpoints[i];
        Body* body = endpoint.mBody;
        switch (endpoint.mKind) {
        case Endpoint::kBegin:
            TestAgainstActive(body, head);
            body->mBroadPhasePrevious = nullptr;
            body->mBroadPhaseNext = head;
            if (head != nullptr)
                head->mBroadPhasePrevious = body;
            head = body;
            break;
        case Endpoint::kEnd:
            if (body->mBroadPhasePrevious != nullptr)
                body->mBroadPhasePrevious->mBroadPhaseNext = body->mBroadPhaseNext;
            else if (head == body)
                head = body->mBroadPhaseNext;
            if (body->mBroadPhaseNext != nullptr)
                body->mBroadPhaseNext->mBroadPhasePrevious = body->mBroadPhasePrevious;
            body->mBroadPhaseNext = nullptr;
            body->mBroadPhasePrevious = nullptr;
            break;
        default:
            TestAgainstActive(body, head);
            break;
        }
    }
    // Intervals whose end sorted before their begin (NaN bounds) leave no links behind.
    for (Body* active = head; active != nullptr;) {
        Body* next = active->mBroadPhaseNext;
        active->mBroadPhaseNext = nullptr;
        active->mBroadPhasePrevious = nullptr;
        active = next;
    }
    mNumberOfEndpoints = 0;
}

void CollisionDetector::TestAgainstActive(Body* body, Body* active)
{
    for (; active != nullptr; active = active->mBroadPhaseNext) {
        if (!BoundingSpheresOverlap(active->GetBoundingSphereCentre(), active->GetBoundingSphereRadius(),
                                    body->GetBoundingSphereCentre(), body->GetBoundingSphereRadius()))
            continue;
        if (mNumberOfBodyPairs == mBodyPairs.GetCount())
            mBodyPairs.Add(BodyPair());
        mBodyPairs[mNumberOfBodyPairs++] = BodyPair{body, active};
    }
}

void CollisionDetector::CollectGeometries(const Body* body, Array<Geometry*>& geometries)
{
    for (Geometry* geometry : body->GetGeometries())
        geometries.Add(geometry);
    for (const Body* child : body->GetChildren())
        CollectGeometries(child, geometries);
}

void CollisionDetector::FindPairs()
{
    mPairTable->ForEach([this](Collider* collider) {
        if (!BoundingSpheresOverlap(collider->mFirst->GetBoundingSphereCentre(),
                                    collider->mFirst->GetBoundingSphereRadius(),
                                    collider->mSecond->GetBoundingSphereCentre(),
                                    collider->mSecond->GetBoundingSphereRadius()))
            mPairTable->Remove(collider);
    });
    for (SInt32 i = 0; i < mNumberOfBodyPairs; ++i) {
        mGeometriesA.SetCount(0);
        mGeometriesB.SetCount(0);
        CollectGeometries(mBodyPairs[i].mFirst, mGeometriesA);
        CollectGeometries(mBodyPairs[i].mSecond, mGeometriesB);
        for (Geometry* a : mGeometriesA) {
            const IBody* bodyA = a->GetBody();
            for (Geometry* b : mGeometriesB) {
                const IBody* bodyB = b->GetBody();
                if (a == b || bodyA == nullptr || bodyB == nullptr)
                    continue;
                if ((bodyA->GetTriggerGroups() & bodyB->GetResponseGroups()) != 0 ||
                    (bodyB->GetTriggerGroups() & bodyA->GetResponseGroups()) != 0)
                    mPairTable->FindOrInsert(a, b);
            }
        }
    }
}

void CollisionDetector::ResolveContacts(Float dt)
{
    mPairTable->ForEach([](Collider* collider) { collider->Collide(); });
    mPairTable->ForEach([dt](Collider* collider) { collider->Respond(dt); });
}

void CollisionDetector::RemovePairsOf(const Geometry* geometry)
{
    if (mPairTable == nullptr)
        return;
    mPairTable->ForEach([this, geometry](Collider* collider) {
        if (collider->mFirst == geometry || collider->mSecond == geometry)
            mPairTable->Remove(collider);
    });
}

void CollisionDetector::RemovePairsOfBody(const IBody* body)
{
    if (mPairTable == nullptr)
        return;
    auto involves = [body](Geometry* geometry) {
        return geometry->GetBody() == body || geometry->GetRootBody() == body;
    };
    mPairTable->ForEach([this, &involves](Collider* collider) {
        if (involves(collider->mFirst) || involves(collider->mSecond))
            mPairTable->Remove(collider);
    });
}

} // namespace Physics
} // namespace Vorn
