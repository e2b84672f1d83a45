#include "graph/audio/sound.h"

#include <new>

#include "audio/renderer.h"
#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/backend_object.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "resource/audio_stream.h"
#include "resource/collection.h"
#include "resource/sound.h"

namespace Vorn {
namespace Graph {

Sound::Sound() : mSound(nullptr), mStream(nullptr), mAudioObject(nullptr), mAudioBuffer(nullptr)
{
    AddFlags(kNeedsConfigChanged);
}

Sound::~Sound()
{
    delete mStream;
}

INode* Sound::Create()
{
    return new (std::nothrow) Sound();
}

const NodeClassInfo& Sound::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("Sound"));
    return info;
}

Bool Sound::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                 Bool* error)
{
    if (SoundAttributes::GetTable().FindAttribute(attributes, index) == SoundAttributes::kSoundResourceId) {
        attributes->GetValue(index, parameters, &mSoundResourceId, error);
        return true;
    }
    return Node::DeserializeAttribute(index, attributes, parameters, error);
}

Audio::IBuffer* Sound::GetBufferObject()
{
    return mAudioBuffer;
}

Bool Sound::BuildBuffer(const char* operation)
{
    mAudioBuffer->SetFormat(mSound->GetFormat());
    mAudioBuffer->SetEncoding(mSound->GetEncoding());
    mAudioBuffer->SetSampleRate(mSound->GetSampleRate());
    mAudioBuffer->SetNumberOfSamples(mSound->GetNumberOfSamples());
    mStream = mSound->CreateAudioStream();
    mAudioBuffer->SetStream(mStream);
    return BackEndObject::Init(mAudioObject, LogSite{"Sound", operation, mId}, "Failed to initialize audio buffer object");
}

Bool Sound::InitSelf(IInitState* state)
{
    const char* id = mId.GetText();
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::Sound::InitSelf(%s): InitSelf() of superclass failed", id);
        return false;
    }
    if (mSoundResourceId.IsEmpty()) {
        Debug::Trace("Graph::Sound::InitSelf(%s): No resource ID specified", id);
        return false;
    }
    Resource::ICollection* collection = state->GetResourceCollection();
    mSound = collection != nullptr ? collection->GetSound(mSoundResourceId) : nullptr;
    if (mSound == nullptr) {
        Debug::Trace("Graph::Sound::InitSelf(%s): Failed to get resource sound \"%s\"", id, mSoundResourceId.GetText());
        return false;
    }
    mAudioBuffer = BackEndObject::Create<Audio::IBuffer>(state->GetAudioRenderer(), "Buffer", mAudioObject);
    if (mAudioBuffer == nullptr) {
        Debug::Trace("Graph::Sound::InitSelf(%s): Failed to create audio buffer for resource sound \"%s\"", id,
                     mSoundResourceId.GetText());
        return false;
    }
    return BuildBuffer("InitSelf");
}

Bool Sound::DeInitSelf(IDeInitState* state)
{
    if (!BackEndObject::Destroy(state->GetAudioRenderer(), mAudioObject, LogSite{"Sound", "DeInitSelf", mId},
                                "Failed to deinitialize audio buffer object"))
        return false;
    mAudioBuffer = nullptr;
    delete mStream;
    mStream = nullptr;
    return Node::DeInitSelf(state);
}

Bool Sound::SuspendSelf(IDeInitState* state)
{
    return BackEndObject::Suspend(mAudioObject, state->GetConfiguration(), Enums::MemoryObjectType::AUDIO_BUFFER,
                                  LogSite{"Sound", "SuspendSelf", mId}, "Failed to deinitialize audio buffer object");
}

Bool Sound::ResumeSelf(IInitState* state)
{
    return BackEndObject::Resume(mAudioObject, state->GetConfiguration(), Enums::MemoryObjectType::AUDIO_BUFFER,
                                 LogSite{"Sound", "ResumeSelf", mId}, "Failed to initialize audio buffer object");
}

Bool Sound::ConfigChangedSelf(IConfigChangedState* state)
{
    const char* id = mId.GetText();
    if (!Node::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::Sound::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed", id);
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (mAudioObject == nullptr || configuration == nullptr || !configuration->HasLanguageChanged(mFrameStamp))
        return true;
    Resource::ICollection* collection = state->GetResourceCollection();
    const Resource::ISound* sound = collection != nullptr ? collection->GetSound(mSoundResourceId) : nullptr;
    if (sound == nullptr) {
        Debug::Trace("Graph::Sound::ConfigChangedSelf(%s): Failed to get resource sound \"%s\"", id,
                     mSoundResourceId.GetText());
        return false;
    }
    if (sound == mSound)
        return true;
    if (!BackEndObject::DeInit(mAudioObject, LogSite{"Sound", "ConfigChangedSelf", mId},
                               "Failed to deinitialize audio buffer object"))
        return false;
    delete mStream;
    mStream = nullptr;
    mSound = sound;
    return BuildBuffer("ConfigChangedSelf");
}

} // namespace Graph
} // namespace Vorn
