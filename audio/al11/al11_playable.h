// One OpenAL source that plays a sequence of buffers back to back (class "Playable"), kept in
// step with the time that the graph's audio sequence submits each frame: the renderer thread's
// Process starts, continues or restarts the source so that what is heard matches the time.
// Static buffers of the source's format and rate are queued whole; everything else streams
// through three stream buffers borrowed from the renderer's pool.
#pragma once

#include "audio/al11/al11_object.h"
#include "foundation/array.h"
#include "foundation/matrix.h"

namespace Vorn {

class IAudioStream;

namespace Audio {
namespace Al11 {

class Buffer;
class StreamBuffer;

class Playable : public Object, public IPlayable
{
public:
    static constexpr UInt32 kNumberOfStreamBuffers = 3;

    static const ClassInfo& GetClassInfo();

    Playable();
    ~Playable() override;

    // Makes and sets up the source.
    Bool Init() override;
    // Gives the stream buffers back and deletes the source.
    Bool DeInit() override;

    // 0 takes the first buffer's format; values above 4 are refused.
    Bool SetSampleFormat(Enums::SoundFormat format) override;
    // Stops a playing source first.
    Bool RemoveAllBuffers() override;
    // Refuses a null buffer, one of another back-end, or one whose stream cannot be read in the
    // playable's format.
    Bool AddBuffer(IBuffer* buffer) override;
    UInt32 GetNumberOfBuffers() const override { return mNumEntries; }
    IBuffer* GetBuffer(UInt32 index) override;
    Double GetBufferStartTime(UInt32 index) const override;
    Bool SetVolume(Real volume) override;
    Bool SetReferenceDistance(Real distance) override;
    Bool SetRolloffFactor(Real factor) override;
    Bool SetMaxDistance(Real distance) override;

    // The renderer thread, under its lock: plays the sequence at the time (seconds), with the
    // source placed at the transform's translation.
    virtual Bool Process(const Math::Matrix<float>& transform, Double time);
    // Silences the source and drops what was queued.
    virtual Bool Stop();

    Bool IsPlaying() const { return mIsPlaying; }
    UInt32 GetSource() const { return mSource; }

private:
    struct Entry
    {
        Buffer* buffer = nullptr;
        // A clone of the buffer's stream in the playable's format, owned.
        IAudioStream* stream = nullptr;
        Double startTime = 0.0;
    };

    Playable(const Playable&) = delete;
    Playable& operator=(const Playable&) = delete;

    void SetUpSource();
    // The entry playing at the time; -1 when the time lies past the end.
    SInt32 FindEntry(Double time) const;
    void ReclaimProcessedBuffers();
    // Queues what the current entry and those after it can give now.
    void QueueEntries(UInt32& startOffset);
    void ReturnStreamBuffers();
    void DeleteStreams();

    UInt32 mSource;
    Array<Entry*> mEntries;
    UInt32 mNumEntries;
    Double mTotalDuration;
    Real mVolume;
    Real mReferenceDistance;
    Real mRolloffFactor;
    Real mMaxDistance;
    Enums::SoundFormat mRequestedFormat;
    UInt32 mSampleOffset;
    SInt32 mCurrentEntry;
    Double mLastTime;
    Enums::SoundFormat mFormat;
    // The rate of the buffers on the source's queue; an empty queue takes the next entry's.
    UInt32 mSampleRate;
    StreamBuffer* mStreamBuffers[kNumberOfStreamBuffers];
    Bool mIsPlaying;
};

} // namespace Al11
} // namespace Audio
} // namespace Vorn
