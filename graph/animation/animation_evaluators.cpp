#include "graph/animation/animation_evaluators.h"

#include <new>

#include "graph/animation/targets.h"
#include "graph/indexed.h"
#include "graph/node.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"

namespace Vorn {
namespace Graph {
namespace {

// The colour tracks in the order of the colour indices they drive.
struct ColorTrack
{
    UInt32 (Resource::IAnimation::*mCount)() const;
    const Resource::ColorKey* (Resource::IAnimation::*mKeys)() const;
};

const ColorTrack kColorTracks[ColorAnimationEvaluator::kNumberOfColors] = {
    {&Resource::IAnimation::GetNumberOfAmbientColorKeys, &Resource::IAnimation::GetAmbientColorKeys},
    {&Resource::IAnimation::GetNumberOfDiffuseColorKeys, &Resource::IAnimation::GetDiffuseColorKeys},
    {&Resource::IAnimation::GetNumberOfSpecularColorKeys, &Resource::IAnimation::GetSpecularColorKeys},
    {&Resource::IAnimation::GetNumberOfEmissiveColorKeys, &Resource::IAnimation::GetEmissiveColorKeys},
};

// The owner's interface, or null when either is missing.
template <class Target>
Target* FindTarget(INode* owner, const Resource::IAnimation* animation)
{
    if (owner == nullptr || animation == nullptr)
        return nullptr;
    return dynamic_cast<Target*>(owner);
}

} // namespace

AnimationEvaluator* CreateNodeAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    if (owner == nullptr || animation == nullptr)
        return nullptr;
    if (animation->GetNumberOfVisibleKeys() == 0 && animation->GetNumberOfActiveKeys() == 0)
        return nullptr;
    return new (std::nothrow) NodeAnimationEvaluator(animation, owner);
}

AnimationEvaluator* CreateTransformAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    ITransform* target = FindTarget<ITransform>(owner, animation);
    if (target == nullptr)
        return nullptr;
    if (animation->GetNumberOfPositionKeys() == 0 && animation->GetNumberOfRotationKeys() == 0)
        return nullptr;
    return new (std::nothrow) TransformAnimationEvaluator(animation, target);
}

AnimationEvaluator* CreateScaleAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    IScalable* target = FindTarget<IScalable>(owner, animation);
    if (target == nullptr || animation->GetNumberOfScalingKeys() == 0)
        return nullptr;
    return new (std::nothrow) ScaleAnimationEvaluator(animation, target);
}

AnimationEvaluator* CreateIndexAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    IIndexed* target = FindTarget<IIndexed>(owner, animation);
    if (target == nullptr || animation->GetNumberOfIndexKeys() == 0)
        return nullptr;
    return new (std::nothrow) IndexAnimationEvaluator(animation, target);
}

AnimationEvaluator* CreateColorAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    IColored* target = FindTarget<IColored>(owner, animation);
    if (target == nullptr)
        return nullptr;
    for (const ColorTrack& track : kColorTracks) {
        if ((animation->*track.mCount)() != 0)
            return new (std::nothrow) ColorAnimationEvaluator(animation, target);
    }
    return nullptr;
}

AnimationEvaluator* CreateVolumeAnimationEvaluator(INode* owner, const Resource::IAnimation* animation)
{
    IPlayable* target = FindTarget<IPlayable>(owner, animation);
    if (target == nullptr || animation->GetNumberOfVolumeKeys() == 0)
        return nullptr;
    return new (std::nothrow) VolumeAnimationEvaluator(animation, target);
}

NodeAnimationEvaluator::NodeAnimationEvaluator(const Resource::IAnimation* animation, INode* target)
    : AnimationEvaluator(animation), mTarget(target), mVisibleCursor(0), mActiveCursor(0)
{
}

Bool NodeAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    Bool visible = mTarget->IsVisible();
    Bool active = mTarget->IsActive();
    EvaluateKeys(mAnimation->GetNumberOfVisibleKeys(), mAnimation->GetVisibleKeys(), &mVisibleCursor, time, &visible);
    EvaluateKeys(mAnimation->GetNumberOfActiveKeys(), mAnimation->GetActiveKeys(), &mActiveCursor, time, &active);
    mTarget->SetVisible(visible);
    mTarget->SetActive(active);
    return true;
}

TransformAnimationEvaluator::TransformAnimationEvaluator(const Resource::IAnimation* animation, ITransform* target)
    : AnimationEvaluator(animation), mTarget(target), mPositionCursor(0), mRotationCursor(0)
{
}

Bool TransformAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    // The modifying access: an animated transform is no longer the identity.
    Math::Matrix<float>& matrix = mTarget->GetTransform();
    EvaluateKeys(mAnimation->GetNumberOfPositionKeys(), mAnimation->GetPositionKeys(), &mPositionCursor, time,
                 &matrix);
    EvaluateKeys(mAnimation->GetNumberOfRotationKeys(), mAnimation->GetRotationKeys(), &mRotationCursor, time,
                 &matrix);
    return true;
}

ScaleAnimationEvaluator::ScaleAnimationEvaluator(const Resource::IAnimation* animation, IScalable* target)
    : AnimationEvaluator(animation), mTarget(target), mScalingCursor(0)
{
}

Bool ScaleAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    Math::Vector<float> factor(1.0f, 1.0f, 1.0f, 1.0f);
    EvaluateKeys(mAnimation->GetNumberOfScalingKeys(), mAnimation->GetScalingKeys(), &mScalingCursor, time, &factor);
    mTarget->SetScaleFactor(factor);
    return true;
}

IndexAnimationEvaluator::IndexAnimationEvaluator(const Resource::IAnimation* animation, IIndexed* target)
    : AnimationEvaluator(animation), mTarget(target), mIndexCursor(0)
{
}

Bool IndexAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    SInt32 index;
    if (EvaluateKeys(mAnimation->GetNumberOfIndexKeys(), mAnimation->GetIndexKeys(), &mIndexCursor, time, &index))
        mTarget->SetIndex(index);
    return true;
}

ColorAnimationEvaluator::ColorAnimationEvaluator(const Resource::IAnimation* animation, IColored* target)
    : AnimationEvaluator(animation), mTarget(target), mColorCursors{0, 0, 0, 0}
{
}

Bool ColorAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    for (UInt32 index = 0; index < kNumberOfColors; ++index) {
        const ColorTrack& track = kColorTracks[index];
        Color color;
        if (EvaluateKeys((mAnimation->*track.mCount)(), (mAnimation->*track.mKeys)(), &mColorCursors[index], time,
                         &color))
            mTarget->SetColor(index, color);
    }
    return true;
}

VolumeAnimationEvaluator::VolumeAnimationEvaluator(const Resource::IAnimation* animation, IPlayable* target)
    : AnimationEvaluator(animation), mTarget(target), mVolumeCursor(0)
{
}

Bool VolumeAnimationEvaluator::Evaluate(Float time)
{
    if (mAnimation == nullptr)
        return false;
    Float volume;
    if (EvaluateKeys(mAnimation->GetNumberOfVolumeKeys(), mAnimation->GetVolumeKeys(), &mVolumeCursor, time, &volume))
        mTarget->SetVolume(volume);
    return true;
}

} // namespace Graph
} // namespace Vorn
