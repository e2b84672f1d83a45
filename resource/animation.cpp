#include "resource/animation.h"

namespace Vorn {
namespace Resource {

namespace {

constexpr AnimationKeyKindInfo kKeyKinds[kNumberOfAnimationKeyKinds] = {
    {AnimationKeyKind::VISIBLE, "VisibleKey", MakeTag("VISK"), sizeof(VisibleKey)},
    {AnimationKeyKind::ACTIVE, "ActiveKey", MakeTag("ACTK"), sizeof(ActiveKey)},
    {AnimationKeyKind::INDEX, "IndexKey", MakeTag("IDXK"), sizeof(IndexKey)},
    {AnimationKeyKind::ALPHA, "AlphaKey", MakeTag("ALPK"), sizeof(AlphaKey)},
    {AnimationKeyKind::VOLUME, "VolumeKey", MakeTag("VOLK"), sizeof(VolumeKey)},
    {AnimationKeyKind::TIME, "TimeKey", MakeTag("TIMK"), sizeof(TimeKey)},
    {AnimationKeyKind::AMBIENT_COLOR, "AmbientColorKey", MakeTag("AMCK"), sizeof(AmbientColorKey)},
    {AnimationKeyKind::DIFFUSE_COLOR, "DiffuseColorKey", MakeTag("DFCK"), sizeof(DiffuseColorKey)},
    {AnimationKeyKind::SPECULAR_COLOR, "SpecularColorKey", MakeTag("SPCK"), sizeof(SpecularColorKey)},
    {AnimationKeyKind::EMISSIVE_COLOR, "EmissiveColorKey", MakeTag("EMCK"), sizeof(EmissiveColorKey)},
    {AnimationKeyKind::POSITION, "PositionKey", MakeTag("POSK"), sizeof(PositionKey)},
    {AnimationKeyKind::SCALING, "ScalingKey", MakeTag("SCLK"), sizeof(ScalingKey)},
    {AnimationKeyKind::ROTATION, "RotationKey", MakeTag("ROTK"), sizeof(RotationKey)},
};

constexpr Bool RowsFollowKindOrder()
{
    for (UInt32 i = 0; i < kNumberOfAnimationKeyKinds; ++i) {
        if (UInt32(kKeyKinds[i].kind) != i)
            return false;
    }
    return true;
}
static_assert(RowsFollowKindOrder());

} // namespace

const AnimationKeyKindInfo& GetAnimationKeyKindInfo(AnimationKeyKind kind)
{
    return kKeyKinds[UInt32(kind)];
}

const AnimationKeyKindInfo* GetAnimationKeyKindInfos()
{
    return kKeyKinds;
}

Animation::Animation(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                     UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount), mStartTime(0.0f), mEndTime(0.0f), mTracks()
{
}

Animation::~Animation() = default;

void Animation::SetTrack(AnimationKeyKind kind, UInt32 count, const void* keys)
{
    Track& track = mTracks[UInt32(kind)];
    track.count = keys != nullptr ? count : 0;
    track.keys = count != 0 ? keys : nullptr;
}

void Animation::SetTimeRange(Float startTime, Float endTime)
{
    mStartTime = startTime;
    mEndTime = endTime;
}

} // namespace Resource
} // namespace Vorn
