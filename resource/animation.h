// Animation resources: key tracks over a time range, one track per key kind, that the scene
// graph's animation controllers and evaluators read in place. The key records have the same
// packed little-endian layout in memory and in the native "ANIM" file.
#pragma once

#include "foundation/attributes.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

// Every key starts with its time in seconds and its Enums::InterpolationType, which governs the
// stretch from this key to the next one.

// Visible and active tracks: a value other than 0 is true; they never interpolate.
struct FlagKey
{
    Float time;
    UInt32 interpolation;
    SInt32 value;
};

struct IndexKey
{
    Float time;
    UInt32 interpolation;
    SInt32 value;
};

// Alpha, volume and time tracks.
struct ScalarKey
{
    Float time;
    UInt32 interpolation;
    Float value;
};

// The four material colour tracks.
struct ColorKey
{
    Float time;
    UInt32 interpolation;
    Color value;
};

struct PositionKey
{
    Float time;
    UInt32 interpolation;
    Float x;
    Float y;
    Float z;
};

struct ScalingKey
{
    Float time;
    UInt32 interpolation;
    Float x;
    Float y;
    Float z;
};

// A rotation by angle radians about the axis (x, y, z), which is of unit length.
struct RotationKey
{
    Float time;
    UInt32 interpolation;
    Float x;
    Float y;
    Float z;
    Float angle;
};

using VisibleKey = FlagKey;
using ActiveKey = FlagKey;
using AlphaKey = ScalarKey;
using VolumeKey = ScalarKey;
using TimeKey = ScalarKey;
using AmbientColorKey = ColorKey;
using DiffuseColorKey = ColorKey;
using SpecularColorKey = ColorKey;
using EmissiveColorKey = ColorKey;

static_assert(sizeof(FlagKey) == 12 && sizeof(IndexKey) == 12 && sizeof(ScalarKey) == 12);
static_assert(sizeof(ColorKey) == 24 && sizeof(PositionKey) == 20 && sizeof(ScalingKey) == 20);
static_assert(sizeof(RotationKey) == 24);

// The key kinds in file order: the writer emits their chunks in this order.
enum class AnimationKeyKind : UInt32
{
    VISIBLE = 0,
    ACTIVE,
    INDEX,
    ALPHA,
    VOLUME,
    TIME,
    AMBIENT_COLOR,
    DIFFUSE_COLOR,
    SPECULAR_COLOR,
    EMISSIVE_COLOR,
    POSITION,
    SCALING,
    ROTATION,
};

constexpr UInt32 kNumberOfAnimationKeyKinds = 13;

struct AnimationKeyKindInfo
{
    AnimationKeyKind kind;
    const char* elementName; // in the XML form
    UInt32 tag;              // of the native chunk
    UInt32 recordSize;       // bytes per key
};

// The row of a kind; the rows stand in AnimationKeyKind order.
const AnimationKeyKindInfo& GetAnimationKeyKindInfo(AnimationKeyKind kind);
const AnimationKeyKindInfo* GetAnimationKeyKindInfos();

// What the animation controllers and evaluators read. Each key array is null when its count is 0.
class IAnimation
{
public:
    virtual Float GetStartTime() const = 0;
    virtual Float GetEndTime() const = 0;
    // End time minus start time.
    virtual Float GetDuration() const = 0;

    virtual UInt32 GetNumberOfVisibleKeys() const = 0;
    virtual UInt32 GetNumberOfActiveKeys() const = 0;
    virtual UInt32 GetNumberOfIndexKeys() const = 0;
    virtual const VisibleKey* GetVisibleKeys() const = 0;
    virtual const ActiveKey* GetActiveKeys() const = 0;
    virtual const IndexKey* GetIndexKeys() const = 0;

    virtual UInt32 GetNumberOfAlphaKeys() const = 0;
    virtual UInt32 GetNumberOfVolumeKeys() const = 0;
    virtual UInt32 GetNumberOfTimeKeys() const = 0;
    virtual const AlphaKey* GetAlphaKeys() const = 0;
    virtual const VolumeKey* GetVolumeKeys() const = 0;
    virtual const TimeKey* GetTimeKeys() const = 0;

    virtual UInt32 GetNumberOfAmbientColorKeys() const = 0;
    virtual UInt32 GetNumberOfDiffuseColorKeys() const = 0;
    virtual UInt32 GetNumberOfSpecularColorKeys() const = 0;
    virtual UInt32 GetNumberOfEmissiveColorKeys() const = 0;
    virtual const AmbientColorKey* GetAmbientColorKeys() const = 0;
    virtual const DiffuseColorKey* GetDiffuseColorKeys() const = 0;
    virtual const SpecularColorKey* GetSpecularColorKeys() const = 0;
    virtual const EmissiveColorKey* GetEmissiveColorKeys() const = 0;

    virtual UInt32 GetNumberOfPositionKeys() const = 0;
    virtual UInt32 GetNumberOfRotationKeys() const = 0;
    virtual UInt32 GetNumberOfScalingKeys() const = 0;
    virtual const PositionKey* GetPositionKeys() const = 0;
    virtual const ScalingKey* GetScalingKeys() const = 0;
    virtual const RotationKey* GetRotationKeys() const = 0;

    virtual ~IAnimation() {}
};

// The animation type: the time range and one track per key kind, filled by the readers
// (NativeAnimation, XmlAnimation) and never changed afterwards.
class Animation : public Object, public IAnimation
{
public:
    Animation(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Animation() override;

    Float GetStartTime() const override { return mStartTime; }
    Float GetEndTime() const override { return mEndTime; }
    Float GetDuration() const override { return mEndTime - mStartTime; }

    UInt32 GetNumberOfVisibleKeys() const override { return GetNumberOfKeys(AnimationKeyKind::VISIBLE); }
    UInt32 GetNumberOfActiveKeys() const override { return GetNumberOfKeys(AnimationKeyKind::ACTIVE); }
    UInt32 GetNumberOfIndexKeys() const override { return GetNumberOfKeys(AnimationKeyKind::INDEX); }
    const VisibleKey* GetVisibleKeys() const override { return GetKeys<VisibleKey>(AnimationKeyKind::VISIBLE); }
    const ActiveKey* GetActiveKeys() const override { return GetKeys<ActiveKey>(AnimationKeyKind::ACTIVE); }
    const IndexKey* GetIndexKeys() const override { return GetKeys<IndexKey>(AnimationKeyKind::INDEX); }

    UInt32 GetNumberOfAlphaKeys() const override { return GetNumberOfKeys(AnimationKeyKind::ALPHA); }
    UInt32 GetNumberOfVolumeKeys() const override { return GetNumberOfKeys(AnimationKeyKind::VOLUME); }
    UInt32 GetNumberOfTimeKeys() const override { return GetNumberOfKeys(AnimationKeyKind::TIME); }
    const AlphaKey* GetAlphaKeys() const override { return GetKeys<AlphaKey>(AnimationKeyKind::ALPHA); }
    const VolumeKey* GetVolumeKeys() const override { return GetKeys<VolumeKey>(AnimationKeyKind::VOLUME); }
    const TimeKey* GetTimeKeys() const override { return GetKeys<TimeKey>(AnimationKeyKind::TIME); }

    UInt32 GetNumberOfAmbientColorKeys() const override { return GetNumberOfKeys(AnimationKeyKind::AMBIENT_COLOR); }
    UInt32 GetNumberOfDiffuseColorKeys() const override { return GetNumberOfKeys(AnimationKeyKind::DIFFUSE_COLOR); }
    UInt32 GetNumberOfSpecularColorKeys() const override { return GetNumberOfKeys(AnimationKeyKind::SPECULAR_COLOR); }
    UInt32 GetNumberOfEmissiveColorKeys() const override { return GetNumberOfKeys(AnimationKeyKind::EMISSIVE_COLOR); }
    const AmbientColorKey* GetAmbientColorKeys() const override
    {
        return GetKeys<AmbientColorKey>(AnimationKeyKind::AMBIENT_COLOR);
    }
    const DiffuseColorKey* GetDiffuseColorKeys() const override
    {
        return GetKeys<DiffuseColorKey>(AnimationKeyKind::DIFFUSE_COLOR);
    }
    const SpecularColorKey* GetSpecularColorKeys() const override
    {
        return GetKeys<SpecularColorKey>(AnimationKeyKind::SPECULAR_COLOR);
    }
    const EmissiveColorKey* GetEmissiveColorKeys() const override
    {
        return GetKeys<EmissiveColorKey>(AnimationKeyKind::EMISSIVE_COLOR);
    }

    UInt32 GetNumberOfPositionKeys() const override { return GetNumberOfKeys(AnimationKeyKind::POSITION); }
    UInt32 GetNumberOfRotationKeys() const override { return GetNumberOfKeys(AnimationKeyKind::ROTATION); }
    UInt32 GetNumberOfScalingKeys() const override { return GetNumberOfKeys(AnimationKeyKind::SCALING); }
    const PositionKey* GetPositionKeys() const override { return GetKeys<PositionKey>(AnimationKeyKind::POSITION); }
    const ScalingKey* GetScalingKeys() const override { return GetKeys<ScalingKey>(AnimationKeyKind::SCALING); }
    const RotationKey* GetRotationKeys() const override { return GetKeys<RotationKey>(AnimationKeyKind::ROTATION); }

    // One track by kind, for code that treats all kinds alike (the native writer).
    UInt32 GetNumberOfKeys(AnimationKeyKind kind) const { return mTracks[UInt32(kind)].count; }
    const void* GetKeyData(AnimationKeyKind kind) const { return mTracks[UInt32(kind)].keys; }

protected:
    struct Track
    {
        UInt32 count;
        const void* keys; // null when count is 0
    };

    template <class Key>
    const Key* GetKeys(AnimationKeyKind kind) const
    {
        return static_cast<const Key*>(mTracks[UInt32(kind)].keys);
    }
    // Keys are not copied: whoever sets a track keeps its records alive as long as the animation.
    void SetTrack(AnimationKeyKind kind, UInt32 count, const void* keys);
    void SetTimeRange(Float startTime, Float endTime);

private:
    Float mStartTime;
    Float mEndTime;
    Track mTracks[kNumberOfAnimationKeyKinds];
};

} // namespace Resource
} // namespace Vorn
