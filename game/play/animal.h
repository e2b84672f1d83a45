// The animal record as the course model and the ellipse see it: kind, path position, angles,
// radius and match state. The pooled graph side (nodes, pictures, animations) comes with the
// animal pool; until then this record carries only the fields the chain model reads and writes.
#pragma once

#include "foundation/math.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {
namespace App {

class Animal
{
public:
    static constexpr SInt32 KindKey = 0;
    static constexpr SInt32 KindLock = 1;
    static constexpr SInt32 KindJoker = 5;
    static constexpr SInt32 KindNone = 14;
    static constexpr Float DefaultRadius = 34.0f;

    virtual ~Animal() {}

    // Writes the position into the instance's transform; the record alone has none to write.
    virtual void UpdateTransform() {}

    static Bool IsEndPieceKind(SInt32 kind) { return kind == KindKey || kind == KindLock; }
    static Bool IsMatchableKind(SInt32 kind) { return kind >= KindJoker && kind <= 13; }

    // Sets the kind; the pictures of the kind come with the pooled instance.
    void SetAnimal(SInt32 kind)
    {
        mKind = kind;
        mDirty = true;
    }
    SInt32 GetKind() const { return mKind; }
    Bool IsEndPiece() const { return IsEndPieceKind(mKind); }
    Bool IsMatchable() const { return IsMatchableKind(mKind); }

    // True when both kinds can form runs and are equal or one is the joker.
    Bool KindsMatch(SInt32 kind) const
    {
        if (!IsMatchableKind(mKind) || !IsMatchableKind(kind))
            return false;
        return mKind == kind || mKind == KindJoker || kind == KindJoker;
    }

    // The pairwise match test: charred pairs always match, frozen flags must agree.
    Bool Matches(const Animal& other) const
    {
        if (mCharred && other.mCharred)
            return true;
        if (mFrozen != other.mFrozen)
            return false;
        if (mKind == KindJoker || other.mKind == KindJoker)
            return true;
        if (mCharred != other.mCharred)
            return false;
        return KindsMatch(other.mKind);
    }

    // Angle setters keep the angle in [0, 2 pi) and mark the animal dirty on a change.
    void SetHeading(Float angle) { SetAngle(mHeading, angle); }
    void SetFacingAngle(Float angle) { SetAngle(mFacingAngle, angle); }
    void SetSecondAngle(Float angle) { SetAngle(mSecondAngle, angle); }

    void SetPathPosition(Double position)
    {
        if (position != mPathPosition) {
            mPathPosition = position;
            mDirty = true;
        }
    }
    void AddPathPosition(Double delta) { mPathPosition += delta; }

    Math::Vector<Float> mPosition = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    Bool mVisible = true;
    Bool mOnScreen = true;
    Float mFacingAngle = 0.0f;
    Float mSecondAngle = 0.0f;
    Double mPathPosition = 0.0;
    Float mRadius = DefaultRadius;
    Float mHeading = 0.0f;
    Bool mDirty = true;
    SInt32 mKind = KindNone;
    Bool mCheckMatch = false;
    Bool mShot = false;
    Bool mGapEnd = false;
    Bool mCharred = false;
    Bool mFrozen = false;

private:
    void SetAngle(Float& field, Float angle)
    {
        const Float wrapped = Math::WrapAngle(angle);
        if (wrapped != field) {
            field = wrapped;
            mDirty = true;
        }
    }
};

} // namespace App
} // namespace Vorn
