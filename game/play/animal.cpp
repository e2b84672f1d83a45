#include "game/play/animal.h"

#include <cmath>

#include "graph/display_plane_sequence.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace App {

namespace {

constexpr Double kPi = Math::Pi;
constexpr Double kTwoPi = Math::TwoPi;
constexpr Float kTurnRate = 5.0f;

// A node of the namespace with one reference held, or null.
Graph::INode* FindLocal(Graph::INamespace* nameSpace, const char* id)
{
    return nameSpace->FindNode(String(id));
}

template <class T>
T* Typed(Graph::INode*& node)
{
    if (node == nullptr)
        return nullptr;
    T* typed = dynamic_cast<T*>(node);
    if (typed == nullptr) {
        node->RemoveReference();
        node = nullptr;
    }
    return typed;
}

void Release(Graph::INode*& node)
{
    if (node != nullptr)
        node->RemoveReference();
    node = nullptr;
}

void Show(Graph::INode* node, Bool shown)
{
    if (node != nullptr)
        node->SetActiveAndVisible(shown);
}

void SetRotationZ(Graph::ITransform* transform, Float angle)
{
    if (transform == nullptr)
        return;
    Math::Matrix<float>& m = transform->GetTransform();
    const Float c = Float(std::cos(Double(angle)));
    const Float s = Float(std::sin(Double(angle)));
    m[0] = c;
    m[1] = s;
    m[4] = -s;
    m[5] = c;
    m[2] = 0.0f;
    m[6] = 0.0f;
    m[8] = 0.0f;
    m[9] = 0.0f;
    m[10] = 1.0f;
}

} // namespace

Animal::Animal()
    : GraphPositionObject(DepthOrderBase), mInstance(new Logic::GraphNodeT<Graph::INamespace>()),
      mShakingTransform(new Logic::GraphNodeT<Graph::ITransform>()), mScale(new Logic::GraphNodeT<Graph::IScalable>()),
      mSequenceTimeline(new Logic::GraphNodeT<Graph::ITimeline>()),
      mShakingTimeline(new Logic::GraphNodeT<Graph::ITimeline>()), mSelect(new Logic::GraphNodeT<Graph::ISwitch>())
{
}

Animal::~Animal()
{
    ReleaseFoundNodes();
    delete mSelect;
    delete mShakingTimeline;
    delete mSequenceTimeline;
    delete mScale;
    delete mShakingTransform;
    delete mInstance;
}

Bool Animal::Init(Graph::INamespace* nameSpace, const String& path, UInt32 index)
{
    Observe(mInstance->GetReference(nameSpace, path));
    Observe(mShakingTransform->GetReference(nameSpace, path + "/shaking_transform"));
    Observe(mScale->GetReference(nameSpace, path + "/scale"));
    Observe(mSequenceTimeline->GetReference(nameSpace, path + "/sequence_timeline"));
    Observe(mShakingTimeline->GetReference(nameSpace, path + "/shaking_timeline"));
    Observe(mSelect->GetReference(nameSpace, path + "/select"));
    return BindTransform(nameSpace, path + "/position", index);
}

Bool Animal::DeInit()
{
    ReleaseFoundNodes();
    return GraphPositionObject::DeInit();
}

Graph::INode* Animal::GetRootNode() const
{
    return mInstance->GetNode();
}

void Animal::ReleaseFoundNodes()
{
    Release(mRotationNode);
    mRotation = nullptr;
    Release(mFlipNode);
    mFlip = nullptr;
    Release(mShadowTransformNode);
    mShadowTransform = nullptr;
    Release(mShadowFlip0);
    Release(mShadowFlip1);
    Release(mNormal);
    Release(mRed);
}

void Animal::Reset()
{
    GraphPositionObject::Reset();
    mOnScreen = true;
    mFacingAngle = 0.0f;
    mCurrentAngle = 0.0f;
    mSecondAngle = 0.0f;
    mPathPosition = 0.0;
    mRadius = DefaultRadius;
    mHeading = 0.0f;
    mDirty = true;
    mKind = KindNone;
    mCheckMatch = false;
    mShot = false;
    mGapEnd = false;
    mFlipping = false;
    mTurning = false;
    mSecondHalf = false;
    mCharred = false;
    mCharredShaken = false;
    mAshRequested = false;
    mCharredCountdown = 0.0f;
    mFrozen = false;
    mShakeRate = 3.0f;
    if (mScale->IsValid())
        mScale->Get()->SetScaleFactor(1.0f, 1.0f, 1.0f);
    if (Graph::ITimeline* sequence = mSequenceTimeline->Get()) {
        sequence->SetStartTime(0.0f);
        sequence->SetEndTime(1.18f);
        sequence->SetTimeScale(1.0f);
        sequence->SetAutoRewind(false);
        sequence->SetNumberOfLoops(0);
        sequence->Rewind();
    }
}

Bool Animal::SetAnimal(SInt32 kind)
{
    mKind = kind;
    mDirty = true;
    if (Graph::ITimeline* sequence = mSequenceTimeline->Get()) {
        if (kind == KindJoker) {
            sequence->SetStartTime(0.0f);
            sequence->SetEndTime(1.57f);
            sequence->SetAutoRewind(true);
            sequence->SetNumberOfLoops(-1);
            sequence->SetTimeScale(1.0f);
            sequence->Rewind();
            sequence->Start();
        } else {
            sequence->SetAutoRewind(false);
            sequence->SetNumberOfLoops(0);
            sequence->Stop();
        }
    }
    ReleaseFoundNodes();
    if (!mSelect->IsValid() || !mSelect->Get()->SetIndex(kind))
        return false;
    auto* child = dynamic_cast<Graph::INamespace*>(mSelect->Get()->GetSelectedChild());
    if (child == nullptr)
        return false;
    mRotationNode = FindLocal(child, "rotation");
    mRotation = Typed<Graph::ITransform>(mRotationNode);
    if (mRotation == nullptr)
        return false;
    mFlipNode = FindLocal(child, "flip0");
    if (Typed<Graph::IDisplayPlaneSequence>(mFlipNode) != nullptr)
        mFlip = dynamic_cast<Graph::IScalable*>(mFlipNode);
    mShadowTransformNode = FindLocal(child, "shadow_transform");
    mShadowTransform = Typed<Graph::ITransform>(mShadowTransformNode);
    if (!mShadowEnabled) {
        Show(mShadowTransformNode, false);
        Release(mShadowTransformNode);
        mShadowTransform = nullptr;
    } else {
        mShadowFlip0 = FindLocal(child, "shadow_flip0");
        if (IsColourKind(kind))
            mShadowFlip1 = FindLocal(child, "shadow_flip1");
    }
    mNormal = FindLocal(child, "normal");
    Show(mNormal, true);
    mRed = FindLocal(child, "red");
    Show(mRed, false);
    return true;
}

Float Animal::GetTargetAngle() const
{
    if (!IsRotating())
        return mFacingAngle;
    return Float(Math::WrapAngle(Double(mHeading) + Double(mFacingAngle) + mPathPosition));
}

Bool Animal::IsMirrored() const
{
    return mFlip != nullptr && mFlip->GetScaleFactorX() != 1.0f;
}

void Animal::SetRotationTransforms(Float angle)
{
    SetRotationZ(mRotation, angle);
    SetRotationZ(mShadowTransform, angle);
}

void Animal::SetMirrored(Bool mirrored)
{
    if (mFlip != nullptr)
        mFlip->SetScaleFactorX(mirrored ? -1.0f : 1.0f);
    Show(mShadowFlip0, !mirrored);
    Show(mShadowFlip1, mirrored);
}

void Animal::ToggleMirroring()
{
    if (mFlip == nullptr)
        return;
    SetMirrored(mFlip->GetScaleFactorX() == 1.0f);
}

void Animal::PlaySequence(Float start, Float end)
{
    if (Graph::ITimeline* sequence = mSequenceTimeline->Get()) {
        sequence->SetStartTime(start);
        sequence->SetEndTime(end);
        sequence->Rewind();
        sequence->Start();
    }
}

Bool Animal::IsSequenceRunning() const
{
    return mSequenceTimeline->IsValid() && mSequenceTimeline->Get()->IsRunning();
}

void Animal::UpdateRotation()
{
    if (mCharred) {
        mCurrentAngle = 0.0f;
        SetMirrored(false);
    } else {
        mCurrentAngle = GetTargetAngle();
        const Double angle = mCurrentAngle;
        SetMirrored(IsColour() && angle > kPi / 2.0 && angle < 3.0 * kPi / 2.0 && !mFrozen);
    }
    mDirty = false;
    SetRotationTransforms(mCurrentAngle);
}

void Animal::Update(Float dt)
{
    if (mCharred) {
        if (mCharredCountdown > 0.0f) {
            mCharredCountdown -= dt;
            if (mCharredCountdown <= 0.0f) {
                mCharred = false;
                mHeading = 0.0f;
            }
            return;
        }
        if (IsSequenceRunning() || (mShakingTimeline->IsValid() && mShakingTimeline->Get()->IsRunning()))
            return;
        if (!mCharredShaken) {
            StartShaking(3.0f);
            mCharredShaken = true;
            return;
        }
        mAshRequested = true;
        mCharredShaken = false;
        if (Graph::ITimeline* sequence = mSequenceTimeline->Get()) {
            sequence->SetStartTime(0.0f);
            sequence->Rewind();
        }
        mCharredCountdown = 0.3f;
        return;
    }
    if (mDirty && (!mTurning || mSecondHalf)) {
        const Float half = dt * 12.0f * 0.5f;
        const Float target = GetTargetAngle();
        if (target > mCurrentAngle - half && target < mCurrentAngle + half) {
            mCurrentAngle = target;
            mDirty = false;
        } else {
            const Float d = mCurrentAngle - target;
            const Float size = std::fabs(d);
            if (size > Float(kTwoPi) - half && size < Float(kTwoPi) + half) {
                mCurrentAngle = target;
                mDirty = false;
            } else if (size > Float(kPi / 2.0) && size < Float(3.0 * kPi / 2.0) && !mFrozen && mFlip != nullptr) {
                // Without a picture to mirror there is no half-turn clip: such a sprite rotates.
                if (!mFlipping) {
                    if (Graph::ITimeline* sequence = mSequenceTimeline->Get())
                        sequence->Stop();
                    PlaySequence(10.0f, 10.1f);
                    mTurning = true;
                    mSecondHalf = false;
                    return;
                }
            } else if (d < -Float(kPi) || (d >= 0.0f && d <= Float(kPi))) {
                mCurrentAngle -= kTurnRate * dt;
            } else {
                mCurrentAngle += kTurnRate * dt;
            }
        }
        mCurrentAngle = Math::WrapAngle(mCurrentAngle);
        SetRotationTransforms(mCurrentAngle);
    }
    if (mFrozen)
        return;
    if (mTurning)
        TurnStep();
    if (IsColour() && !mTurning)
        FlipStep(Float(std::cos(Double(mCurrentAngle))));
}

void Animal::TurnStep()
{
    if (mFlip == nullptr || IsSequenceRunning())
        return;
    if (mSecondHalf) {
        mTurning = false;
        mSecondHalf = false;
        return;
    }
    PlaySequence(10.1f, 10.0f);
    ToggleMirroring();
    mCurrentAngle = Float(Math::WrapAngle(Double(mCurrentAngle) + kPi));
    SetRotationTransforms(mCurrentAngle);
    mSecondHalf = true;
}

void Animal::FlipStep(Float s)
{
    if (mFlip == nullptr)
        return;
    if (!mFlipping) {
        const Float scale = mFlip->GetScaleFactorX();
        if ((s < 0.0f && scale == 1.0f) || (s >= 0.0f && scale == -1.0f)) {
            if (Graph::ITimeline* sequence = mSequenceTimeline->Get())
                sequence->Stop();
            PlaySequence(5.0f, 5.1f);
            mFlipping = true;
            mSecondHalf = false;
        }
        return;
    }
    if (IsSequenceRunning())
        return;
    if (mSecondHalf) {
        mFlipping = false;
        mSecondHalf = false;
        return;
    }
    PlaySequence(5.1f, 5.0f);
    ToggleMirroring();
    mSecondHalf = true;
}

void Animal::SetRadius(Float radius)
{
    mRadius = radius;
    if (mScale->IsValid())
        mScale->Get()->SetScaleFactor(radius / DefaultRadius, radius / DefaultRadius, 1.0f);
}

void Animal::SetFrozen(Bool frozen)
{
    if (frozen && IsColour()) {
        mFrozen = true;
        if (Graph::ITimeline* sequence = mSequenceTimeline->Get())
            sequence->SetTimeScale(1.0f);
        PlaySequence(20.0f, 20.5f);
        mHeading = Float(kPi);
        SetMirrored(false);
        mCurrentAngle = 0.0f;
        SetRotationTransforms(0.0f);
    } else if (mFrozen) {
        mFrozen = false;
        if (Graph::ITimeline* sequence = mSequenceTimeline->Get()) {
            sequence->Stop();
            sequence->SetStartTime(0.0f);
            sequence->SetEndTime(0.0f);
            sequence->SetTimeScale(1.0f);
            sequence->Rewind();
        }
    }
    mDirty = true;
}

void Animal::SetCharred(Float duration)
{
    if (!IsMatchable())
        return;
    mCharred = true;
    mCharredShaken = false;
    if (Graph::ITimeline* sequence = mSequenceTimeline->Get())
        sequence->SetTimeScale(1.0f);
    PlaySequence(100.0f, 100.0f + duration);
    mHeading = Float(kPi);
    SetMirrored(false);
    mCurrentAngle = 0.0f;
    SetRotationTransforms(0.0f);
}

void Animal::StartShaking(Float rate)
{
    Graph::ITimeline* shaking = mShakingTimeline->Get();
    if (shaking == nullptr || shaking->IsRunning() || shaking->WasStopped() || mFlipping || mKind == KindJoker)
        return;
    mShakeRate = rate;
    shaking->SetStartTime(0.0f);
    shaking->SetEndTime(1.0f);
    shaking->SetTimeScale(rate);
    shaking->Rewind();
    shaking->Start();
}

Bool Animal::PlayIdle()
{
    if (IsSequenceRunning() || mFlipping || mFrozen || mCharred || mKind == KindJoker)
        return false;
    if (Graph::ITimeline* sequence = mSequenceTimeline->Get())
        sequence->SetTimeScale(1.0f);
    PlaySequence(0.0f, 1.18f);
    return true;
}

void Animal::BlinkRed(Bool toggle)
{
    if (mNormal == nullptr || mRed == nullptr)
        return;
    const Bool red = toggle && !mRed->IsActiveAndVisible();
    Show(mRed, red);
    Show(mNormal, !red);
}

void Animal::AdjustTimeScales(Float factor)
{
    if (!(factor >= 0.001f))
        factor = 0.001f;
    if (mShakingTimeline->IsValid() && mShakingTimeline->Get()->IsRunning())
        mShakingTimeline->Get()->SetTimeScale(mShakeRate * factor);
    if (IsSequenceRunning())
        mSequenceTimeline->Get()->SetTimeScale(factor);
}

Bool Animal::IsPointInside(const Math::Vector<Float>& point, Float margin) const
{
    if (!mOnScreen)
        return false;
    const Float dx = point.x - mPosition.x;
    const Float dy = point.y - mPosition.y;
    const Float reach = mRadius + margin;
    return reach * reach > dx * dx + dy * dy;
}

} // namespace App
} // namespace Vorn
