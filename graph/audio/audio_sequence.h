// The audio sequence ("AudioSequence"): a placed node that owns an audio "Playable" and plays a
// list of sound nodes back to back while an enclosing timeline runs forwards. Each frame in which
// the timeline's time moved it hands the audio renderer its playable, its world transform and that
// time. Game code changes its sound list and volume through Graph::IPlayable.
#pragma once

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "graph/audio/playable.h"
#include "graph/renderable.h"
#include "graph/transform/transform.h"

namespace Vorn {

namespace Audio {
class IObject;
class IPlayable;
}

namespace Graph {

class AudioSequence : public Transform, public IRenderable, public IPlayable
{
public:
    AudioSequence();
    ~AudioSequence() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    void RemoveAllSounds() override;
    void InsertSound(ISound* sound, UInt32 index) override;
    void AddSound(ISound* sound) override;
    ISound* RemoveSoundAt(UInt32 index) override;
    ISound* RemoveSound(ISound* sound) override;
    const Array<ISound*>& GetSounds() const override;
    ISound* GetSound(UInt32 index) override;
    UInt32 GetNumberOfSounds() const override;
    void SetVolume(Float volume) override;
    Float GetVolume() const override;

    Bool CullOutput(ICullOutputState* state) override;
    // Rebuilds the playable's buffers when the list changed, then hands the playable over when
    // the captured time moved.
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    Audio::IPlayable* GetPlayableObject() { return mAudioPlayable; }
    Float GetRequestedTime() const { return mRequestedTime; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    // Captures the enclosing timeline's time while it runs forwards.
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;

    Audio::IObject* mAudioObject;
    Audio::IPlayable* mAudioPlayable;
    Bool mSoundsChanged;
    Float mRequestedTime;
    Float mEnqueuedTime;
    Float mVolume;
    Float mReferenceDistance;
    Float mRolloffFactor;
    Float mMaxDistance;
    Array<String> mSoundIds;
    Array<ISound*> mSounds;
    Array<INode*> mReferencedNodes;
    Enums::SoundFormat mSampleFormat;
};

} // namespace Graph
} // namespace Vorn
