// What program code sees of a physics body node: its mass, the forces and torques it adds for
// the next simulation step, its state vectors, and events that collect the collisions of a step.
#pragma once

#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace Graph {

class IBody;

// One collision response of a step: the contact point (world) and the other body, null when the
// other party belongs to no body node.
struct BodyCollision
{
    Math::Vector<float> mContact;
    IBody* mBody;
};

class IBodyEvent
{
public:
    virtual void Clear() = 0;
    virtual UInt32 GetNumberOfCollisions() const = 0;
    // Null when index is not below the number of collisions.
    virtual const BodyCollision* GetCollision(UInt32 index) const = 0;
    virtual IBody* GetCollisionBody(UInt32 index) const = 0;
    virtual ~IBodyEvent() {}
};

class IBody
{
public:
    // The node's mass; the physics body takes its inverse only at Init.
    virtual void SetMass(Float mass) = 0;
    virtual Float GetMass() const = 0;
    virtual void SetInverseMass(Float inverseMass) = 0;
    virtual Float GetInverseMass() const = 0;

    // Forces and torques for the next step, each (position, force), forwarded to the physics
    // body; the suffix names the frame of the position, then of the force. Nothing happens before
    // Init.
    virtual void AddForceAtPointLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceAtPointWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddForceWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointLocalLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointLocalWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointWorldLocal(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;
    virtual void AddTorqueAtPointWorldWorld(const Math::Vector<float>& position, const Math::Vector<float>& force) = 0;

    // A new event owned by the node; while the node has events its body reports collisions.
    // Null when it cannot be made.
    virtual IBodyEvent* CreateEvent() = 0;
    // Destroys an event of this node; an event it does not hold is left alone.
    virtual void DestroyEvent(IBodyEvent* event) = 0;

    // The physics body's state; zero before Init.
    virtual Math::Vector<float> GetLinearMomentum() const = 0;
    virtual Math::Vector<float> GetAngularMomentum() const = 0;
    virtual Math::Vector<float> GetLinearVelocity() const = 0;
    virtual Math::Vector<float> GetAngularVelocity() const = 0;
    virtual ~IBody() {}
};

} // namespace Graph
} // namespace Vorn
