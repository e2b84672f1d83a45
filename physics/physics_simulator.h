// The engine's physics world: makes and destroys the bodies, springs, fields and geometries,
// learns each frame from the scene graph's logic traversal which of them take part and how they
// nest, and advances them one step per logic step.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Body;
class CollisionDetector;
class Field;
class Geometry;
class Spring;

class Simulator : public ISimulator
{
public:
    Simulator();
    ~Simulator() override;

    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    Bool Init() override;
    Bool DeInit() override;
    IBody* CreateBody() override;
    // Also drops the body from this frame's registrations and from every contact pair.
    void DestroyBody(IBody*& body) override;
    ISpring* CreateSpring() override;
    void DestroySpring(ISpring*& spring) override;
    IField* CreateField(UInt32 forceMode, UInt32 shape) override;
    void DestroyField(IField*& field) override;
    IGeometry* CreateGeometry(UInt32 shape) override;
    // Also drops the geometry from its body, the geometry stack and every contact pair.
    void DestroyGeometry(IGeometry*& geometry) override;
    void ClearObjects() override;
    // Integration, fields, springs, then collisions; a step of no positive length does nothing.
    void Step(Float seconds) override;
    void AddField(IField* field, const Math::Matrix<float>* transform) override;
    void AddSpring(ISpring* spring, const Math::Matrix<float>* transform) override;
    void PushGeometry(IGeometry* geometry, const Math::Matrix<float>* localMatrix) override;
    // A body pushed a second time in one frame (a sub-graph shown twice) keeps its first place.
    void PushBody(IBody* body, Math::Matrix<float>* transform) override;
    void RemoveField(IField* field) override;
    void RemoveSpring(ISpring* spring) override;
    void PopGeometry(IGeometry* geometry) override;
    void PopBody(IBody* body) override;

    const Array<Body*>& GetRootBodies() const { return mRootBodies; }
    const Array<Body*>& GetBodyStack() const { return mBodyStack; }
    const Array<Geometry*>& GetGeometryStack() const { return mGeometryStack; }
    const Array<Spring*>& GetSprings() const { return mSprings; }
    const Array<Field*>& GetFields() const { return mFields; }
    // Null before Init and after DeInit.
    CollisionDetector* GetCollisionDetector() { return mDetector.get(); }

private:
    Array<Body*> mBodyStack;
    Array<Geometry*> mGeometryStack;
    Array<Body*> mRootBodies;
    Array<Spring*> mSprings;
    Array<Field*> mFields;
    std::unique_ptr<CollisionDetector> mDetector;
    // Counts the ClearObjects calls, so that a body knows whether it was pushed this frame.
    UInt32 mRegistrationRound;
};

} // namespace Physics
} // namespace Vorn
