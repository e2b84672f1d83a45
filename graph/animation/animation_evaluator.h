// The base of the animation evaluators: one evaluator per target kind turns the key tracks of an
// animation resource into values for its node at an animation time. EvaluateKeys is the key-track
// evaluation they all share.
#pragma once

#include "foundation/attributes.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "resource/animation.h"

namespace Vorn {
namespace Graph {

class AnimationEvaluator
{
public:
    AnimationEvaluator();
    explicit AnimationEvaluator(const Resource::IAnimation* animation);

    AnimationEvaluator(const AnimationEvaluator&) = delete;
    AnimationEvaluator& operator=(const AnimationEvaluator&) = delete;

    virtual void SetAnimation(const Resource::IAnimation* animation);
    virtual const Resource::IAnimation* GetAnimation() const;
    // Reads the tracks at the time (seconds) and writes the target.
    virtual Bool Evaluate(Float time) = 0;
    virtual ~AnimationEvaluator();

    // The value of a track at time, from the key at the cursor onwards; the cursor (the current
    // key) is kept between calls so that forward play costs one comparison. A key's interpolation
    // governs the segment up to the next key; after the last key its value holds, and before the
    // first a curved first key extends backwards. False, writing nothing, for an empty track.
    static Bool EvaluateKeys(UInt32 count, const Resource::FlagKey* keys, UInt32* cursor, Float time, Bool* value);
    static Bool EvaluateKeys(UInt32 count, const Resource::IndexKey* keys, UInt32* cursor, Float time,
                             SInt32* value);
    static Bool EvaluateKeys(UInt32 count, const Resource::ScalarKey* keys, UInt32* cursor, Float time,
                             Float* value);
    static Bool EvaluateKeys(UInt32 count, const Resource::ColorKey* keys, UInt32* cursor, Float time, Color* value);
    // The fourth component is 0.
    static Bool EvaluateKeys(UInt32 count, const Resource::ScalingKey* keys, UInt32* cursor, Float time,
                             Math::Vector<float>* value);
    // Writes the translation (elements 12 to 14) only.
    static Bool EvaluateKeys(UInt32 count, const Resource::PositionKey* keys, UInt32* cursor, Float time,
                             Math::Matrix<float>* matrix);
    // Writes the rotation part (elements 0-2, 4-6, 8-10) only.
    static Bool EvaluateKeys(UInt32 count, const Resource::RotationKey* keys, UInt32* cursor, Float time,
                             Math::Matrix<float>* matrix);

protected:
    // The held value of one key, and the mix of two keys by the curve weight w.
    static void GetKeyValue(const Resource::FlagKey& key, Bool* value);
    static void GetKeyValue(const Resource::IndexKey& key, SInt32* value);
    static void GetKeyValue(const Resource::ScalarKey& key, Float* value);
    static void GetKeyValue(const Resource::ColorKey& key, Color* value);
    static void GetKeyValue(const Resource::ScalingKey& key, Math::Vector<float>* value);
    static void GetKeyValue(const Resource::PositionKey& key, Math::Matrix<float>* matrix);
    static void GetKeyValue(const Resource::RotationKey& key, Math::Matrix<float>* matrix);
    static void InterpolateKeyValues(const Resource::FlagKey& a, const Resource::FlagKey& b, Float w, Bool* value);
    static void InterpolateKeyValues(const Resource::IndexKey& a, const Resource::IndexKey& b, Float w,
                                     SInt32* value);
    static void InterpolateKeyValues(const Resource::ScalarKey& a, const Resource::ScalarKey& b, Float w,
                                     Float* value);
    static void InterpolateKeyValues(const Resource::ColorKey& a, const Resource::ColorKey& b, Float w, Color* value);
    static void InterpolateKeyValues(const Resource::ScalingKey& a, const Resource::ScalingKey& b, Float w,
                                     Math::Vector<float>* value);
    static void InterpolateKeyValues(const Resource::PositionKey& a, const Resource::PositionKey& b, Float w,
                                     Math::Matrix<float>* matrix);
    static void InterpolateKeyValues(const Resource::RotationKey& a, const Resource::RotationKey& b, Float w,
                                     Math::Matrix<float>* matrix);

    const Resource::IAnimation* mAnimation;
};

} // namespace Graph
} // namespace Vorn
