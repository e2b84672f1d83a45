// An audio renderer for graph tests: recording fake buffers, playables and listeners by class
// name, a live-object count, refusable class names and inits, and the frame's submissions.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "audio/renderer.h"

namespace Vorn {
namespace Testing {

class FakeAudioRenderer;

class FakeAudioObject : public Audio::IObject
{
public:
    FakeAudioObject(FakeAudioRenderer* renderer, const std::string& className);
    ~FakeAudioObject() override;
    Bool Init() override;
    Bool DeInit() override
    {
        mInitialized = false;
        return true;
    }
    const std::string& GetClassName() const { return mClassName; }
    Bool IsInitialized() const { return mInitialized; }

private:
    FakeAudioRenderer* mRenderer;
    std::string mClassName;
    Bool mInitialized = false;
};

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

class FakeAudioRenderer : public Audio::IRenderer
{
public:
    struct Submission
    {
        void* object;
        Math::Matrix<float> transform;
        Real time;
    };

    std::set<std::string> mRefusedClasses;
    std::set<std::string> mFailingInits;
    std::set<FakeAudioObject*> mLiveObjects;
    UInt32 mCreatedCount = 0;
    UInt32 mDestroyedCount = 0;
    UInt32 mDestroyedInitializedCount = 0;
    std::vector<Submission> mPlayables;
    std::vector<Submission> mListeners;

    ~FakeAudioRenderer() override
    {
        std::set<FakeAudioObject*> left = mLiveObjects;
        for (FakeAudioObject* object : left)
            delete object;
    }

    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Bool Start() override { return true; }
    Bool Stop() override { return true; }
    Bool RegisterObjectClass(const Audio::ClassInfo&) override { return true; }
    Bool UnregisterObjectClass(const Audio::ClassInfo&) override { return true; }
    Audio::IObject* CreateObject(const String& className) override
    {
        const std::string name = className.GetText();
        if (mRefusedClasses.count(name))
            return nullptr;
        FakeAudioObject* object = nullptr;
        if (name == "Buffer")
            object = new FakeAudioBuffer(this, name);
        else if (name == "Playable")
            object = new FakePlayable(this, name);
        else if (name == "Listener")
            object = new FakeListener(this, name);
        if (object)
            ++mCreatedCount;
        return object;
    }
    Bool DestroyObject(Audio::IObject*& object) override
    {
        if (object) {
            FakeAudioObject* fake = static_cast<FakeAudioObject*>(object);
            if (fake->IsInitialized())
                ++mDestroyedInitializedCount;
            ++mDestroyedCount;
            delete fake;
        }
        object = nullptr;
        return true;
    }
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

    void Register(FakeAudioObject* object) { mLiveObjects.insert(object); }
    void Unregister(FakeAudioObject* object) { mLiveObjects.erase(object); }
};

inline FakeAudioObject::FakeAudioObject(FakeAudioRenderer* renderer, const std::string& className)
    : mRenderer(renderer), mClassName(className)
{
    if (mRenderer)
        mRenderer->Register(this);
}

inline FakeAudioObject::~FakeAudioObject()
{
    if (mRenderer)
        mRenderer->Unregister(this);
}

inline Bool FakeAudioObject::Init()
{
    if (mRenderer && mRenderer->mFailingInits.count(mClassName))
        return false;
    mInitialized = true;
    return true;
}

} // namespace Testing
} // namespace Vorn
