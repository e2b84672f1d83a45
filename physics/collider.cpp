#include "physics/collider.h"

#include <cstring>
#include <new>

#include "foundation/array.h"
#include "physics/body.h"
#include "physics/geometry.h"
#include "physics/rigid_math.h"
#include "resource/collider.h"

namespace Vorn {
namespace Physics {

namespace {

// The mesh candidates of the current mesh query and the stack of its tree walk, shared by all
// mesh colliders: queries run one after another on the logic thread.
UInt32 gCandidates[ColliderMeshSphere::kMaxCandidates];
UInt32 gNumberOfCandidates = 0;
Array<SInt32> gTreeStack;

Body* BodyOf(Geometry* geometry)
{
    return static_cast<Body*>(geometry->GetBody());
}

Math::Vector<float> PendingForceOf(Geometry* geometry)
{
    const Body* root = static_cast<const Body*>(geometry->GetRootBody());
    return root != nullptr ? root->GetPendingForce() : Math::Vector<float>();
}

// The geometry of the pair that has the kind, the other one otherwise.
Geometry* PickKind(Geometry* first, Geometry* second, UInt32 kind)
{
    return first->GetKind() == kind ? first : second;
}

// Whether two spheres overlap: the squared distance of the centres below the squared sum of the
// radii (touching is apart).
Bool SpheresOverlap(const Math::Vector<float>& a, Float ra, const Math::Vector<float>& b, Float rb)
{
    const Float sum = ra + rb;
    return LengthSquared(b - a) - sum * sum < 0.0f;
}

} // namespace

Collider::Collider()
    : mNext(nullptr),
      mPrevious(nullptr),
      mFirst(nullptr),
      mSecond(nullptr),
      mFirstKind(3),
      mSecondKind(3),
      mCounts{0, 0},
      mCurrentList(0),
      mPreviousList(1)
{
    std::memset(static_cast<void*>(mLists), 0, sizeof(mLists));
}

Collider::~Collider()
{
}

void Collider::BeginContacts()
{
    mCurrentList ^= 1u;
    mPreviousList ^= 1u;
    mCounts[mCurrentList] = 0;
}

Contact* Collider::AppendContact()
{
    UInt32& count = mCounts[mCurrentList];
    if (count >= kMaxContacts)
        return nullptr;
    Contact* contact = &mLists[mCurrentList][count++];
    std::memset(static_cast<void*>(contact), 0, sizeof(Contact));
    return contact;
}

void Collider::Respond(Float dt)
{
    const UInt32 count = mCounts[mCurrentList];
    if (count == 0 || !(dt > 0.0f))
        return;
    const Float share = 1.0f / Float(count);
    const Float h = 0.005f / dt;
    for (UInt32 i = 0; i < count; ++i) {
        Contact& contact = mLists[mCurrentList][i];
        if (!contact.mActive)
            continue;
        Body* bodyA = BodyOf(contact.mGeometries[0]);
        Body* bodyB = BodyOf(contact.mGeometries[1]);
        if (bodyA == nullptr || bodyB == nullptr)
            continue;
        const Float inverseA = bodyA->GetInverseMass();
        const Float inverseB = bodyB->GetInverseMass();
        const Bool respondsA = (bodyA->GetResponseGroups() & bodyB->GetTriggerGroups()) != 0 && inverseA > 0.0f;
        const Bool respondsB = (bodyB->GetResponseGroups() & bodyA->GetTriggerGroups()) != 0 && inverseB > 0.0f;
        if (!respondsA && !respondsB)
            continue;

        const Math::Vector<float>& n = contact.mNormal;
        const Math::Vector<float>& displacementA = contact.mDisplacements[0];
        const Math::Vector<float>& displacementB = contact.mDisplacements[1];
        const Float approach = (displacementA - displacementB).Dot(n);
        const Float spring = bodyA->GetContactSpringConstant() * bodyB->GetContactSpringConstant();
        const Float damping = bodyA->GetContactDampingConstant() * bodyB->GetContactDampingConstant();
        const Math::Vector<float> normalForce = n * (approach * damping * h - contact.mDepth * spring * h);
        // Weights only of bodies that respond, so that an immovable partner never yields inf * 0.
        const Float together = 1.0f / (inverseA + inverseB);
        const Float weightA = respondsA ? bodyA->GetMass() * inverseA * together : 0.0f;
        const Float weightB = respondsB ? bodyB->GetMass() * inverseB * together : 0.0f;
        Math::Vector<float> forceA = respondsA ? -(normalForce * weightA) : Math::Vector<float>();
        Math::Vector<float> forceB = respondsB ? normalForce * weightB : Math::Vector<float>();

        const Float dynamicFriction = bodyA->GetDynamicFrictionConstant() * bodyB->GetDynamicFrictionConstant() * h;
        const Float staticFriction = bodyA->GetStaticFrictionConstant() * bodyB->GetStaticFrictionConstant() * h;
        if (approach <= 0.0f || approach * dt + contact.mDepth <= 0.0f) {
            Math::Vector<float> relative = contact.mPendingForces[0] - contact.mPendingForces[1];
            relative.w = 0.0f;
            const Float normalPart = relative.Dot(n);
            Math::Vector<float> tangential = relative - n * normalPart;
            tangential.w = 0.0f;

            Math::Vector<float> velocity;
            if (respondsA)
                velocity += displacementA * (weightA / dt);
            if (respondsB)
                velocity -= displacementB * (weightB / dt);
            const Float normalLength = Length(n);
            const Math::Vector<float> unit = normalLength > 0.0f ? n * (1.0f / normalLength) : n;
            Math::Vector<float> sliding = velocity - unit * velocity.Dot(n);
            sliding.w = velocity.w;

            const Bool stuck = contact.mStuck != 0;
            const Float mu = stuck ? staticFriction : dynamicFriction;
            const Float compared = stuck ? LengthSquared(tangential) : LengthSquared(sliding);
            if (!contact.mMayStick || mu * mu * normalPart * normalPart <= compared) {
                const Math::Vector<float> friction = sliding * dynamicFriction;
                if (respondsA)
                    forceA -= friction;
                if (respondsB)
                    forceB += friction;
            } else {
                contact.mStuck = 1;
                Math::Vector<float> pull = (contact.mWorldPoints[0] - contact.mWorldPoints[1]) * (h * h * 100.0f);
                Math::Vector<float> hold = (displacementA - displacementB) * (h * h * 1500.0f);
                if (respondsA) {
                    pull *= bodyA->GetClampSpringConstant();
                    hold *= bodyA->GetClampDampingConstant();
                    forceA -= (pull + hold) * weightA;
                }
                if (respondsB) {
                    pull *= bodyB->GetClampSpringConstant();
                    hold *= bodyB->GetClampDampingConstant();
                    forceB += (pull + hold) * weightB;
                }
            }
        } else {
            contact.mStuck = 0;
        }

        if (respondsA) {
            Body* root = static_cast<Body*>(contact.mGeometries[0]->GetRootBody());
            if (root != nullptr)
                root->AddForceAtPointWorldWorld(contact.mWorldPoints[0], forceA * share);
            if (bodyA->GetReportCollisions() && bodyA->GetCollisionListener() != nullptr) {
                const Math::Vector<float> point = contact.mWorldPoints[0];
                bodyA->GetCollisionListener()->Respond(bodyB->GetCollisionListener(), point);
            }
        }
        if (respondsB) {
            Body* root = static_cast<Body*>(contact.mGeometries[1]->GetRootBody());
            if (root != nullptr)
                root->AddForceAtPointWorldWorld(contact.mWorldPoints[1], forceB * share);
            if (bodyB->GetReportCollisions() && bodyB->GetCollisionListener() != nullptr) {
                const Math::Vector<float> point = contact.mWorldPoints[1];
                bodyB->GetCollisionListener()->Respond(bodyA->GetCollisionListener(), point);
            }
        }
    }
}

Collider* ColliderSphereSphere::Clone() const
{
    return new (std::nothrow) ColliderSphereSphere();
}

void ColliderSphereSphere::Collide()
{
    BeginContacts();
    SphereGeometry* a = static_cast<SphereGeometry*>(mFirst);
    SphereGeometry* b = static_cast<SphereGeometry*>(mSecond);
    const Math::Vector<float>& centreA = a->GetBoundingSphereCentre();
    const Math::Vector<float>& centreB = b->GetBoundingSphereCentre();
    const Float radiusA = a->GetBoundingSphereRadius();
    const Float radiusB = b->GetBoundingSphereRadius();
    if (!SpheresOverlap(centreA, radiusA, centreB, radiusB))
        return;
    Math::Vector<float> offset = centreB - centreA;
    offset.w = 0.0f;
    const Float distance = Length(offset);
    // Coincident centres give no direction; push them apart along the world y axis.
    const Math::Vector<float> n = distance > 0.0f ? offset * (1.0f / distance) : Math::Vector<float>(0.0f, 1.0f, 0.0f, 0.0f);
    Contact* contact = AppendContact();
    if (contact == nullptr)
        return;
    contact->mNormal = n;
    contact->mWorldPoints[0] = centreA + n * radiusA;
    contact->mWorldPoints[0].w = centreA.w;
    contact->mWorldPoints[1] = centreB - n * radiusB;
    contact->mWorldPoints[1].w = centreB.w;
    contact->mLocalPoints[0] = a->GetInverseWorldMatrix() * contact->mWorldPoints[0];
    contact->mLocalPoints[1] = b->GetInverseWorldMatrix() * contact->mWorldPoints[1];
    contact->mDisplacements[0] = a->GetLinearDisplacement();
    contact->mDisplacements[1] = b->GetLinearDisplacement();
    contact->mPendingForces[0] = PendingForceOf(a);
    contact->mPendingForces[1] = PendingForceOf(b);
    contact->mDepth = distance - (radiusA + radiusB);
    contact->mGeometries[0] = a;
    contact->mGeometries[1] = b;
    contact->mActive = true;
}

Collider* ColliderPlaneSphere::Clone() const
{
    return new (std::nothrow) ColliderPlaneSphere();
}

void ColliderPlaneSphere::Collide()
{
    BeginContacts();
    SphereGeometry* sphere = static_cast<SphereGeometry*>(PickKind(mFirst, mSecond, Geometry::kSphere));
    PlaneGeometry* plane = static_cast<PlaneGeometry*>(PickKind(mFirst, mSecond, Geometry::kPlane));
    const Float radius = sphere->GetRadius();
    const Math::Vector<float>& n = plane->GetNormal();
    const Math::Vector<float>& centre = sphere->GetBoundingSphereCentre();
    const Float separation = n.Dot(centre - plane->GetBoundingSphereCentre()) - radius;
    if (!(separation < 0.0f))
        return;
    Contact* contact = AppendContact();
    if (contact == nullptr)
        return;
    const Float distance = separation + radius;
    contact->mNormal = n;
    contact->mWorldPoints[0] = centre - n * radius;
    contact->mWorldPoints[1] = centre - n * distance;
    contact->mDisplacements[0] = sphere->GetLinearDisplacement() - sphere->GetAngularDisplacement().Cross(n * radius);
    contact->mDisplacements[0].w = sphere->GetLinearDisplacement().w;
    contact->mDisplacements[1] = plane->GetLinearDisplacement();
    contact->mDepth = -separation;
    contact->mGeometries[0] = sphere;
    contact->mGeometries[1] = plane;
    contact->mActive = true;
}

ColliderMeshSphere::ColliderMeshSphere() : mQueryRadius(0.0f), mNodes(nullptr), mLeaves(nullptr)
{
}

Collider* ColliderMeshSphere::Clone() const
{
    return new (std::nothrow) ColliderMeshSphere();
}

void ColliderMeshSphere::FindCandidates()
{
    gNumberOfCandidates = 0;
    gTreeStack.SetCount(0);
    gTreeStack.Add(0);
    while (!gTreeStack.IsEmpty()) {
        const SInt32 index = gTreeStack.GetLast();
        gTreeStack.SetCount(gTreeStack.GetCount() - 1);
        if (index >= 0) {
            const Resource::ColliderNode& node = mNodes[index];
            const Math::Vector<float> centre(node.centre[0], node.centre[1], node.centre[2], 0.0f);
            if (!SpheresOverlap(mQueryCentre, mQueryRadius, centre, node.radius))
                continue;
            // The second child waits below the first, so the walk goes first child first.
            gTreeStack.Add(node.children[1]);
            gTreeStack.Add(node.children[0]);
            continue;
        }
        const UInt32 leafIndex = UInt32(-(SInt64(index) + 1));
        const Resource::ColliderLeaf& leaf = mLeaves[leafIndex];
        const Math::Vector<float> centre(leaf.centre[0], leaf.centre[1], leaf.centre[2], 0.0f);
        if (!SpheresOverlap(mQueryCentre, mQueryRadius, centre, leaf.radius))
            continue;
        if (gNumberOfCandidates == kMaxCandidates)
            return;
        gCandidates[gNumberOfCandidates++] = leafIndex;
    }
}

void ColliderMeshSphere::Collide()
{
    BeginContacts();
    SphereGeometry* sphere = static_cast<SphereGeometry*>(PickKind(mFirst, mSecond, Geometry::kSphere));
    MeshGeometry* mesh = static_cast<MeshGeometry*>(PickKind(mFirst, mSecond, Geometry::kMesh));
    const Resource::ICollider* resource = mesh->GetCollider();
    if (resource == nullptr)
        return;
    mNodes = resource->GetNodes();
    mLeaves = resource->GetLeaves();
    const Float* vertices = resource->GetVertices();
    const Math::Matrix<float>& meshWorld = mesh->GetWorldMatrix();
    const Float r = sphere->GetRadius();
    const Math::Vector<float> q = mesh->GetInverseWorldMatrix() * Translation(sphere->GetWorldMatrix());
    mQueryCentre = Math::Vector<float>(q.x, q.y, q.z, 0.0f);
    mQueryRadius = r;
    FindCandidates();

    const Contact* previous = GetPreviousContacts();
    const UInt32 previousCount = GetNumberOfPreviousContacts();
    for (UInt32 k = 0; k < gNumberOfCandidates; ++k) {
        const Resource::ColliderLeaf& leaf = mLeaves[gCandidates[k]];
        auto vertex = [vertices](UInt32 number) {
            const Float* v = vertices + 4 * number;
            return Math::Vector<float>(v[0], v[1], v[2], 0.0f);
        };
        const SInt32 numbers[3] = {SInt32(leaf.vertices[0]), SInt32(leaf.vertices[1]), SInt32(leaf.vertices[2])};
        const Math::Vector<float> corners[3] = {vertex(leaf.vertices[0]), vertex(leaf.vertices[1]),
                                                vertex(leaf.vertices[2])};
        const Math::Vector<float> faceNormal(leaf.normal[0], leaf.normal[1], leaf.normal[2], 0.0f);
        const Math::Vector<float> fromCorner = mQueryCentre - corners[0];
        const Float height = faceNormal.Dot(fromCorner);
        if (!(-r <= height && height - r < 0.0f))
            continue;

        const Math::Vector<float> inPlane = fromCorner - faceNormal * height;
        Float p1;
        Float p2;
        if (leaf.axis == 1) {
            p1 = inPlane.x;
            p2 = inPlane.z;
        } else if (leaf.axis == 2) {
            p1 = inPlane.x;
            p2 = inPlane.y;
        } else {
            p1 = inPlane.y;
            p2 = inPlane.z;
        }
        const Float* m = leaf.barycentric;
        const Float u = m[0] * p2 + m[1] * p1;
        const Float v = m[2] * p2 + m[3] * p1;

        UInt32 feature;
        Math::Vector<float> normal;
        Float separation;
        SInt32 featureVertices[3] = {-1, -1, -1};
        if (v > 0.0f && u + v < 1.0f && u > 0.0f) {
            feature = Contact::kFace;
            normal = faceNormal;
            separation = height - r;
            for (UInt32 i = 0; i < 3; ++i)
                featureVertices[i] = numbers[i];
        } else {
            UInt32 from;
            UInt32 to;
            if (v > 0.0f) {
                from = u + v >= 1.0f ? 1 : 2;
                to = u + v >= 1.0f ? 2 : 0;
            } else {
                from = 0;
                to = 1;
            }
            const Math::Vector<float> edge = corners[to] - corners[from];
            const Math::Vector<float> fromStart = mQueryCentre - corners[from];
            const Float t = fromStart.Dot(edge);
            const Float edgeSquared = LengthSquared(edge);
            Math::Vector<float> away;
            if (t > 0.0f && t < edgeSquared) {
                feature = Contact::kEdge;
                away = fromStart - edge * (t / edgeSquared);
                featureVertices[0] = numbers[from];
                featureVertices[1] = numbers[to];
            } else {
                const UInt32 corner = t >= edgeSquared ? to : from;
                feature = Contact::kVertex;
                away = mQueryCentre - corners[corner];
                featureVertices[0] = numbers[corner];
            }
            const Float awaySquared = LengthSquared(away);
            if (!(awaySquared - r * r < 0.0f))
                continue;
            const Float distance = Math::Sqrt(awaySquared);
            separation = distance - r;
            // A centre exactly on the edge or corner has no direction of its own: take the face's.
            normal = distance > 0.0f ? away * (1.0f / distance) : faceNormal;
        }

        Contact* contact = AppendContact();
        if (contact == nullptr)
            break;
        const Math::Vector<float> queryPoint(mQueryCentre.x, mQueryCentre.y, mQueryCentre.z, 1.0f);
        const Math::Vector<float> meshPoint = queryPoint - normal * (separation + r);
        Math::Vector<float> worldNormal = Rotate(meshWorld, normal);
        const Float worldLength = Length(worldNormal);
        if (worldLength > 0.0f)
            worldNormal *= 1.0f / worldLength;
        contact->mNormal = Math::Vector<float>(-worldNormal.x, -worldNormal.y, -worldNormal.z, -0.0f);
        contact->mWorldPoints[0] = meshWorld * (queryPoint - normal * r);
        contact->mWorldPoints[1] = meshWorld * meshPoint;
        contact->mLocalPoints[0] = sphere->GetInverseWorldMatrix() * contact->mWorldPoints[0];
        contact->mLocalPoints[1] = meshPoint;
        contact->mDisplacements[0] =
            sphere->GetLinearDisplacement() - sphere->GetAngularDisplacement().Cross(worldNormal * r);
        contact->mDisplacements[0].w = sphere->GetLinearDisplacement().w;
        contact->mDisplacements[1] = mesh->GetLinearDisplacement();
        contact->mPendingForces[0] = PendingForceOf(sphere);
        contact->mPendingForces[1] = PendingForceOf(mesh);
        contact->mDepth = separation;
        contact->mCandidate = k;
        contact->mReserved = 0;
        contact->mFeature = feature;
        for (UInt32 i = 0; i < 3; ++i)
            contact->mVertices[i] = featureVertices[i];
        contact->mGeometries[0] = sphere;
        contact->mGeometries[1] = mesh;
        contact->mActive = true;
        contact->mMayStick = feature == Contact::kFace;
        contact->mStuck = 0;
        // A face contact that stuck last step keeps pulling towards where it stuck.
        for (UInt32 i = 0; i < previousCount; ++i) {
            const Contact& old = previous[i];
            if (old.mActive && old.mStuck > 0 && old.mCandidate == k && old.mReserved == 0 &&
                old.mFeature == Contact::kFace) {
                contact->mLocalPoints[0] = old.mLocalPoints[0];
                contact->mLocalPoints[1] = old.mLocalPoints[1];
                contact->mWorldPoints[1] = meshWorld * old.mLocalPoints[1];
                contact->mStuck = 1;
                break;
            }
        }
    }
    PruneContacts();
}

void ColliderMeshSphere::PruneContacts()
{
    Contact* contacts = GetCurrentContacts();
    const UInt32 count = GetNumberOfContacts();
    auto holds = [](const Contact& contact, UInt32 used, SInt32 vertex) {
        for (UInt32 i = 0; i < used; ++i) {
            if (contact.mVertices[i] == vertex)
                return true;
        }
        return false;
    };
    for (UInt32 i = 0; i < count; ++i) {
        const Contact& covering = contacts[i];
        if (!covering.mActive || covering.mFeature == Contact::kVertex)
            continue;
        const UInt32 coveringVertices = covering.mFeature == Contact::kFace ? 3 : 2;
        for (UInt32 j = 0; j < count; ++j) {
            Contact& other = contacts[j];
            if (!other.mActive || other.mFeature <= covering.mFeature)
                continue;
            const UInt32 otherVertices = other.mFeature == Contact::kEdge ? 2 : 1;
            for (UInt32 v = 0; v < otherVertices; ++v) {
                if (holds(covering, coveringVertices, other.mVertices[v])) {
                    other.mActive = false;
                    break;
                }
            }
        }
    }
}

} // namespace Physics
} // namespace Vorn
