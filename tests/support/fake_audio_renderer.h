// An audio renderer for graph tests: recording fake buffers, playables and listeners by class
// name, a live-object count, refusable class names and inits, and the frame's submissions.
#pragma once

#include <string>
#include <vector>

#include "audio/renderer.h"
#include "tests/support/fake_object_registry.h"

namespace Vorn {
namespace Testing {

// Base of every fake audio object.
using FakeAudioObject = FakeRendererObject<Audio::IObject>;

class FakeAudioBuffer : public FakeAudioObject, public Audio::IBuffer
{
public:
    using FakeAudioObject::FakeAudioObject;
    Bool SetTag(UInt32) override { return true; }
    Bool SetFormat(Enums::SoundFormat format) override
    {
        mFormat = format;
        return true;
    }
    Bool SetEncoding(Enums::AudioCodec encoding) override
    {
        mEncoding = encoding;
        return true;
    }
    Bool SetSampleRate(UInt32 rate) override
    {
        mSampleRate = rate;
        return true;
    }
    Bool SetNumberOfSamples(UInt32 count) override
    {
        mNumberOfSamples = count;
        return true;
    }
    Bool SetStream(IAudioStream* stream) override
    {
        mStream = stream;
        return true;
    }
    Enums::SoundFormat mFormat = Enums::SoundFormat(0);
    Enums::AudioCodec mEncoding = Enums::AudioCodec::NONE;
    UInt32 mSampleRate = 0;
    UInt32 mNumberOfSamples = 0;
    IAudioStream* mStream = nullptr;
};

class FakePlayable : public FakeAudioObject, public Audio::IPlayable
{
public:
    using FakeAudioObject::FakeAudioObject;
    Bool SetSampleFormat(Enums::SoundFormat format) override
    {
        mSampleFormat = format;
        return true;
    }
    Bool RemoveAllBuffers() override
    {
        mBuffers.clear();
        return true;
    }
    Bool AddBuffer(Audio::IBuffer* buffer) override
    {
        mBuffers.push_back(buffer);
        return true;
    }
    UInt32 GetNumberOfBuffers() const override { return UInt32(mBuffers.size()); }
    Audio::IBuffer* GetBuffer(UInt32 index) override { return index < mBuffers.size() ? mBuffers[index] : nullptr; }
    Double GetBufferStartTime(UInt32) const override { return 0.0; }
    Bool SetVolume(Real volume) override
    {
        mVolume = volume;
        return true;
    }
    Bool SetReferenceDistance(Real distance) override
    {
        mReferenceDistance = distance;
        return true;
    }
    Bool SetRolloffFactor(Real factor) override
    {
        mRolloffFactor = factor;
        return true;
    }
    Bool SetMaxDistance(Real distance) override
    {
        mMaxDistance = distance;
        return true;
    }
    Enums::SoundFormat mSampleFormat = Enums::SoundFormat(0);
    std::vector<Audio::IBuffer*> mBuffers;
    Real mVolume = 1.0f;
    Real mReferenceDistance = 1.0f;
    Real mRolloffFactor = 1.0f;
    Real mMaxDistance = 1e37f;
};

class FakeListener : public FakeAudioObject, public Audio::IListener
{
public:
    using FakeAudioObject::FakeAudioObject;
    void SetTransform(const Math::Matrix<float>& transform) override { mTransform = transform; }
    const Math::Matrix<float>& GetTransform() const override { return mTransform; }
    const Math::Matrix<float>& GetInverseTransform() const override { return mTransform; }
    void SetVolume(Real volume) override { mVolume = volume; }
    Real GetVolume() const override { return mVolume; }
    void SetDistanceModel(Enums::DistanceModel model) override { mDistanceModel = model; }
    Enums::DistanceModel GetDistanceModel() const override { return mDistanceModel; }
    Bool SetHint(UInt32) override { return true; }
    Math::Matrix<float> mTransform;
    Real mVolume = 1.0f;
    Enums::DistanceModel mDistanceModel = Enums::DistanceModel(1);
};

class FakeAudioRenderer : public Audio::IRenderer, public FakeObjectRegistry<Audio::IObject>
{
public:
    struct Submission
    {
        void* object;
        Math::Matrix<float> transform;
        Real time;
    };

    std::vector<Submission> mPlayables;
    std::vector<Submission> mListeners;

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool Start() override { return true; }
    Bool Stop() override { return true; }
    Bool RegisterObjectClass(const Audio::ClassInfo&) override { return true; }
    Bool UnregisterObjectClass(const Audio::ClassInfo&) override { return true; }
    Audio::IObject* CreateObject(const String& className) override
    {
        return MakeObject(className, {{"Buffer", Make<FakeAudioBuffer>},
                                      {"Playable", Make<FakePlayable>},
                                      {"Listener", Make<FakeListener>}});
    }
    Bool DestroyObject(Audio::IObject*& object) override { return DestroyFake(object); }
    void BeginFrame() override
    {
        mPlayables.clear();
        mListeners.clear();
    }
    void ProcessObjects() override {}
    void Render() override {}
    void AddPlayable(Audio::IPlayable* playable, const Math::Matrix<float>& transform, Real time) override
    {
        mPlayables.push_back(Submission{playable, transform, time});
    }
    void AddListener(Audio::IListener* listener, const Math::Matrix<float>& transform) override
    {
        mListeners.push_back(Submission{listener, transform, 0.0f});
    }
    Audio::IListener* GetCurrentListener() override
    {
        return mListeners.empty() ? nullptr : static_cast<Audio::IListener*>(mListeners.back().object);
    }
};

} // namespace Testing
} // namespace Vorn
