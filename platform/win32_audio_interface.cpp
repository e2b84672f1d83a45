#include "platform/win32_audio_interface.h"

#include <AL/alc.h>

#include "foundation/debug.h"

namespace Vorn {
namespace Win32 {

namespace {

typedef std::lock_guard<std::mutex> Hold;

// Present from OpenAL Soft on; the thread's own context beside the process-wide one.
typedef ALCboolean(ALC_APIENTRY* SetThreadContextFunction)(ALCcontext* context);

SetThreadContextFunction FindSetThreadContext()
{
    return reinterpret_cast<SetThreadContextFunction>(alcGetProcAddress(nullptr, "alcSetThreadContext"));
}

} // namespace

AudioInterface::AudioInterface()
    : mDevice(nullptr), mRenderContext(nullptr), mLoaderContext(nullptr), mLock(std::make_unique<std::mutex>())
{
}

AudioInterface::~AudioInterface()
{
    DeInit();
}

Bool AudioInterface::Init()
{
    if (mDevice)
        return true;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        Debug::Trace("Win32::AudioInterface::Init(): Failed to open audio device");
        return false;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context) {
        Debug::Trace("Win32::AudioInterface::Init(): Failed to create audio context");
        alcCloseDevice(device);
        return false;
    }
    mDevice = device;
    mRenderContext = context;
    mLoaderContext = context;
    return true;
}

Bool AudioInterface::DeInit()
{
    if (mRenderContext) {
        {
            Hold hold(*mLock);
            MakeNoneCurrent();
        }
        alcDestroyContext(static_cast<ALCcontext*>(mRenderContext));
        mRenderContext = nullptr;
        mLoaderContext = nullptr;
    }
    if (mDevice) {
        alcCloseDevice(static_cast<ALCdevice*>(mDevice));
        mDevice = nullptr;
    }
    return true;
}

Bool AudioInterface::MakeCurrent(void* context)
{
    if (!context) {
        Debug::Trace("Win32::AudioInterface::MakeCurrent(): No audio context");
        return false;
    }
    Hold hold(*mLock);
    return alcMakeContextCurrent(static_cast<ALCcontext*>(context)) == ALC_TRUE;
}

void AudioInterface::MakeNoneCurrent()
{
    alcMakeContextCurrent(nullptr);
    if (SetThreadContextFunction setThreadContext = FindSetThreadContext())
        setThreadContext(nullptr);
}

Bool AudioInterface::ActivateRenderContext()
{
    return MakeCurrent(mRenderContext);
}

Bool AudioInterface::DeactivateRenderContext()
{
    Hold hold(*mLock);
    MakeNoneCurrent();
    return true;
}

Bool AudioInterface::ActivateLoaderContext()
{
    return MakeCurrent(mLoaderContext);
}

Bool AudioInterface::DeactivateLoaderContext()
{
    // The loader shares the render context: leaving it current keeps the main thread's audio.
    MakeCurrent(mLoaderContext);
    return true;
}

} // namespace Win32
} // namespace Vorn
