// An audio interface for engine and audio tests: no device, counted context switches and a
// refusable activation.
#pragma once

#include "foundation/types.h"
#include "platform/audio_interface.h"

namespace Vorn {
namespace Testing {

class FakeAudioInterface : public IAudioInterface
{
public:
    Bool mThreadSafe = false;
    Bool mRefuseActivation = false;
    UInt32 mRenderActivations = 0;
    UInt32 mLoaderActivations = 0;
    UInt32 mDeactivations = 0;

    Bool IsThreadSafe() const override { return mThreadSafe; }
    void* GetRenderContext() const override { return nullptr; }
    Bool ActivateRenderContext() override
    {
        ++mRenderActivations;
        return !mRefuseActivation;
    }
    Bool DeactivateRenderContext() override
    {
        ++mDeactivations;
        return true;
    }
    void* GetLoaderContext() const override { return nullptr; }
    Bool ActivateLoaderContext() override
    {
        ++mLoaderActivations;
        return !mRefuseActivation;
    }
    Bool DeactivateLoaderContext() override
    {
        ++mDeactivations;
        return true;
    }
};

} // namespace Testing
} // namespace Vorn
