#include "graph/animation/animation_evaluator.h"

#include "foundation/interpolation.h"
#include "foundation/math.h"
#include "graph/axis_rotation.h"

namespace Vorn {
namespace Graph {
namespace {

Float Mix(Float a, Float b, Float w)
{
    return (b - a) * w + a;
}

// The key-track evaluation shared by every key type; Key and Value pick the helpers.
template <class Key, class Value>
Bool EvaluateTrack(UInt32 count, const Key* keys, UInt32* cursor, Float time, Value* value,
                   void (*hold)(const Key&, Value*), void (*mix)(const Key&, const Key&, Float, Value*))
{
    if (count == 0 || keys == nullptr)
        return false;
    UInt32 i = *cursor;
    // A cursor left by a longer track (the animation was swapped) must not read past the keys.
    if (i >= count || keys[i].time > time)
        i = 0;
    while (i < count - 1 && time >= keys[i + 1].time)
        ++i;
    *cursor = i;
    const UInt32 j = i < count - 1 ? i + 1 : i;
    const Float span = keys[j].time - keys[i].time;
    const auto kind = static_cast<Enums::InterpolationType>(keys[i].interpolation);
    if (span > 0.0f && kind != Enums::InterpolationType::CONSTANT) {
        const Float u = (time - keys[i].time) / span;
        mix(keys[i], keys[j], Logic::Interpolate(kind, u), value);
    } else {
        hold(keys[i], value);
    }
    return true;
}

} // namespace

AnimationEvaluator::AnimationEvaluator() : mAnimation(nullptr)
{
}

AnimationEvaluator::AnimationEvaluator(const Resource::IAnimation* animation) : mAnimation(animation)
{
}

AnimationEvaluator::~AnimationEvaluator()
{
}

void AnimationEvaluator::SetAnimation(const Resource::IAnimation* animation)
{
    mAnimation = animation;
}

const Resource::IAnimation* AnimationEvaluator::GetAnimation() const
{
    return mAnimation;
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::FlagKey* keys, UInt32* cursor, Float time,
                                      Bool* value)
{
    return EvaluateTrack<Resource::FlagKey, Bool>(count, keys, cursor, time, value, &GetKeyValue,
                                                  &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::IndexKey* keys, UInt32* cursor, Float time,
                                      SInt32* value)
{
    return EvaluateTrack<Resource::IndexKey, SInt32>(count, keys, cursor, time, value, &GetKeyValue,
                                                     &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::ScalarKey* keys, UInt32* cursor, Float time,
                                      Float* value)
{
    return EvaluateTrack<Resource::ScalarKey, Float>(count, keys, cursor, time, value, &GetKeyValue,
                                                     &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::ColorKey* keys, UInt32* cursor, Float time,
                                      Color* value)
{
    return EvaluateTrack<Resource::ColorKey, Color>(count, keys, cursor, time, value, &GetKeyValue,
                                                    &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::ScalingKey* keys, UInt32* cursor, Float time,
                                      Math::Vector<float>* value)
{
    return EvaluateTrack<Resource::ScalingKey, Math::Vector<float>>(count, keys, cursor, time, value, &GetKeyValue,
                                                                    &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::PositionKey* keys, UInt32* cursor, Float time,
                                      Math::Matrix<float>* matrix)
{
    return EvaluateTrack<Resource::PositionKey, Math::Matrix<float>>(count, keys, cursor, time, matrix,
                                                                     &GetKeyValue, &InterpolateKeyValues);
}

Bool AnimationEvaluator::EvaluateKeys(UInt32 count, const Resource::RotationKey* keys, UInt32* cursor, Float time,
                                      Math::Matrix<float>* matrix)
{
    return EvaluateTrack<Resource::RotationKey, Math::Matrix<float>>(count, keys, cursor, time, matrix,
                                                                     &GetKeyValue, &InterpolateKeyValues);
}

void AnimationEvaluator::GetKeyValue(const Resource::FlagKey& key, Bool* value)
{
    *value = key.value != 0;
}

void AnimationEvaluator::GetKeyValue(const Resource::IndexKey& key, SInt32* value)
{
    *value = key.value;
}

void AnimationEvaluator::GetKeyValue(const Resource::ScalarKey& key, Float* value)
{
    *value = key.value;
}

void AnimationEvaluator::GetKeyValue(const Resource::ColorKey& key, Color* value)
{
    *value = key.value;
}

void AnimationEvaluator::GetKeyValue(const Resource::ScalingKey& key, Math::Vector<float>* value)
{
    value->Set(key.x, key.y, key.z, 0.0f);
}

void AnimationEvaluator::GetKeyValue(const Resource::PositionKey& key, Math::Matrix<float>* matrix)
{
    (*matrix)[12] = key.x;
    (*matrix)[13] = key.y;
    (*matrix)[14] = key.z;
}

void AnimationEvaluator::GetKeyValue(const Resource::RotationKey& key, Math::Matrix<float>* matrix)
{
    WriteAxisRotation(*matrix, key.x, key.y, key.z, key.angle);
}

// Visibility and activity never blend: the current key's value holds over its whole segment.
void AnimationEvaluator::InterpolateKeyValues(const Resource::FlagKey& a, const Resource::FlagKey&, Float,
                                              Bool* value)
{
    *value = a.value != 0;
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::IndexKey& a, const Resource::IndexKey& b, Float w,
                                              SInt32* value)
{
    // Truncated toward zero; a weight far outside 0 to 1 (a time long before the first key)
    // saturates instead of converting out of range, and a time that is not a number holds.
    const Float mixed = Mix(Float(a.value), Float(b.value), w);
    if (mixed != mixed)
        *value = a.value;
    else if (mixed <= -2147483648.0f)
        *value = SInt32(-2147483647 - 1);
    else if (mixed >= 2147483648.0f)
        *value = 2147483647;
    else
        *value = SInt32(mixed);
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::ScalarKey& a, const Resource::ScalarKey& b, Float w,
                                              Float* value)
{
    *value = Mix(a.value, b.value, w);
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::ColorKey& a, const Resource::ColorKey& b, Float w,
                                              Color* value)
{
    value->red = Mix(a.value.red, b.value.red, w);
    value->green = Mix(a.value.green, b.value.green, w);
    value->blue = Mix(a.value.blue, b.value.blue, w);
    value->alpha = Mix(a.value.alpha, b.value.alpha, w);
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::ScalingKey& a, const Resource::ScalingKey& b, Float w,
                                              Math::Vector<float>* value)
{
    value->Set(Mix(a.x, b.x, w), Mix(a.y, b.y, w), Mix(a.z, b.z, w), 0.0f);
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::PositionKey& a, const Resource::PositionKey& b,
                                              Float w, Math::Matrix<float>* matrix)
{
    (*matrix)[12] = Mix(a.x, b.x, w);
    (*matrix)[13] = Mix(a.y, b.y, w);
    (*matrix)[14] = Mix(a.z, b.z, w);
}

void AnimationEvaluator::InterpolateKeyValues(const Resource::RotationKey& a, const Resource::RotationKey& b,
                                              Float w, Math::Matrix<float>* matrix)
{
    Float x = Mix(a.x, b.x, w);
    Float y = Mix(a.y, b.y, w);
    Float z = Mix(a.z, b.z, w);
    const Float length = Math::Sqrt(x * x + y * y + z * z);
    if (length > 0.0f) {
        x /= length;
        y /= length;
        z /= length;
    } else {
        // Opposite axes cancel half-way: keep the first key's axis, the limit from its side.
        x = a.x;
        y = a.y;
        z = a.z;
    }
    WriteAxisRotation(*matrix, x, y, z, Mix(a.angle, b.angle, w));
}

} // namespace Graph
} // namespace Vorn
