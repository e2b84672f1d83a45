// The silent audio back-end: the same renderer interface and object classes as the OpenAL one,
// so that graphs with sound nodes run unchanged, but nothing plays. Its objects keep what the
// scene graph reads back: durations, a playable's buffers and start times, the listener.
#pragma once

#include "audio/base_renderer.h"
#include "audio/listener_base.h"
#include "foundation/array.h"

namespace Vorn {
namespace Audio {
namespace Dummy {

class Buffer : public IObject, public IBuffer
{
public:
    static const ClassInfo& GetClassInfo();

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool SetTag(UInt32) override { return true; }
    Bool SetFormat(Enums::SoundFormat) override { return true; }
    Bool SetEncoding(Enums::AudioCodec) override { return true; }
    Bool SetSampleRate(UInt32 rate) override;
    Bool SetNumberOfSamples(UInt32 count) override;
    Bool SetStream(IAudioStream*) override { return true; }
    Real GetDuration() const { return GetDurationOf(mNumberOfSamples, mSampleRate); }

private:
    UInt32 mSampleRate = 0;
    UInt32 mNumberOfSamples = 0;
};

class Playable : public IObject, public IPlayable
{
public:
    static const ClassInfo& GetClassInfo();

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool SetSampleFormat(Enums::SoundFormat) override { return true; }
    Bool RemoveAllBuffers() override;
    // Refuses a null buffer or one of another back-end.
    Bool AddBuffer(IBuffer* buffer) override;
    UInt32 GetNumberOfBuffers() const override { return mNumEntries; }
    IBuffer* GetBuffer(UInt32 index) override;
    Double GetBufferStartTime(UInt32 index) const override;
    Bool SetVolume(Real) override { return true; }
    Bool SetReferenceDistance(Real) override { return true; }
    Bool SetRolloffFactor(Real) override { return true; }
    Bool SetMaxDistance(Real) override { return true; }

private:
    struct Entry
    {
        Buffer* buffer;
        Double startTime;
    };
    // Reused when cleared: only the first mNumEntries are in use.
    Array<Entry> mEntries;
    UInt32 mNumEntries = 0;
    Double mTotalDuration = 0.0;
};

class Listener : public IObject, public ListenerBase
{
public:
    static const ClassInfo& GetClassInfo();

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
};

class Renderer : public Audio::Renderer
{
public:
    Renderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    ~Renderer() override;

    Bool Init() override;
    Bool DeInit() override;
    void BeginFrame() override {}
    void ProcessObjects() override {}
    void Render() override {}
    void AddPlayable(IPlayable*, const Math::Matrix<float>&, Real) override {}
    // Keeps the listener; the transform is not used.
    void AddListener(IListener* listener, const Math::Matrix<float>& transform) override;
    IListener* GetCurrentListener() override { return mCurrentListener; }
    // Forgets the current listener when it is the one destroyed.
    Bool DestroyObject(IObject*& object) override;

private:
    IListener* mCurrentListener;
};

} // namespace Dummy
} // namespace Audio
} // namespace Vorn
