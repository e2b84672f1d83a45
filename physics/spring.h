// Springs between one or two bodies, or a body and the spring's own position: they pull when
// stretched beyond the maximum length and push when compressed below the minimum, with damping
// on each body's own velocity while outside that slack range.
#pragma once

#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Body;

class Spring : public ISpring
{
public:
    Spring();
    ~Spring() override;

    Spring(const Spring&) = delete;
    Spring& operator=(const Spring&) = delete;

    // Computes the anchors, length and direction.
    Bool Init() override;
    Bool DeInit() override;
    void SetParameters(Float springConstant, Float dampingConstant, Float minimumLength, Float maximumLength,
                       Bool affectForce, Bool affectTorque) override;
    // An end index other than 0 or 1 is ignored.
    void SetBody(UInt32 end, IBody* body, const Math::Vector<float>& attachment, Bool influence) override;
    void ClearBody(UInt32 end) override;

    // The position of a free end: the translation of the spring node's world matrix.
    void SetTransform(const Math::Matrix<float>& matrix);
    void Apply();

    Float GetLength() const { return mLength; }
    const Math::Vector<float>& GetDirection() const { return mDirection; }
    const Math::Vector<float>& GetAnchor(UInt32 end) const { return mAnchors[end]; }

private:
    void UpdateAnchors();
    // Force f on one end at its anchor, damped by the body's own velocities.
    void ApplyToEnd(UInt32 end, const Math::Vector<float>& force);

    Float mSpringConstant;
    Float mDampingConstant;
    Float mMinimumLength;
    Float mMaximumLength;
    Bool mAffectForce;
    Bool mAffectTorque;
    Math::Vector<float> mPosition;
    Body* mBodies[2];
    Math::Vector<float> mAttachments[2];
    Bool mInfluences[2];
    Float mLength;
    Math::Vector<float> mDirection;
    Math::Vector<float> mAnchors[2];
};

} // namespace Physics
} // namespace Vorn
