// Force fields: a push or pull on every root body whose trigger groups the field influences,
// falling off with the distance from a point (sphere field) or from a plane (plane field).
// Applied in the simulator's step; the forces are integrated in the next step.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Body;

class Field : public IField
{
public:
    ~Field() override;

    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    Bool Init() override;
    Bool DeInit() override;
    void SetInfluenceGroups(UInt32 groups) override;
    UInt32 GetInfluenceGroups() const override;
    void SetFactors(Float constant, Float linear, Float quadratic) override;

    // Places the field by its node's world matrix.
    virtual void SetTransform(const Math::Matrix<float>& matrix) = 0;
    // Adds the field's force at the body's centre; nothing for an immovable body or one outside
    // the influence groups.
    void Apply(Body* body);
    // The direction and strength at the body; false when the field gives it no force.
    virtual Bool Evaluate(const Body* body, Math::Vector<float>& direction, Float& magnitude) const = 0;

    UInt32 GetType() const { return mType; }
    UInt32 GetShape() const { return mShape; }

protected:
    Field(UInt32 type, UInt32 shape);

    // 0: the strength is an acceleration (scaled by the body's mass); otherwise a force.
    UInt32 mType;
    UInt32 mShape;
    Float mConstantFactor;
    Float mLinearFactor;
    Float mQuadraticFactor;
    UInt32 mInfluenceGroups;
};

// Strength constant + linear / r + quadratic / r² along the line from the centre; positive
// values push away.
class SphereField : public Field
{
public:
    explicit SphereField(UInt32 type);
    ~SphereField() override;
    void SetTransform(const Math::Matrix<float>& matrix) override;
    Bool Evaluate(const Body* body, Math::Vector<float>& direction, Float& magnitude) const override;
    const Math::Vector<float>& GetCentre() const { return mCentre; }

private:
    Math::Vector<float> mCentre;
};

// Along the normal of the plane through the node's origin across its y axis; with a linear or
// quadratic factor the strength falls off with the signed distance s from the plane.
class PlaneField : public Field
{
public:
    explicit PlaneField(UInt32 type);
    ~PlaneField() override;
    void SetTransform(const Math::Matrix<float>& matrix) override;
    Bool Evaluate(const Body* body, Math::Vector<float>& direction, Float& magnitude) const override;
    const Math::Vector<float>& GetPosition() const { return mPosition; }
    const Math::Vector<float>& GetNormal() const { return mNormal; }

private:
    Math::Vector<float> mPosition;
    Math::Vector<float> mNormal;
};

} // namespace Physics
} // namespace Vorn
