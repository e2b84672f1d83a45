// An animal on a course, in the launcher or in flight: a pooled instance of the animal template
// that carries its kind, angles, radius and state flags, and drives the nodes of its instance
// (which picture shows, how it is turned, mirrored, scaled and shaken, which clip plays).
#pragma once

#include "foundation/math.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "game/graph_position_object.h"

namespace Vorn {
namespace Graph {
class IDisplayPlaneSequence;
class INamespace;
class INode;
class IScalable;
class ISwitch;
class ITimeline;
class ITransform;
} // namespace Graph

namespace App {

class Animal : public GraphPositionObject
{
public:
    static constexpr SInt32 KindKey = 0;
    static constexpr SInt32 KindLock = 1;
    static constexpr SInt32 KindJoker = 5;
    static constexpr SInt32 KindNone = 14;
    static constexpr Float DefaultRadius = 34.0f;
    static constexpr SInt32 DepthOrderBase = 102000;

    Animal();
    ~Animal() override;

    // Everything back to its initial state (the shadow setting stays); an unbound animal resets
    // its fields only.
    void Reset() override;
    // Binds the instance at the path and its nodes; false when one is missing.
    Bool Init(Graph::INamespace* nameSpace, const String& path, UInt32 index) override;
    Bool DeInit() override;
    Graph::INode* GetRootNode() const override;

    // Selects the kind's picture and finds its nodes; false when the kind has no namespace child
    // with a rotation transform (the kind is set all the same).
    Bool SetAnimal(SInt32 kind);
    // One step of the sprite's animation; dt is already scaled by the game speed.
    void Update(Float dt);
    // Turns the sprite to its target angle at once.
    void UpdateRotation();
    void SetRadius(Float radius);
    void SetFrozen(Bool frozen);
    void SetCharred(Float duration);
    void StartShaking(Float rate);
    // Starts the idle clip; false when the sprite is busy.
    Bool PlayIdle();
    void BlinkRed(Bool toggle);
    void AdjustTimeScales(Float factor);
    // Whether the point lies within the radius plus the margin; never while off screen.
    Bool IsPointInside(const Math::Vector<Float>& point, Float margin) const;

    static Bool IsEndPieceKind(SInt32 kind) { return kind == KindKey || kind == KindLock; }
    static Bool IsMatchableKind(SInt32 kind) { return kind >= KindJoker && kind <= 13; }
    static Bool IsColourKind(SInt32 kind) { return kind >= 6 && kind <= 13; }
    SInt32 GetKind() const { return mKind; }
    Bool IsEndPiece() const { return IsEndPieceKind(mKind); }
    Bool IsColour() const { return IsColourKind(mKind); }
    Bool IsMatchable() const { return IsMatchableKind(mKind); }
    // Stones and the joker keep their facing; every other kind turns with the path.
    Bool IsRotating() const { return mKind < 2 || mKind > KindJoker; }

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
    void MarkGapEnd()
    {
        if (IsMatchable())
            mGapEnd = true;
    }
    void SetCheckMatch(Bool check)
    {
        mCheckMatch = check;
        if (!check)
            mGapEnd = false;
    }
    Bool TakeAshRequest()
    {
        const Bool requested = mAshRequested;
        mAshRequested = false;
        return requested;
    }
    // The angle the sprite turns to.
    Float GetTargetAngle() const;
    Bool IsMirrored() const;

    using GraphPositionObject::mPosition;

    Bool mShadowEnabled = true;
    Bool mOnScreen = true;
    Float mFacingAngle = 0.0f;
    Float mCurrentAngle = 0.0f;
    Float mSecondAngle = 0.0f;
    Double mPathPosition = 0.0;
    Float mRadius = DefaultRadius;
    Float mHeading = 0.0f;
    Bool mDirty = true;
    SInt32 mKind = KindNone;
    Bool mCheckMatch = false;
    Bool mShot = false;
    Bool mGapEnd = false;
    Bool mFlipping = false;
    Bool mTurning = false;
    Bool mSecondHalf = false;
    Bool mCharred = false;
    Bool mCharredShaken = false;
    Bool mAshRequested = false;
    Float mCharredCountdown = 0.0f;
    Bool mFrozen = false;
    Float mShakeRate = 3.0f;

private:
    void SetAngle(Float& field, Float angle)
    {
        const Float wrapped = Math::WrapAngle(angle);
        if (wrapped != field) {
            field = wrapped;
            mDirty = true;
        }
    }
    void ReleaseFoundNodes();
    void SetRotationTransforms(Float angle);
    // Unmirrored (x scale 1, shadow 0 shown) or mirrored.
    void SetMirrored(Bool mirrored);
    void ToggleMirroring();
    void PlaySequence(Float start, Float end);
    Bool IsSequenceRunning() const;
    void TurnStep();
    void FlipStep(Float s);

    Logic::GraphNodeT<Graph::INamespace>* mInstance;
    Logic::GraphNodeT<Graph::ITransform>* mShakingTransform;
    Logic::GraphNodeT<Graph::IScalable>* mScale;
    Logic::GraphNodeT<Graph::ITimeline>* mSequenceTimeline;
    Logic::GraphNodeT<Graph::ITimeline>* mShakingTimeline;
    Logic::GraphNodeT<Graph::ISwitch>* mSelect;
    // Nodes of the selected kind, each holding one reference; the typed pointers go with them.
    Graph::INode* mRotationNode = nullptr;
    Graph::ITransform* mRotation = nullptr;
    Graph::INode* mFlipNode = nullptr;
    Graph::IScalable* mFlip = nullptr;
    Graph::INode* mShadowTransformNode = nullptr;
    Graph::ITransform* mShadowTransform = nullptr;
    Graph::INode* mShadowFlip0 = nullptr;
    Graph::INode* mShadowFlip1 = nullptr;
    Graph::INode* mNormal = nullptr;
    Graph::INode* mRed = nullptr;
};

} // namespace App
} // namespace Vorn
