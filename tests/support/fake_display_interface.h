// A display interface for engine and renderer tests: it hands out a render context the test
// chooses, counts the context brackets and can refuse them.
#pragma once

#include "platform/display_interface.h"

namespace Vorn {
namespace Testing {

class FakeDisplayInterface : public IDisplayInterface
{
public:
    Bool AllowsAnyThread() const override { return mAnyThread; }
    void* GetContextA() override { return nullptr; }
    void SetValueA(UInt32) override {}
    Bool IsValueB(UInt32) const override { return false; }
    Bool IsValueC(UInt32) const override { return false; }

    void* GetRenderContext() override { return mRenderContext; }
    Bool ActivateRenderContext() override { return Count(mRenderActivations); }
    Bool DeactivateRenderContext() override { return Count(mRenderDeactivations); }
    void* GetLoaderContext() override { return nullptr; }
    Bool ActivateLoaderContext() override { return Count(mLoaderActivations); }
    Bool DeactivateLoaderContext() override { return Count(mLoaderDeactivations); }

    Bool mAnyThread = true;
    void* mRenderContext = nullptr;
    // While set, every activation and deactivation fails (and is still counted).
    Bool mFailContexts = false;
    UInt32 mRenderActivations = 0;
    UInt32 mRenderDeactivations = 0;
    UInt32 mLoaderActivations = 0;
    UInt32 mLoaderDeactivations = 0;

private:
    Bool Count(UInt32& counter)
    {
        ++counter;
        return !mFailContexts;
    }
};

} // namespace Testing
} // namespace Vorn
