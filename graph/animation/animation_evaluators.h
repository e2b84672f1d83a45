// The animation evaluators of the node classes: each writes one kind of key track into one
// interface of its node. A node class offers an evaluator by handing its create function to its
// animation controller in InitSelf; the function returns null when the node or the animation is
// missing, the animation lacks those keys or the node lacks the interface.
#pragma once

#include "foundation/types.h"
#include "graph/animation/animation_evaluator.h"

namespace Vorn {
namespace Graph {

class INode;
class ITransform;
class IScalable;
class IIndexed;
class IColored;
class IPlayable;

AnimationEvaluator* CreateNodeAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);
AnimationEvaluator* CreateTransformAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);
AnimationEvaluator* CreateScaleAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);
AnimationEvaluator* CreateIndexAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);
AnimationEvaluator* CreateColorAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);
AnimationEvaluator* CreateVolumeAnimationEvaluator(INode* owner, const Resource::IAnimation* animation);

// Visible, then active keys; a track without keys keeps the node's current value.
class NodeAnimationEvaluator : public AnimationEvaluator
{
public:
    NodeAnimationEvaluator(const Resource::IAnimation* animation, INode* target);
    Bool Evaluate(Float time) override;

private:
    INode* mTarget;
    UInt32 mVisibleCursor;
    UInt32 mActiveCursor;
};

// Position keys into the translation, rotation keys into the rotation part of the node's matrix.
class TransformAnimationEvaluator : public AnimationEvaluator
{
public:
    TransformAnimationEvaluator(const Resource::IAnimation* animation, ITransform* target);
    Bool Evaluate(Float time) override;

private:
    ITransform* mTarget;
    UInt32 mPositionCursor;
    UInt32 mRotationCursor;
};

// Scaling keys; the factor is (1, 1, 1, 1) when the track yields nothing.
class ScaleAnimationEvaluator : public AnimationEvaluator
{
public:
    ScaleAnimationEvaluator(const Resource::IAnimation* animation, IScalable* target);
    Bool Evaluate(Float time) override;

private:
    IScalable* mTarget;
    UInt32 mScalingCursor;
};

class IndexAnimationEvaluator : public AnimationEvaluator
{
public:
    IndexAnimationEvaluator(const Resource::IAnimation* animation, IIndexed* target);
    Bool Evaluate(Float time) override;

private:
    IIndexed* mTarget;
    UInt32 mIndexCursor;
};

// Ambient, diffuse, specular and emissive keys into colours 0 to 3.
class ColorAnimationEvaluator : public AnimationEvaluator
{
public:
    static constexpr UInt32 kNumberOfColors = 4;

    ColorAnimationEvaluator(const Resource::IAnimation* animation, IColored* target);
    Bool Evaluate(Float time) override;

private:
    IColored* mTarget;
    UInt32 mColorCursors[kNumberOfColors];
};

class VolumeAnimationEvaluator : public AnimationEvaluator
{
public:
    VolumeAnimationEvaluator(const Resource::IAnimation* animation, IPlayable* target);
    Bool Evaluate(Float time) override;

private:
    IPlayable* mTarget;
    UInt32 mVolumeCursor;
};

} // namespace Graph
} // namespace Vorn
