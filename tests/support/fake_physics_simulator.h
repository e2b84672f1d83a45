// A physics simulator for graph tests: it makes inert bodies, geometries, fields and springs,
// counts the live ones, and records what the nodes set and what the logic traversal registers.
#pragma once

#include <string>
#include <vector>

#include "physics/simulator.h"
#include "tests/support/fake_object_pool.h"

namespace Vorn {
namespace Testing {

class FakeBody : public Physics::IBody
{
public:
    Bool Init() override
    {
        mCalls.push_back("Init");
        return mInitialized = mInitResult;
    }
    Bool DeInit() override
    {
        mInitialized = false;
        return true;
    }
    void SetTriggerGroups(UInt32 v) override { Record("TriggerGroups", mTriggerGroups, v); }
    UInt32 GetTriggerGroups() const override { return mTriggerGroups; }
    void SetResponseGroups(UInt32 v) override { Record("ResponseGroups", mResponseGroups, v); }
    UInt32 GetResponseGroups() const override { return mResponseGroups; }
    void SetForceEffectEnabled(Bool v) override { Record("ForceEffect", mForceEffect, v); }
    Bool GetForceEffectEnabled() const override { return mForceEffect; }
    void SetTorqueEffectEnabled(Bool v) override { Record("TorqueEffect", mTorqueEffect, v); }
    Bool GetTorqueEffectEnabled() const override { return mTorqueEffect; }
    void ClearGeometries() override {}
    void ClearChildren() override {}
    void AddGeometry(Physics::IGeometry*, const Math::Matrix<float>*) override {}
    void SetParent(Physics::IBody* parent) override { mParent = parent; }
    Physics::IBody* GetParent() override { return mParent; }
    void SetInverseMass(Float v) override { Record("InverseMass", mInverseMass, v); }
    Float GetInverseMass() const override { return mInverseMass; }
    void SetDragCoefficient(Float v) override { Record("Drag", mDrag, v); }
    Float GetDragCoefficient() const override { return mDrag; }
    void SetSize(const Math::Vector<float>& size) override { Record("Size", mSize, size); }
    const Math::Vector<float>* GetSize() const override { return &mSize; }
    void SetStaticFrictionConstant(Float v) override { Record("StaticFriction", mConstants[0], v); }
    Float GetStaticFrictionConstant() const override { return mConstants[0]; }
    void SetDynamicFrictionConstant(Float v) override { Record("DynamicFriction", mConstants[1], v); }
    Float GetDynamicFrictionConstant() const override { return mConstants[1]; }
    void SetRollingFrictionConstant(Float v) override { Record("RollingFriction", mConstants[2], v); }
    Float GetRollingFrictionConstant() const override { return mConstants[2]; }
    void SetContactSpringConstant(Float v) override { Record("ContactSpring", mConstants[3], v); }
    Float GetContactSpringConstant() const override { return mConstants[3]; }
    void SetContactDampingConstant(Float v) override { Record("ContactDamping", mConstants[4], v); }
    Float GetContactDampingConstant() const override { return mConstants[4]; }
    void SetClampSpringConstant(Float v) override { Record("ClampSpring", mConstants[5], v); }
    Float GetClampSpringConstant() const override { return mConstants[5]; }
    void SetClampDampingConstant(Float v) override { Record("ClampDamping", mConstants[6], v); }
    Float GetClampDampingConstant() const override { return mConstants[6]; }
    void AddForceAtPointLocalLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceAtPointLocalWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceAtPointWorldLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceAtPointWorldWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceLocalLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceLocalWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceWorldLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddForceWorldWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddTorqueAtPointLocalLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddTorqueAtPointLocalWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddTorqueAtPointWorldLocal(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void AddTorqueAtPointWorldWorld(const Math::Vector<float>&, const Math::Vector<float>&) override { ++mForceCalls; }
    void SetTransformMatrix(Math::Matrix<float>* matrix) override { mTransformMatrix = matrix; }
    void SetTransform(const Math::Matrix<float>& matrix) override
    {
        mTransform = matrix;
        ++mTransformsSet;
    }
    void SetCollisionListener(Graph::ICollidable* listener) override { Record("Listener", mListener, listener); }
    Graph::ICollidable* GetCollisionListener() override { return mListener; }
    void SetReportCollisions(Bool report) override { mReportCollisions = report; }
    Bool GetReportCollisions() const override { return mReportCollisions; }
    Math::Vector<float> GetLinearMomentum() const override { return Math::Vector<float>(); }
    Math::Vector<float> GetAngularMomentum() const override { return Math::Vector<float>(); }
    Math::Vector<float> GetLinearVelocity() const override { return Math::Vector<float>(); }
    Math::Vector<float> GetAngularVelocity() const override { return Math::Vector<float>(); }

    template <typename Value>
    void Record(const char* name, Value& field, const Value& value)
    {
        field = value;
        mCalls.push_back(name);
    }

    // The setters and Init in call order, by the name of what they set.
    std::vector<std::string> mCalls;
    Bool mInitResult = true;
    UInt32 mTransformsSet = 0;
    Bool mInitialized = false;
    UInt32 mTriggerGroups = 0;
    UInt32 mResponseGroups = 0;
    Bool mForceEffect = false;
    Bool mTorqueEffect = false;
    Physics::IBody* mParent = nullptr;
    Float mInverseMass = 0.0f;
    Float mDrag = 0.0f;
    Math::Vector<float> mSize;
    Float mConstants[7] = {};
    UInt32 mForceCalls = 0;
    Math::Matrix<float>* mTransformMatrix = nullptr;
    Math::Matrix<float> mTransform;
    Graph::ICollidable* mListener = nullptr;
    Bool mReportCollisions = false;
};

class FakeGeometry : public Physics::IGeometry, public Physics::ISphere, public Physics::IMesh
{
public:
    explicit FakeGeometry(UInt32 shape) : mShape(shape) {}
    void SetRootBody(Physics::IBody* body) override { mRootBody = body; }
    Physics::IBody* GetRootBody() override { return mRootBody; }
    void SetBody(Physics::IBody* body) override { mBody = body; }
    Physics::IBody* GetBody() override { return mBody; }
    void SetRadius(Float radius) override { mRadius = radius; }
    Float GetRadius() const override { return mRadius; }
    void SetCollider(const Resource::ICollider* collider) override { mCollider = collider; }
    const Resource::ICollider* GetCollider() const override { return mCollider; }
    UInt32 mShape;
    Physics::IBody* mRootBody = nullptr;
    Physics::IBody* mBody = nullptr;
    Float mRadius = 1.0f;
    const Resource::ICollider* mCollider = nullptr;
};

class FakeField : public Physics::IField
{
public:
    FakeField(UInt32 forceMode, UInt32 shape) : mForceMode(forceMode), mShape(shape) {}
    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    void SetInfluenceGroups(UInt32 groups) override { mInfluenceGroups = groups; }
    UInt32 GetInfluenceGroups() const override { return mInfluenceGroups; }
    void SetFactors(Float constant, Float linear, Float quadratic) override
    {
        mFactors[0] = constant;
        mFactors[1] = linear;
        mFactors[2] = quadratic;
    }
    UInt32 mForceMode;
    UInt32 mShape;
    UInt32 mInfluenceGroups = 0;
    Float mFactors[3] = {};
};

class FakeSpring : public Physics::ISpring
{
public:
    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    void SetParameters(Float springConstant, Float dampingConstant, Float minimumLength, Float maximumLength,
                       Bool affectForce, Bool affectTorque) override
    {
        mParameters[0] = springConstant;
        mParameters[1] = dampingConstant;
        mParameters[2] = minimumLength;
        mParameters[3] = maximumLength;
        mAffect[0] = affectForce;
        mAffect[1] = affectTorque;
    }
    void SetBody(UInt32 end, Physics::IBody* body, const Math::Vector<float>& attachment, Bool influence) override
    {
        if (end < 2) {
            mBodies[end] = body;
            mAttachments[end] = attachment;
            mInfluences[end] = influence;
        }
    }
    void ClearBody(UInt32 end) override
    {
        if (end < 2)
            mBodies[end] = nullptr;
    }
    Float mParameters[4] = {};
    Bool mAffect[2] = {false, false};
    Physics::IBody* mBodies[2] = {nullptr, nullptr};
    Math::Vector<float> mAttachments[2];
    Bool mInfluences[2] = {false, false};
};

class FakePhysicsSimulator : public Physics::ISimulator, public FakeObjectPool
{
public:
    Bool mRefuseCreation = false;
    // Registrations since the last ClearObjects, in order: bodies pushed, geometries pushed (with
    // their matrix and the number of bodies open around them), fields and springs added; and the
    // number of open body pushes.
    std::vector<Physics::IBody*> mPushedBodies;
    std::vector<Physics::IGeometry*> mPushedGeometries;
    std::vector<Math::Matrix<float>> mGeometryMatrices;
    std::vector<SInt32> mGeometryDepths;
    std::vector<Physics::IField*> mFields;
    std::vector<Physics::ISpring*> mSprings;
    SInt32 mOpenBodies = 0;

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Physics::IBody* CreateBody() override { return Make<FakeBody>(); }
    void DestroyBody(Physics::IBody*& body) override { DestroyFake<FakeBody>(body); }
    Physics::ISpring* CreateSpring() override { return Make<FakeSpring>(); }
    void DestroySpring(Physics::ISpring*& spring) override { DestroyFake<FakeSpring>(spring); }
    Physics::IField* CreateField(UInt32 forceMode, UInt32 shape) override
    {
        return shape <= 1 ? Make<FakeField>(forceMode, shape) : nullptr;
    }
    void DestroyField(Physics::IField*& field) override { DestroyFake<FakeField>(field); }
    Physics::IGeometry* CreateGeometry(UInt32 shape) override
    {
        if (mRefuseCreation || shape == 3 || shape > 4)
            return nullptr;
        return MakeFake<FakeGeometry>(shape);
    }
    void DestroyGeometry(Physics::IGeometry*& geometry) override { DestroyFake<FakeGeometry>(geometry); }
    void ClearObjects() override
    {
        mPushedBodies.clear();
        mFields.clear();
        mSprings.clear();
        mOpenBodies = 0;
    }
    void Step(Float) override {}
    void AddField(Physics::IField* field, const Math::Matrix<float>*) override { mFields.push_back(field); }
    void AddSpring(Physics::ISpring* spring, const Math::Matrix<float>*) override { mSprings.push_back(spring); }
    void PushGeometry(Physics::IGeometry* geometry, const Math::Matrix<float>* matrix) override
    {
        mPushedGeometries.push_back(geometry);
        mGeometryMatrices.push_back(*matrix);
        mGeometryDepths.push_back(mOpenBodies);
    }
    void PushBody(Physics::IBody* body, Math::Matrix<float>*) override
    {
        mPushedBodies.push_back(body);
        ++mOpenBodies;
    }
    void RemoveField(Physics::IField*) override {}
    void RemoveSpring(Physics::ISpring*) override {}
    void PopGeometry(Physics::IGeometry*) override {}
    void PopBody(Physics::IBody*) override { --mOpenBodies; }

private:
    template <class Fake, class... Arguments>
    Fake* Make(Arguments... arguments)
    {
        return mRefuseCreation ? nullptr : MakeFake<Fake>(arguments...);
    }
};

} // namespace Testing
} // namespace Vorn
