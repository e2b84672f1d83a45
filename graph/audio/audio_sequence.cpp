#include "graph/audio/audio_sequence.h"

#include <new>

#include "audio/renderer.h"
#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/animation/animation_evaluators.h"
#include "graph/attribute_names.h"
#include "graph/audio/known_enum.h"
#include "graph/backend_object.h"
#include "graph/controller.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

AudioSequence::AudioSequence()
    : mAudioObject(nullptr),
      mAudioPlayable(nullptr),
      mSoundsChanged(true),
      mRequestedTime(-1.0f),
      mEnqueuedTime(-1.0f),
      mVolume(1.0f),
      mReferenceDistance(1.0f),
      mRolloffFactor(1.0f),
      mMaxDistance(1e37f),
      mSampleFormat(Enums::SoundFormat(0))
{
    AddFlags(kNeedsConfigChanged | kNeedsProcessLogic | kNeedsPrepareOutput);
}

AudioSequence::~AudioSequence() {}

INode* AudioSequence::Create()
{
    return new (std::nothrow) AudioSequence();
}

const NodeClassInfo& AudioSequence::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("AudioSequence"));
    return info;
}

Bool AudioSequence::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                         Bool* error)
{
    switch (AudioSequenceAttributes::GetTable().FindAttribute(attributes, index)) {
    case AudioSequenceAttributes::kSoundIds:
        attributes->GetValues(index, parameters, &mSoundIds, error, true);
        return true;
    case AudioSequenceAttributes::kVolume:
        attributes->GetValue(index, parameters, &mVolume, error);
        return true;
    case AudioSequenceAttributes::kReferenceDistance:
        attributes->GetValue(index, parameters, &mReferenceDistance, error);
        return true;
    case AudioSequenceAttributes::kRolloffFactor:
        attributes->GetValue(index, parameters, &mRolloffFactor, error);
        return true;
    case AudioSequenceAttributes::kMaxDistance:
        attributes->GetValue(index, parameters, &mMaxDistance, error);
        return true;
    case AudioSequenceAttributes::kSampleFormat:
        GetKnownEnumValue(*attributes, index, parameters, error, Enums::GetSoundFormatTable(), mSampleFormat);
        return true;
    default:
        return Transform::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void AudioSequence::RemoveAllSounds()
{
    mSounds = Array<ISound*>();
    mSoundsChanged = true;
}

void AudioSequence::InsertSound(ISound* sound, UInt32 index)
{
    const UInt32 count = UInt32(mSounds.GetCount());
    mSounds.InsertAt(SInt32(index < count ? index : count), sound);
    mSoundsChanged = true;
}

void AudioSequence::AddSound(ISound* sound)
{
    mSounds.Add(sound);
    mSoundsChanged = true;
}

ISound* AudioSequence::RemoveSoundAt(UInt32 index)
{
    if (index >= UInt32(mSounds.GetCount()))
        return nullptr;
    ISound* sound = mSounds[SInt32(index)];
    mSounds.RemoveAt(SInt32(index));
    mSoundsChanged = true;
    return sound;
}

ISound* AudioSequence::RemoveSound(ISound* sound)
{
    const SInt32 position = mSounds.Find(sound);
    return position >= 0 ? RemoveSoundAt(UInt32(position)) : nullptr;
}

const Array<ISound*>& AudioSequence::GetSounds() const
{
    return mSounds;
}

ISound* AudioSequence::GetSound(UInt32 index)
{
    return index < UInt32(mSounds.GetCount()) ? mSounds[SInt32(index)] : nullptr;
}

UInt32 AudioSequence::GetNumberOfSounds() const
{
    return UInt32(mSounds.GetCount());
}

void AudioSequence::SetVolume(Float volume)
{
    mVolume = volume;
}

Float AudioSequence::GetVolume() const
{
    return mVolume;
}

Bool AudioSequence::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Transform::InitSelf(state)) {
        Debug::Trace("Graph::AudioSequence::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    for (const String& soundId : mSoundIds) {
        INode* node = state->FindNode(soundId);
        if (node == nullptr) {
            Debug::Trace("Graph::AudioSequence::InitSelf(%s): Failed to get node \"%s\"", id, soundId.GetText());
            return false;
        }
        mReferencedNodes.Add(node);
        ISound* sound = dynamic_cast<ISound*>(node);
        if (sound == nullptr) {
            Debug::Trace("Graph::AudioSequence::InitSelf(%s): Failed to get sound node \"%s\"", id, soundId.GetText());
            return false;
        }
        AddSound(sound);
    }
    mAudioPlayable = BackEndObject::Create<Audio::IPlayable>(state->GetAudioRenderer(), "Playable", mAudioObject);
    if (mAudioPlayable == nullptr) {
        Debug::Trace("Graph::AudioSequence::InitSelf(%s): Failed to create audio playable", id);
        return false;
    }
    mAudioPlayable->SetReferenceDistance(mReferenceDistance);
    mAudioPlayable->SetRolloffFactor(mRolloffFactor);
    mAudioPlayable->SetMaxDistance(mMaxDistance);
    if (UInt32(mSampleFormat) != 0)
        mAudioPlayable->SetSampleFormat(mSampleFormat);
    if (!BackEndObject::Init(mAudioObject, LogSite{"AudioSequence", "InitSelf", mId},
                             "Failed to initialize audio playable object"))
        return false;
    if (mController != nullptr)
        mController->AddEvaluator(&CreateVolumeAnimationEvaluator);
    return true;
}

Bool AudioSequence::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetAudioRenderer(), mAudioObject, LogSite{"AudioSequence", "DeInitSelf", mId},
                                "Failed to deinitialize audio playable object"))
        return false;
    mAudioPlayable = nullptr;
    for (INode* node : mReferencedNodes)
        node->RemoveReference();
    mReferencedNodes.Clear();
    return Transform::DeInitSelf(state);
}

Bool AudioSequence::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mAudioObject, state->GetConfiguration(), Enums::MemoryObjectType::AUDIO_PLAYABLE,
                                  LogSite{"AudioSequence", "SuspendSelf", mId},
                                  "Failed to deinitialize audio playable object");
}

Bool AudioSequence::ResumeSelf(IInitState* state)
{
    if (!BackEndObject::IsReleasedOnSuspend(state->GetConfiguration(), Enums::MemoryObjectType::AUDIO_PLAYABLE))
        return true;
    if (!BackEndObject::Init(mAudioObject, LogSite{"AudioSequence", "ResumeSelf", mId},
                             "Failed to initialize audio playable object"))
        return false;
    // The playable starts again from nothing: buffers and the next hand-over.
    mSoundsChanged = true;
    mRequestedTime = -1.0f;
    mEnqueuedTime = -1.0f;
    return true;
}

Bool AudioSequence::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Transform::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::AudioSequence::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed",
                     mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration != nullptr && configuration->HasLanguageChanged(mFrameStamp))
        mSoundsChanged = true;
    return true;
}

Bool AudioSequence::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Transform::ProcessLogicSelf(state))
        return false;
    if (state->GetTimelineState() == 1) {
        mRequestedTime = Float(state->GetTimelineTime());
    } else {
        mRequestedTime = -1.0f;
        mEnqueuedTime = -1.0f;
    }
    return true;
}

Bool AudioSequence::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Transform::PrepareOutputSelf(state))
        return false;
    state->AddRenderable(this, true);
    return true;
}

Bool AudioSequence::CullOutput(ICullOutputState*)
{
    return true;
}

Bool AudioSequence::EnqueueOutput(IEnqueueOutputState* state)
{
    if (mAudioPlayable == nullptr)
        return true;
    if (mSoundsChanged) {
        mAudioPlayable->RemoveAllBuffers();
        for (ISound* sound : mSounds) {
            // A sound not (or no longer) initialised has no buffer to play.
            if (Audio::IBuffer* buffer = sound->GetBufferObject())
                mAudioPlayable->AddBuffer(buffer);
        }
        mSoundsChanged = false;
    }
    Audio::IRenderer* renderer = state->GetAudioRenderer();
    const Math::Matrix<float>* transform = state->GetItemValue1();
    if (mRequestedTime >= 0.0f && mRequestedTime != mEnqueuedTime && renderer != nullptr && transform != nullptr) {
        mAudioPlayable->SetVolume(mVolume);
        renderer->AddPlayable(mAudioPlayable, *transform, mRequestedTime);
        mEnqueuedTime = mRequestedTime;
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
