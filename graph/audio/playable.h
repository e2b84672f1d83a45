// The node interfaces of the audio nodes that game code and the animation evaluators reach: a
// sound node's buffer, and an audio sequence's sound list and volume.
#pragma once

#include "foundation/array.h"
#include "foundation/types.h"

namespace Vorn {

namespace Audio {
class IBuffer;
}

namespace Graph {

class ISound
{
public:
    // Null before Init.
    virtual Audio::IBuffer* GetBufferObject() = 0;
    virtual ~ISound() {}
};

// The sound list changes take effect at the next enqueue-output pass, before the hand-over.
class IPlayable
{
public:
    virtual void RemoveAllSounds() = 0;
    // Inserts before index; an index past the end appends.
    virtual void InsertSound(ISound* sound, UInt32 index) = 0;
    virtual void AddSound(ISound* sound) = 0;
    // The sound removed; null (nothing changed) when index is not below the count.
    virtual ISound* RemoveSoundAt(UInt32 index) = 0;
    // The sound when found (its first occurrence is removed), else null.
    virtual ISound* RemoveSound(ISound* sound) = 0;
    virtual const Array<ISound*>& GetSounds() const = 0;
    // Null when index is not below the count.
    virtual ISound* GetSound(UInt32 index) = 0;
    virtual UInt32 GetNumberOfSounds() const = 0;
    // Takes effect at the next hand-over to the audio renderer.
    virtual void SetVolume(Float volume) = 0;
    virtual Float GetVolume() const = 0;
    virtual ~IPlayable() {}
};

} // namespace Graph
} // namespace Vorn
