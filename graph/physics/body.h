// Body nodes place one rigid body of the physics simulator in a scene graph. Each logic step the
// node registers the body, so that collider, field and spring nodes below attach to it, and
// hands its sub-graph the body's simulated pose as an absolute transform.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/body.h"
#include "graph/transform/transform.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Graph {

class Body : public Transform, public IBody
{
public:
    // Collects the collisions of one step for program code.
    class Event : public IBodyEvent
    {
    public:
        Event();
        ~Event() override;
        void Clear() override;
        UInt32 GetNumberOfCollisions() const override;
        const BodyCollision* GetCollision(UInt32 index) const override;
        IBody* GetCollisionBody(UInt32 index) const override;
        void Add(const Math::Vector<float>& contact, IBody* other);

    private:
        // Cleared by count, so the records are allocated once.
        Array<BodyCollision> mCollisions;
    };

    // The body's collision listener: hands each response to every event of its node.
    class CollidableResponseTarget : public ICollidable
    {
    public:
        explicit CollidableResponseTarget(Body* body) : mBody(body) {}
        void Respond(ICollidable* other, const Math::Vector<float>& contact) override;
        Body* GetBody() const { return mBody; }

    private:
        Body* mBody;
    };

    Body();
    ~Body() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void SetMass(Float mass) override;
    Float GetMass() const override;
    void SetInverseMass(Float inverseMass) override;
    Float GetInverseMass() const override;
    void AddForceAtPointLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceAtPointLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceAtPointWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceAtPointWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddForceWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddTorqueAtPointLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddTorqueAtPointLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddTorqueAtPointWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    void AddTorqueAtPointWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) override;
    IBodyEvent* CreateEvent() override;
    void DestroyEvent(IBodyEvent* event) override;
    Math::Vector<float> GetLinearMomentum() const override;
    Math::Vector<float> GetAngularMomentum() const override;
    Math::Vector<float> GetLinearVelocity() const override;
    Math::Vector<float> GetAngularVelocity() const override;

    // The physics body; null before Init.
    Physics::IBody* GetBodyObject() const { return mBodyObject; }
    // The body's pose, written by the simulator after each step.
    const Math::Matrix<float>& GetWorldMatrix() const { return mWorldMatrix; }
    UInt32 GetTriggerGroups() const { return mTriggerGroups; }
    UInt32 GetResponseGroups() const { return mResponseGroups; }
    const Array<Event*>& GetEvents() const { return mEvents; }

protected:
    // Resolves the mass, creates and configures the physics body.
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    // Re-places the body when the node's transform changed, clears the events and registers the
    // body; the sub-graph is pushed at the body's pose.
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    UInt32 mTriggerGroups;
    UInt32 mResponseGroups;
    Float mMass;
    Float mInverseMass;
    Float mDragCoefficient;
    Math::Vector<float> mSize;
    Float mDynamicFrictionConstant;
    Float mStaticFrictionConstant;
    Float mRollingFrictionConstant;
    Float mContactSpringConstant;
    Float mContactDampingConstant;
    Float mClampSpringConstant;
    Float mClampDampingConstant;
    Bool mForceEffectEnabled;
    Bool mTorqueEffectEnabled;
    Physics::IBody* mBodyObject;
    Math::Matrix<float> mWorldMatrix;
    std::unique_ptr<CollidableResponseTarget> mResponseTarget;
    Array<Event*> mEvents;
    // What the logic self step registered, for the children step to undo.
    Physics::ISimulator* mRegisteredWith;
    Bool mDepthOrderPushed;
};

} // namespace Graph
} // namespace Vorn
