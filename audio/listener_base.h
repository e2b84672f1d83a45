// The hearing position, volume and distance model that both back-ends' listeners keep for the
// renderer and the scene graph to read back.
#pragma once

#include "audio/renderer.h"
#include "foundation/matrix.h"

namespace Vorn {
namespace Audio {

class ListenerBase : public IListener
{
public:
    // Keeps the transform and its inverse, taken as a rotation plus a translation.
    void SetTransform(const Math::Matrix<float>& transform) override;
    const Math::Matrix<float>& GetTransform() const override { return mTransform; }
    const Math::Matrix<float>& GetInverseTransform() const override { return mInverseTransform; }
    void SetVolume(Real volume) override { mVolume = volume; }
    Real GetVolume() const override { return mVolume; }
    void SetDistanceModel(Enums::DistanceModel model) override { mDistanceModel = model; }
    Enums::DistanceModel GetDistanceModel() const override { return mDistanceModel; }
    // Has no effect.
    Bool SetHint(UInt32) override { return true; }

private:
    Math::Matrix<float> mTransform;
    Math::Matrix<float> mInverseTransform;
    Real mVolume = 1.0f;
    Enums::DistanceModel mDistanceModel = Enums::DistanceModel::INVERSE_CLAMPED;
};

// Seconds of sound: samples over the rate, 0 without a rate.
inline Real GetDurationOf(UInt32 numberOfSamples, UInt32 sampleRate)
{
    return sampleRate == 0 ? 0.0f : Real(numberOfSamples) / Real(sampleRate);
}

} // namespace Audio
} // namespace Vorn
