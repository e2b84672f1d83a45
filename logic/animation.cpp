#include "logic/animation.h"

#include <cmath>

#include "foundation/interpolation.h"

namespace Vorn {
namespace Logic {

namespace {

// The value at weight w between a and b.
Float Blend(Float a, Float b, Float w)
{
    return a + w * (b - a);
}

Math::Vector<float> Blend(const Math::Vector<float>& a, const Math::Vector<float>& b, Float w)
{
    return Math::Vector<float>(Blend(a.x, b.x, w), Blend(a.y, b.y, w), Blend(a.z, b.z, w), Blend(a.w, b.w, w));
}

// Falling tracks need a signed difference, and an extrapolated value may leave the range of the
// type: it is held at the range's ends instead of wrapping.
UInt32 Blend(UInt32 a, UInt32 b, Float w)
{
    const Double value = Double(a) + Double(w) * (Double(b) - Double(a));
    if (!(value > 0.0))
        return 0;
    if (value >= 4294967295.0)
        return 0xFFFFFFFFu;
    return UInt32(std::llround(value));
}

} // namespace

template <typename T>
Animation<T>::Animation() : mValue(), mKeyCursor(0)
{
}

template <typename T>
Animation<T>::~Animation()
{
}

template <typename T>
void Animation<T>::OnUpdate()
{
    OnValueChanged(mValue);
}

template <typename T>
void Animation<T>::OnSetTime(Double time)
{
    const SInt32 count = mKeys.GetCount();
    if (count == 0)
        return;
    if (mKeyCursor >= UInt32(count))
        mKeyCursor = 0;
    SInt32 i = SInt32(mKeyCursor);
    if (time < Double(mKeys[i].mTime))
        i = 0;
    // A time exactly on a key selects the segment that starts there.
    while (i < count - 1 && time >= Double(mKeys[i + 1].mTime))
        ++i;
    mKeyCursor = UInt32(i);
    const Key& from = mKeys[i];
    const Key& to = mKeys[i < count - 1 ? i + 1 : i];
    const Real span = to.mTime - from.mTime;
    if (span > 0.0f && from.mInterpolation != Enums::InterpolationType::CONSTANT) {
        const Float position = Float((time - Double(from.mTime)) / Double(span));
        mValue = Blend(from.mValue, to.mValue, Interpolate(from.mInterpolation, position));
    } else {
        mValue = from.mValue;
    }
}

template <typename T>
void Animation<T>::OnValueChanged(const T&)
{
}

template <typename T>
Bool Animation<T>::StartTimeRange(Real startTime, Real endTime)
{
    if (mKeys.IsEmpty())
        return false;
    return mTimeline->SetTimeRange(startTime, endTime);
}

template <typename T>
Bool Animation<T>::Start()
{
    if (mKeys.IsEmpty())
        return false;
    return mTimeline->Start();
}

template <typename T>
Bool Animation<T>::StartForward()
{
    if (mKeys.GetCount() < 2)
        return false;
    return mTimeline->SetTimeRange(mKeys[0].mTime, mKeys.GetLast().mTime);
}

template <typename T>
Bool Animation<T>::StartBackward()
{
    if (mKeys.GetCount() < 2)
        return false;
    return mTimeline->SetTimeRange(mKeys.GetLast().mTime, mKeys[0].mTime);
}

template <typename T>
Bool Animation<T>::Restart(Real startTime, Real endTime)
{
    if (mKeys.IsEmpty())
        return false;
    mKeyCursor = 0;
    mTimeline->SetWrapCount(0);
    return mTimeline->SetTimeRange(startTime, endTime);
}

template <typename T>
Bool Animation<T>::Restart()
{
    if (mKeys.IsEmpty())
        return false;
    return Restart(0.0f, mKeys.GetLast().mTime);
}

template <typename T>
void Animation<T>::Reset()
{
    mTimeline->Reset();
    mKeyCursor = 0;
}

template <typename T>
void Animation<T>::ClearKeys()
{
    mKeys.Clear();
    mKeyCursor = 0;
}

template <typename T>
void Animation<T>::AppendKey(Real time, const T& value, Enums::InterpolationType interpolation)
{
    mKeys.Add(Key{time, value, interpolation});
}

template class Animation<Float>;
template class Animation<UInt32>;
template class Animation<Math::Vector<float>>;

} // namespace Logic
} // namespace Vorn
