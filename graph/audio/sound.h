// The sound node ("Sound"): turns one sound resource of a package into an audio "Buffer" object
// that audio sequences play. It plays nothing itself; a language change that yields another
// resource fills the same buffer again.
#pragma once

#include "foundation/string.h"
#include "graph/audio/playable.h"
#include "graph/node.h"

namespace Vorn {

class IAudioStream;

namespace Audio {
class IObject;
}
namespace Resource {
class ISound;
}

namespace Graph {

class Sound : public Node, public ISound
{
public:
    Sound();
    ~Sound() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    Audio::IBuffer* GetBufferObject() override;

    const Resource::ISound* GetSoundResource() const { return mSound; }

protected:
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;

    // Hands the resource's format, encoding, rate, length and a new decoder stream to the buffer
    // and initialises it; the operation names the caller in the failure line.
    Bool BuildBuffer(const char* operation);

    String mSoundResourceId;
    const Resource::ISound* mSound;
    IAudioStream* mStream;
    Audio::IObject* mAudioObject;
    Audio::IBuffer* mAudioBuffer;
};

} // namespace Graph
} // namespace Vorn
