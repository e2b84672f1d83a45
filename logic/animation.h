// Keyed value tracks on a logic timeline of their own: the owner fills the keys, starts the
// track, and adds the timeline to its processor's stepables; every move of the timeline
// evaluates the track into the current value. Made for float, unsigned int and
// Math::Vector<float> values.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "logic/timeline.h"

namespace Vorn {
namespace Logic {

template <typename T>
class Animation : public BaseTimeline
{
public:
    struct Key
    {
        Real mTime;
        T mValue;
        Enums::InterpolationType mInterpolation;
    };

    Animation();
    ~Animation() override;

    // Hands the current value to OnValueChanged.
    void OnUpdate() override;
    // Evaluates the track at the time into the current value.
    void OnSetTime(Double time) override;

    // Hook for derived classes.
    virtual void OnValueChanged(const T& value);

    const T& GetValue() const { return mValue; }

    // Each false without keys; else the timeline's operation of the same name.
    Bool StartTimeRange(Real startTime, Real endTime);
    Bool Start();
    // From the first key's time to the last one's, or back; false with fewer than two keys.
    Bool StartForward();
    Bool StartBackward();
    // Runs the track once over the time range: no wraps, rewound (evaluating the start) and
    // started. False without keys.
    Bool Restart(Real startTime, Real endTime);
    // The same from time 0 to the last key's time.
    Bool Restart();
    // Stops and rewinds the timeline (evaluating at the start time) and searches keys afresh.
    void Reset();

    // Keys go in ascending time order; the interpolation of a key shapes the segment it starts.
    void ClearKeys();
    void AppendKey(Real time, const T& value, Enums::InterpolationType interpolation);
    UInt32 GetNumberOfKeys() const { return UInt32(mKeys.GetCount()); }
    const Key& GetKey(UInt32 index) const { return mKeys[SInt32(index)]; }

protected:
    Array<Key> mKeys;
    T mValue;
    UInt32 mKeyCursor;
};

extern template class Animation<Float>;
extern template class Animation<UInt32>;
extern template class Animation<Math::Vector<float>>;

} // namespace Logic
} // namespace Vorn
