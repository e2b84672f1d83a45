// The platform's audio interface over OpenAL: the default device and one context, made current
// on the thread that asks for it, as the render context on the main thread and as the loader
// context on the loader thread. It holds no Windows types, so the native build uses it too.
#pragma once

#include <memory>
#include <mutex>

#include "platform/audio_interface.h"

namespace Vorn {
namespace Win32 {

class AudioInterface : public IAudioInterface
{
public:
    AudioInterface();
    ~AudioInterface() override;

    // Opens the default device and makes a context on it; false (logged) when either fails.
    Bool Init();
    // Releases the context and the device; harmless when there are none.
    Bool DeInit();

    // The Windows audio interface is not driven from any thread.
    Bool IsThreadSafe() const override { return false; }
    void* GetRenderContext() const override { return mRenderContext; }
    Bool ActivateRenderContext() override;
    Bool DeactivateRenderContext() override;
    void* GetLoaderContext() const override { return mLoaderContext; }
    Bool ActivateLoaderContext() override;
    Bool DeactivateLoaderContext() override;

private:
    AudioInterface(const AudioInterface&) = delete;
    AudioInterface& operator=(const AudioInterface&) = delete;

    Bool MakeCurrent(void* context);
    void MakeNoneCurrent();

    void* mDevice;
    void* mRenderContext;
    // The same context as the render context.
    void* mLoaderContext;
    std::unique_ptr<std::mutex> mLock;
};

} // namespace Win32
} // namespace Vorn
