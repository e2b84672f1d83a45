#include "graph/physics/body.h"

#include <cstring>
#include <new>

#include "foundation/attributes.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/transform_stack.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

namespace {

// "mass" and "inverseMass" start as this quiet NaN, so that Init can tell which was given.
constexpr UInt32 kNotSetBits = 0x7FC00000u;

Float NotSet()
{
    Float value;
    std::memcpy(&value, &kNotSetBits, sizeof(value));
    return value;
}

Bool IsSet(Float value)
{
    UInt32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits != kNotSetBits;
}

} // namespace

Body::Event::Event()
{
}

Body::Event::~Event()
{
}

void Body::Event::Clear()
{
    mCollisions.SetCount(0);
}

UInt32 Body::Event::GetNumberOfCollisions() const
{
    return UInt32(mCollisions.GetCount());
}

const BodyCollision* Body::Event::GetCollision(UInt32 index) const
{
    return index < GetNumberOfCollisions() ? &mCollisions[SInt32(index)] : nullptr;
}

IBody* Body::Event::GetCollisionBody(UInt32 index) const
{
    return index < GetNumberOfCollisions() ? mCollisions[SInt32(index)].mBody : nullptr;
}

void Body::Event::Add(const Math::Vector<float>& contact, IBody* other)
{
    mCollisions.Add(BodyCollision{contact, other});
}

void Body::CollidableResponseTarget::Respond(ICollidable* other, const Math::Vector<float>& contact)
{
    const CollidableResponseTarget* target = dynamic_cast<const CollidableResponseTarget*>(other);
    IBody* otherBody = target != nullptr ? target->GetBody() : nullptr;
    for (Event* event : mBody->mEvents)
        event->Add(contact, otherBody);
}

Body::Body()
    : mTriggerGroups(1),
      mResponseGroups(0xFFFFFFFFu),
      mMass(NotSet()),
      mInverseMass(NotSet()),
      mDragCoefficient(0.0f),
      mSize(1.0f, 1.0f, 1.0f, 0.0f),
      mDynamicFrictionConstant(1.0f),
      mStaticFrictionConstant(1.0f),
      mRollingFrictionConstant(0.0f),
      mContactSpringConstant(40.0f),
      mContactDampingConstant(40.0f),
      mClampSpringConstant(1.0f),
      mClampDampingConstant(1.0f),
      mForceEffectEnabled(true),
      mTorqueEffectEnabled(true),
      mBodyObject(nullptr),
      mRegisteredWith(nullptr),
      mDepthOrderPushed(false)
{
    AddFlags(kNeedsProcessLogic);
}

Body::~Body()
{
    for (Event* event : mEvents)
        delete event;
}

INode* Body::Create()
{
    return new (std::nothrow) Body();
}

const NodeClassInfo& Body::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Body"));
    return info;
}

Bool Body::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                Bool* error)
{
    Float* const floats[] = {
        &mMass, &mInverseMass, &mStaticFrictionConstant, &mDynamicFrictionConstant, &mRollingFrictionConstant,
        &mContactSpringConstant, &mContactDampingConstant, &mClampSpringConstant, &mClampDampingConstant,
        &mDragCoefficient, &mSize.x, &mSize.y, &mSize.z,
    };
    const UInt32 attribute = BodyAttributes::GetTable().FindAttribute(attributes, index);
    switch (attribute) {
    case BodyAttributes::kTriggerGroups:
        attributes->GetBitsToSet(index, parameters, &mTriggerGroups, error, true);
        return true;
    case BodyAttributes::kResponseGroups:
        attributes->GetBitsToSet(index, parameters, &mResponseGroups, error, true);
        return true;
    case BodyAttributes::kForceEffectEnabled:
        attributes->GetValue(index, parameters, &mForceEffectEnabled, error);
        return true;
    case BodyAttributes::kTorqueEffectEnabled:
        attributes->GetValue(index, parameters, &mTorqueEffectEnabled, error);
        return true;
    default:
        break;
    }
    // The float attributes are numbered from "mass" to "sizeZ" in the order of the list above.
    if (attribute >= BodyAttributes::kMass && attribute <= BodyAttributes::kSizeZ) {
        attributes->GetValue(index, parameters, floats[attribute - BodyAttributes::kMass], error);
        return true;
    }
    return Transform::DeserializeAttribute(index, attributes, parameters, error);
}

void Body::SetMass(Float mass)
{
    mMass = mass;
    mInverseMass = 1.0f / mass;
}

Float Body::GetMass() const
{
    return mMass;
}

void Body::SetInverseMass(Float inverseMass)
{
    mInverseMass = inverseMass;
    mMass = 1.0f / inverseMass;
}

Float Body::GetInverseMass() const
{
    return mInverseMass;
}

#define VORN_FORWARD_FORCE(Operation)                                                                    \
    void Body::Operation(const Math::Vector<float>& position, const Math::Vector<float>& force)       \
    {                                                                                                    \
        if (mBodyObject != nullptr)                                                                      \
            mBodyObject->Operation(position, force);                                                     \
    }

VORN_FORWARD_FORCE(AddForceAtPointLocalLocal)
VORN_FORWARD_FORCE(AddForceAtPointLocalWorld)
VORN_FORWARD_FORCE(AddForceAtPointWorldLocal)
VORN_FORWARD_FORCE(AddForceAtPointWorldWorld)
VORN_FORWARD_FORCE(AddForceLocalLocal)
VORN_FORWARD_FORCE(AddForceLocalWorld)
VORN_FORWARD_FORCE(AddForceWorldLocal)
VORN_FORWARD_FORCE(AddForceWorldWorld)
VORN_FORWARD_FORCE(AddTorqueAtPointLocalLocal)
VORN_FORWARD_FORCE(AddTorqueAtPointLocalWorld)
VORN_FORWARD_FORCE(AddTorqueAtPointWorldLocal)
VORN_FORWARD_FORCE(AddTorqueAtPointWorldWorld)

#undef VORN_FORWARD_FORCE

IBodyEvent* Body::CreateEvent()
{
    Event* event = new (std::nothrow) Event();
    if (event == nullptr)
        return nullptr;
    mEvents.Add(event);
    if (mBodyObject != nullptr)
        mBodyObject->SetReportCollisions(true);
    return event;
}

void Body::DestroyEvent(IBodyEvent* event)
{
    // Only an event found in the list is deleted, so a repeated call cannot free it twice.
    const SInt32 position = mEvents.Find(static_cast<Event*>(event));
    if (position < 0)
        return;
    delete mEvents[position];
    mEvents.RemoveAt(position);
    if (mEvents.IsEmpty() && mBodyObject != nullptr)
        mBodyObject->SetReportCollisions(false);
}

Math::Vector<float> Body::GetLinearMomentum() const
{
    return mBodyObject != nullptr ? mBodyObject->GetLinearMomentum() : Math::Vector<float>();
}

Math::Vector<float> Body::GetAngularMomentum() const
{
    return mBodyObject != nullptr ? mBodyObject->GetAngularMomentum() : Math::Vector<float>();
}

Math::Vector<float> Body::GetLinearVelocity() const
{
    return mBodyObject != nullptr ? mBodyObject->GetLinearVelocity() : Math::Vector<float>();
}

Math::Vector<float> Body::GetAngularVelocity() const
{
    return mBodyObject != nullptr ? mBodyObject->GetAngularVelocity() : Math::Vector<float>();
}

Bool Body::InitSelf(IInitState* state)
{
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::Body::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    if (simulator == nullptr) {
        Debug::Trace("Graph::Body::InitSelf(%s): No physics simulator", mId.GetText());
        return false;
    }
    // "mass" decides when both are given; a body of infinite mass has inverse mass 0.
    if (IsSet(mMass)) {
        if (!(mMass > 0.0f)) {
            Debug::Trace("Graph::Body::InitSelf(%s): Mass must be above 0 (%g)", mId.GetText(), Double(mMass));
            return false;
        }
        mInverseMass = 1.0f / mMass;
    } else if (IsSet(mInverseMass)) {
        if (!(mInverseMass >= 0.0f)) {
            Debug::Trace("Graph::Body::InitSelf(%s): Inverse mass must not be negative (%g)", mId.GetText(),
                         Double(mInverseMass));
            return false;
        }
        mMass = 1.0f / mInverseMass;
    } else {
        mMass = 1.0f;
        mInverseMass = 1.0f;
    }

    mResponseTarget.reset(new (std::nothrow) CollidableResponseTarget(this));
    if (mResponseTarget != nullptr)
        mBodyObject = simulator->CreateBody();
    if (mBodyObject == nullptr) {
        Debug::Trace("Graph::Body::InitSelf(%s): Failed to create body object", mId.GetText());
        return false;
    }
    mBodyObject->SetTriggerGroups(mTriggerGroups);
    mBodyObject->SetResponseGroups(mResponseGroups);
    mBodyObject->SetForceEffectEnabled(mForceEffectEnabled);
    mBodyObject->SetTorqueEffectEnabled(mTorqueEffectEnabled);
    mBodyObject->SetInverseMass(mInverseMass);
    mBodyObject->SetDragCoefficient(mDragCoefficient);
    mBodyObject->SetDynamicFrictionConstant(mDynamicFrictionConstant);
    mBodyObject->SetStaticFrictionConstant(mStaticFrictionConstant);
    mBodyObject->SetRollingFrictionConstant(mRollingFrictionConstant);
    mBodyObject->SetContactSpringConstant(mContactSpringConstant);
    mBodyObject->SetContactDampingConstant(mContactDampingConstant);
    mBodyObject->SetClampSpringConstant(mClampSpringConstant);
    mBodyObject->SetClampDampingConstant(mClampDampingConstant);
    mBodyObject->SetSize(mSize);
    mBodyObject->SetCollisionListener(mResponseTarget.get());
    if (!mBodyObject->Init()) {
        Debug::Trace("Graph::Body::InitSelf(%s): Failed to initialize body object", mId.GetText());
        return false;
    }
    mBodyObject->SetReportCollisions(!mEvents.IsEmpty());
    // The first logic pass places the body.
    mTransformFlags |= kChanged;
    return true;
}

Bool Body::DeInitSelf(IDeInitState* state)
{
    if (mBodyObject != nullptr) {
        if (!mBodyObject->DeInit())
            return false;
        Physics::ISimulator* simulator = state->GetPhysicsSimulator();
        if (simulator == nullptr) {
            Debug::Trace("Graph::Body::DeInitSelf(%s): No physics simulator to destroy the body object", mId.GetText());
            return false;
        }
        simulator->DestroyBody(mBodyObject);
    }
    mResponseTarget.reset();
    return Transform::DeInitSelf(state);
}

Bool Body::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    if ((mTransformFlags & kChanged) != 0) {
        mTransformFlags &= ~kChanged;
        // Placed where the node's own transform puts it below the transforms above it.
        MatrixProduct::Multiply(state->GetRelativeTransform(), mMatrix, mWorldMatrix);
        if (mBodyObject != nullptr)
            mBodyObject->SetTransform(mWorldMatrix);
    }
    for (Event* event : mEvents)
        event->Clear();
    Physics::ISimulator* simulator = state->GetPhysicsSimulator();
    mRegisteredWith = mBodyObject != nullptr ? simulator : nullptr;
    if (mRegisteredWith != nullptr)
        mRegisteredWith->PushBody(mBodyObject, &mWorldMatrix);
    state->PushTransform(mWorldMatrix);
    mDepthOrderPushed = mDepthOrder != 0;
    if (mDepthOrderPushed)
        state->AddDepthOrder(mDepthOrder);
    return true;
}

Bool Body::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    if (mDepthOrderPushed)
        state->PopDepthOrder();
    mDepthOrderPushed = false;
    state->PopTransform();
    if (mRegisteredWith != nullptr)
        mRegisteredWith->PopBody(mBodyObject);
    mRegisteredWith = nullptr;
    return true;
}

Bool Body::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    state->PushTransform(mWorldMatrix);
    return true;
}

Bool Body::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputChildren(state))
        return false;
    state->PopTransform();
    return true;
}

} // namespace Graph
} // namespace Vorn
