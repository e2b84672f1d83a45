// An animation resource for tests of animation controllers and evaluators: one vector of key
// records per track, filled by the test and read in place like the real resource's tracks.
#pragma once

#include <vector>

#include "resource/animation.h"

namespace Vorn {
namespace Testing {

class FakeAnimation : public Resource::IAnimation
{
public:
    Float GetStartTime() const override { return mStartTime; }
    Float GetEndTime() const override { return mEndTime; }
    Float GetDuration() const override { return mEndTime - mStartTime; }

    UInt32 GetNumberOfVisibleKeys() const override { return Count(mVisible); }
    UInt32 GetNumberOfActiveKeys() const override { return Count(mActive); }
    UInt32 GetNumberOfIndexKeys() const override { return Count(mIndex); }
    const Resource::VisibleKey* GetVisibleKeys() const override { return Keys(mVisible); }
    const Resource::ActiveKey* GetActiveKeys() const override { return Keys(mActive); }
    const Resource::IndexKey* GetIndexKeys() const override { return Keys(mIndex); }

    UInt32 GetNumberOfAlphaKeys() const override { return Count(mAlpha); }
    UInt32 GetNumberOfVolumeKeys() const override { return Count(mVolume); }
    UInt32 GetNumberOfTimeKeys() const override { return Count(mTime); }
    const Resource::AlphaKey* GetAlphaKeys() const override { return Keys(mAlpha); }
    const Resource::VolumeKey* GetVolumeKeys() const override { return Keys(mVolume); }
    const Resource::TimeKey* GetTimeKeys() const override { return Keys(mTime); }

    UInt32 GetNumberOfAmbientColorKeys() const override { return Count(mColors[0]); }
    UInt32 GetNumberOfDiffuseColorKeys() const override { return Count(mColors[1]); }
    UInt32 GetNumberOfSpecularColorKeys() const override { return Count(mColors[2]); }
    UInt32 GetNumberOfEmissiveColorKeys() const override { return Count(mColors[3]); }
    const Resource::AmbientColorKey* GetAmbientColorKeys() const override { return Keys(mColors[0]); }
    const Resource::DiffuseColorKey* GetDiffuseColorKeys() const override { return Keys(mColors[1]); }
    const Resource::SpecularColorKey* GetSpecularColorKeys() const override { return Keys(mColors[2]); }
    const Resource::EmissiveColorKey* GetEmissiveColorKeys() const override { return Keys(mColors[3]); }

    UInt32 GetNumberOfPositionKeys() const override { return Count(mPosition); }
    UInt32 GetNumberOfRotationKeys() const override { return Count(mRotation); }
    UInt32 GetNumberOfScalingKeys() const override { return Count(mScaling); }
    const Resource::PositionKey* GetPositionKeys() const override { return Keys(mPosition); }
    const Resource::ScalingKey* GetScalingKeys() const override { return Keys(mScaling); }
    const Resource::RotationKey* GetRotationKeys() const override { return Keys(mRotation); }

    Float mStartTime = 0.0f;
    Float mEndTime = 0.0f;
    std::vector<Resource::FlagKey> mVisible;
    std::vector<Resource::FlagKey> mActive;
    std::vector<Resource::IndexKey> mIndex;
    std::vector<Resource::ScalarKey> mAlpha;
    std::vector<Resource::ScalarKey> mVolume;
    std::vector<Resource::ScalarKey> mTime;
    // Ambient, diffuse, specular, emissive.
    std::vector<Resource::ColorKey> mColors[4];
    std::vector<Resource::PositionKey> mPosition;
    std::vector<Resource::ScalingKey> mScaling;
    std::vector<Resource::RotationKey> mRotation;

private:
    template <class Key>
    static UInt32 Count(const std::vector<Key>& keys)
    {
        return UInt32(keys.size());
    }
    // Null for an empty track, as the real resource gives.
    template <class Key>
    static const Key* Keys(const std::vector<Key>& keys)
    {
        return keys.empty() ? nullptr : keys.data();
    }
};

} // namespace Testing
} // namespace Vorn
