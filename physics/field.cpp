#include "physics/field.h"

#include "physics/body.h"
#include "physics/rigid_math.h"

namespace Vorn {
namespace Physics {

Field::Field(UInt32 type, UInt32 shape)
    : mType(type),
      mShape(shape),
      mConstantFactor(1.0f),
      mLinearFactor(0.0f),
      mQuadraticFactor(0.0f),
      mInfluenceGroups(0xFFFFFFFFu)
{
}

Field::~Field()
{
}

Bool Field::Init()
{
    return true;
}

Bool Field::DeInit()
{
    return true;
}

void Field::SetInfluenceGroups(UInt32 groups) { mInfluenceGroups = groups; }
UInt32 Field::GetInfluenceGroups() const { return mInfluenceGroups; }

void Field::SetFactors(Float constant, Float linear, Float quadratic)
{
    mConstantFactor = constant;
    mLinearFactor = linear;
    mQuadraticFactor = quadratic;
}

void Field::Apply(Body* body)
{
    if (body->GetInverseMass() == 0.0f)
        return;
    if ((mInfluenceGroups & body->GetTriggerGroups()) == 0)
        return;
    Math::Vector<float> direction;
    Float magnitude = 0.0f;
    if (!Evaluate(body, direction, magnitude))
        return;
    if (mType == 0)
        magnitude *= body->GetMass();
    body->AddForceAtPointLocalWorld(Math::Vector<float>(), direction * magnitude);
}

SphereField::SphereField(UInt32 type) : Field(type, 1), mCentre(0.0f, 0.0f, 0.0f, 1.0f)
{
}

SphereField::~SphereField()
{
}

void SphereField::SetTransform(const Math::Matrix<float>& matrix)
{
    mCentre.x = matrix[12];
    mCentre.y = matrix[13];
    mCentre.z = matrix[14];
}

Bool SphereField::Evaluate(const Body* body, Math::Vector<float>& direction, Float& magnitude) const
{
    const Math::Vector<float> offset = body->GetPosition() - mCentre;
    const Float distance = Length(offset);
    if (distance == 0.0f)
        return false;
    direction = offset * (1.0f / distance);
    magnitude = mConstantFactor + mLinearFactor / distance + mQuadraticFactor / (distance * distance);
    return true;
}

PlaneField::PlaneField(UInt32 type)
    : Field(type, 0), mPosition(0.0f, 0.0f, 0.0f, 1.0f), mNormal(0.0f, 1.0f, 0.0f, 0.0f)
{
}

PlaneField::~PlaneField()
{
}

void PlaneField::SetTransform(const Math::Matrix<float>& matrix)
{
    mPosition.x = matrix[12];
    mPosition.y = matrix[13];
    mPosition.z = matrix[14];
    mNormal.x = matrix[4];
    mNormal.y = matrix[5];
    mNormal.z = matrix[6];
}

Bool PlaneField::Evaluate(const Body* body, Math::Vector<float>& direction, Float& magnitude) const
{
    direction = mNormal;
    magnitude = mConstantFactor;
    if (mLinearFactor == 0.0f && mQuadraticFactor == 0.0f)
        return true;
    const Float distance = mNormal.Dot(body->GetPosition() - mPosition);
    // The fall-off has no value on the plane itself: a body exactly there gets no force.
    if (distance == 0.0f)
        return false;
    if (mLinearFactor != 0.0f)
        magnitude = mLinearFactor / distance + mConstantFactor;
    if (mQuadraticFactor != 0.0f)
        magnitude += mQuadraticFactor / (distance * distance);
    return true;
}

} // namespace Physics
} // namespace Vorn
