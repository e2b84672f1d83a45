// The audio renderer as the engine and the scene graph call it: audio objects by class name
// ("Buffer", "Playable", "Listener") and the playables and listener of each frame. Implemented
// by the audio back-ends; reached only through this interface.
#pragma once

#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

class IAudioStream;

namespace Audio {

class IObject
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual ~IObject() {}
};

// The sound data of one sound resource.
class IBuffer
{
public:
    virtual Bool SetTag(UInt32 tag) = 0;
    virtual Bool SetFormat(Enums::SoundFormat format) = 0;
    virtual Bool SetEncoding(Enums::AudioCodec encoding) = 0;
    virtual Bool SetSampleRate(UInt32 samplesPerSecond) = 0;
    virtual Bool SetNumberOfSamples(UInt32 count) = 0;
    // The stream stays the caller's.
    virtual Bool SetStream(IAudioStream* stream) = 0;
    virtual ~IBuffer() {}
};

// A source that plays its buffers one after another.
class IPlayable
{
public:
    // 0 takes the first buffer's format.
    virtual Bool SetSampleFormat(Enums::SoundFormat format) = 0;
    virtual Bool RemoveAllBuffers() = 0;
    // Starts when the buffers added before it end.
    virtual Bool AddBuffer(IBuffer* buffer) = 0;
    virtual UInt32 GetNumberOfBuffers() const = 0;
    // Null for an index out of range.
    virtual IBuffer* GetBuffer(UInt32 index) = 0;
    // Seconds; 0 for an index out of range.
    virtual Double GetBufferStartTime(UInt32 index) const = 0;
    virtual Bool SetVolume(Real volume) = 0;
    virtual Bool SetReferenceDistance(Real distance) = 0;
    virtual Bool SetRolloffFactor(Real factor) = 0;
    virtual Bool SetMaxDistance(Real distance) = 0;
    virtual ~IPlayable() {}
};

class IListener
{
public:
    virtual void SetTransform(const Math::Matrix<float>& transform) = 0;
    virtual const Math::Matrix<float>& GetTransform() const = 0;
    virtual const Math::Matrix<float>& GetInverseTransform() const = 0;
    virtual void SetVolume(Real volume) = 0;
    virtual Real GetVolume() const = 0;
    virtual void SetDistanceModel(Enums::DistanceModel model) = 0;
    virtual Enums::DistanceModel GetDistanceModel() const = 0;
    virtual Bool SetHint(UInt32 hint) = 0;
    virtual ~IListener() {}
};

// One record per audio object class.
struct ClassInfo
{
    typedef IObject* (*CreateFunction)();
    String mName;
    CreateFunction mCreate;
};

class IRenderer
{
public:
    virtual Bool Init() = 0;
    virtual Bool DeInit() = 0;
    virtual Bool Start() = 0;
    virtual Bool Stop() = 0;
    virtual Bool RegisterObjectClass(const ClassInfo& info) = 0;
    virtual Bool UnregisterObjectClass(const ClassInfo& info) = 0;
    // Null for an unknown class name.
    virtual IObject* CreateObject(const String& className) = 0;
    // Deletes the object and clears the caller's pointer.
    virtual Bool DestroyObject(IObject*& object) = 0;
    virtual void BeginFrame() = 0;
    virtual void ProcessObjects() = 0;
    virtual void Render() = 0;
    // Records the playable with a copy of the matrix and the time for this frame.
    virtual void AddPlayable(IPlayable* playable, const Math::Matrix<float>& transform, Real time) = 0;
    virtual void AddListener(IListener* listener, const Math::Matrix<float>& transform) = 0;
    // The listener added last this frame, or null.
    virtual IListener* GetCurrentListener() = 0;
    virtual ~IRenderer() {}
};

} // namespace Audio
} // namespace Vorn
