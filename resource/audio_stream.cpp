#include "resource/audio_stream.h"

#include <algorithm>
#include <new>

#include <vorbis/codec.h>

#include "foundation/debug.h"
#include "resource/sound.h"
#include "resource/sound_format_conversion.h"

namespace Vorn {
namespace Resource {

namespace {

// A record offset that names no record: a record needs 24 bytes, so no real one starts there.
constexpr UInt32 kNoRecord = 0xFFFFFFFF;
constexpr UInt32 kNumberOfHeaderPackets = 3;

} // namespace

// The libvorbis state of one decoding stream. Its destructor releases nothing of libvorbis: the
// stream clears that state (block, synthesis, comment, info) before deleting it.
struct VorbisDecoderState
{
    ogg_packet packet;
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    // Offsets into the stream's data; kNoRecord for none.
    UInt32 currentRecord;
    UInt32 firstAudioRecord;
    // The frame that decoding gives next. It keeps the sound's length after a repositioning,
    // where libvorbis has lost the count it trims the last packet by.
    UInt32 position;
};

namespace {

void SetPacket(ogg_packet& packet, const VorbisPacketRecord& record)
{
    // libvorbis only reads the packet bytes.
    packet.packet = const_cast<unsigned char*>(record.bytes);
    packet.bytes = long(record.byteCount);
    packet.b_o_s = (record.flags & VorbisPacketRecord::BEGINNING_OF_STREAM) != 0 ? 1 : 0;
    packet.e_o_s = (record.flags & VorbisPacketRecord::END_OF_STREAM) != 0 ? 1 : 0;
    packet.granulepos = record.granulePosition == VorbisPacketRecord::kNoGranulePosition
                            ? ogg_int64_t(-1)
                            : ogg_int64_t(record.granulePosition);
    packet.packetno = ogg_int64_t(SInt32(record.packetNumber));
}

Bool CheckOutputFormat(Enums::SoundFormat format, const char* method)
{
    if (IsValidSoundFormat(UInt32(format)))
        return true;
    Debug::Trace("Resource::%s(): Invalid output format %u", method, UInt32(format));
    return false;
}

} // namespace

AudioStream::AudioStream(const ISound* sound, const UInt8* data, UInt32 dataSize, Enums::SoundFormat outputFormat)
    : mSound(sound), mData(data), mDataSize(dataSize), mOutputFormat(UInt32(outputFormat))
{
}

AudioStream::~AudioStream() = default;

UInt32 AudioStream::GetSampleRate() const
{
    return mSound->GetSampleRate();
}

UInt32 AudioStream::GetNumberOfSamples() const
{
    return mSound->GetNumberOfSamples();
}

UInt32 AudioStream::GetSizeInBytes() const
{
    return mSound->GetNumberOfSamples() * GetBytesPerFrame(UInt32(mSound->GetFormat()));
}

Enums::SoundFormat AudioStream::GetFormat() const
{
    return mSound->GetFormat();
}

IAudioStream* RawAudioStream::Clone(Enums::SoundFormat outputFormat) const
{
    if (!CheckOutputFormat(outputFormat, "RawAudioStream::Clone"))
        return nullptr;
    return new RawAudioStream(mSound, mData, mDataSize, outputFormat);
}

IAudioStream* RawAudioStream::Clone() const
{
    return Clone(GetOutputFormat());
}

UInt32 RawAudioStream::Decode(void* destination, UInt32 first, UInt32 count)
{
    const UInt32 soundFormat = UInt32(GetFormat());
    const UInt32 bytesPerFrame = GetBytesPerFrame(soundFormat);
    if (destination == nullptr || bytesPerFrame == 0 || mData == nullptr)
        return 0;
    // Never past the stored bytes, whatever the description claims.
    UInt32 frames = GetNumberOfSamples();
    if (frames > mDataSize / bytesPerFrame)
        frames = mDataSize / bytesPerFrame;
    if (first >= frames)
        return 0;
    const UInt32 n = count < frames - first ? count : frames - first;
    if (!ConvertSamples(soundFormat, mOutputFormat, mData + UInt64(first) * bytesPerFrame, destination, n))
        return 0;
    return n;
}

VorbisAudioStream::VorbisAudioStream(const ISound* sound, const UInt8* data, UInt32 dataSize,
                                     Enums::SoundFormat outputFormat)
    : AudioStream(sound, data, dataSize, outputFormat), mDecoderState(nullptr), mDecoderReady(false),
      mPcm(nullptr)
{
}

VorbisAudioStream::~VorbisAudioStream()
{
    ReleaseDecoder();
    delete[] mPcm;
}

IAudioStream* VorbisAudioStream::Clone(Enums::SoundFormat outputFormat) const
{
    if (!CheckOutputFormat(outputFormat, "VorbisAudioStream::Clone"))
        return nullptr;
    VorbisAudioStream* clone = new VorbisAudioStream(mSound, mData, mDataSize, outputFormat);
    clone->InitDecoder();
    return clone;
}

IAudioStream* VorbisAudioStream::Clone() const
{
    return Clone(GetOutputFormat());
}

void VorbisAudioStream::ReleaseDecoder()
{
    if (mDecoderReady) {
        vorbis_block_clear(&mDecoderState->block);
        vorbis_dsp_clear(&mDecoderState->dsp);
        vorbis_comment_clear(&mDecoderState->comment);
        vorbis_info_clear(&mDecoderState->info);
        mDecoderReady = false;
    }
    delete mDecoderState;
    mDecoderState = nullptr;
}

Bool VorbisAudioStream::InitDecoder()
{
    ReleaseDecoder();
    if (mSound->GetEncoding() != Enums::AudioCodec::VORBIS)
        return false;
    mDecoderState = new VorbisDecoderState();
    VorbisDecoderState& state = *mDecoderState;
    state.currentRecord = kNoRecord;
    state.firstAudioRecord = kNoRecord;
    state.position = 0;
    vorbis_info_init(&state.info);
    vorbis_comment_init(&state.comment);

    UInt32 offset = 0;
    for (UInt32 i = 0; i < kNumberOfHeaderPackets; ++i) {
        VorbisPacketRecord record;
        Bool accepted = VorbisPacketRecord::Read(mData, mDataSize, offset, record);
        if (accepted) {
            SetPacket(state.packet, record);
            accepted = vorbis_synthesis_headerin(&state.info, &state.comment, &state.packet) == 0;
        }
        if (!accepted) {
            Debug::Trace("Resource::VorbisAudioStream::InitDecoder(): Invalid vorbis header #%u", i);
            // The info holds what the headers before it allocated.
            vorbis_comment_clear(&state.comment);
            vorbis_info_clear(&state.info);
            return false;
        }
        offset = record.nextOffset;
    }
    // The float converters serve one and two channels; the destination is sized for those.
    if (state.info.channels < 1 || state.info.channels > 2) {
        Debug::Trace("Resource::VorbisAudioStream::InitDecoder(): Invalid number of channels (%d)",
                     state.info.channels);
        vorbis_comment_clear(&state.comment);
        vorbis_info_clear(&state.info);
        return false;
    }
    if (vorbis_synthesis_init(&state.dsp, &state.info) != 0) {
        vorbis_dsp_clear(&state.dsp);
        Debug::Trace("Resource::VorbisAudioStream::InitDecoder(): Failed to initialize vorbis decoder");
        vorbis_comment_clear(&state.comment);
        vorbis_info_clear(&state.info);
        return false;
    }
    vorbis_block_init(&state.dsp, &state.block);
    VorbisPacketRecord record;
    if (VorbisPacketRecord::Read(mData, mDataSize, offset, record))
        state.firstAudioRecord = offset;
    state.currentRecord = state.firstAudioRecord;
    mDecoderReady = true;
    return true;
}

UInt32 VorbisAudioStream::Decode(void* destination, UInt32 first, UInt32 count)
{
    if (!mDecoderReady || destination == nullptr)
        return 0;
    if (first != mDecoderState->position) {
        // To the packet that holds first, with a decoder fresh from the headers. A fresh decoder
        // turns its first packet into overlap only, so decoding starts one packet earlier: the
        // packet that holds first then comes out whole, and its frames before first are dropped.
        if (!InitDecoder())
            return 0;
        VorbisDecoderState& state = *mDecoderState;
        UInt32 previous = kNoRecord;
        UInt32 offset = state.firstAudioRecord;
        VorbisPacketRecord record;
        while (offset != kNoRecord && VorbisPacketRecord::Read(mData, mDataSize, offset, record) &&
               UInt64(record.firstSample) + record.samples <= first) {
            previous = offset;
            offset = record.nextOffset;
        }
        if (offset == kNoRecord || !VorbisPacketRecord::Read(mData, mDataSize, offset, record)) {
            state.currentRecord = kNoRecord;
            state.position = first;
        } else {
            state.currentRecord = previous != kNoRecord ? previous : offset;
            VorbisPacketRecord start;
            VorbisPacketRecord::Read(mData, mDataSize, state.currentRecord, start);
            state.position = start.firstSample + start.samples;
        }
    }

    VorbisDecoderState& state = *mDecoderState;
    const UInt32 channels = UInt32(state.info.channels);
    const UInt32 bytesPerFrame = GetBytesPerFrame(mOutputFormat);
    UInt8* target = static_cast<UInt8*>(destination);
    UInt32 written = 0;
    // At the end the current record stays none: later calls give 0 until the caller goes back.
    while (state.currentRecord != kNoRecord) {
        VorbisPacketRecord record;
        if (!VorbisPacketRecord::Read(mData, mDataSize, state.currentRecord, record)) {
            state.currentRecord = kNoRecord;
            break;
        }
        // Frames of the packet before first are dropped and take no room.
        const UInt32 skipped = state.position < first ? first - state.position : 0;
        if (UInt64(written) + record.samples > UInt64(count) + skipped)
            break;
        SetPacket(state.packet, record);
        if (vorbis_synthesis(&state.block, &state.packet) == 0 &&
            vorbis_synthesis_blockin(&state.dsp, &state.block) != 0)
            Debug::Trace("Resource::VorbisAudioStream::Decode(): vorbis_synthesis_blockin() failed");
        float** pcm = nullptr;
        int pending;
        while ((pending = vorbis_synthesis_pcmout(&state.dsp, &pcm)) > 0) {
            // Frames beyond the caller's room (a record that understates its packet) or beyond
            // the end of the sound are dropped.
            UInt32 frames = UInt32(pending);
            const UInt32 dropped = state.position < first ? std::min(frames, first - state.position) : 0;
            state.position += dropped;
            frames -= dropped;
            if (frames > count - written)
                frames = count - written;
            const UInt32 numberOfSamples = GetNumberOfSamples();
            const UInt32 left = state.position < numberOfSamples ? numberOfSamples - state.position : 0;
            if (frames > left)
                frames = left;
            // One or two channels (InitDecoder refuses others).
            float* kept[2] = {pcm[0] + dropped, channels > 1 ? pcm[1] + dropped : nullptr};
            ConvertFloatSamples(channels, mOutputFormat, kept, target, frames);
            target += size_t(frames) * bytesPerFrame;
            written += frames;
            state.position += frames;
            if (vorbis_synthesis_read(&state.dsp, pending) != 0) {
                Debug::Trace("Resource::VorbisAudioStream::Decode(): vorbis_synthesis_read() failed");
                break;
            }
        }
        VorbisPacketRecord next;
        state.currentRecord =
            VorbisPacketRecord::Read(mData, mDataSize, record.nextOffset, next) ? record.nextOffset : kNoRecord;
    }
    return written;
}

Bool VorbisAudioStream::PrepareData()
{
    if (mPcm != nullptr)
        return true;
    const UInt32 frames = GetNumberOfSamples();
    const UInt64 size = UInt64(frames) * GetBytesPerFrame(mOutputFormat);
    if (size > 0xFFFFFFFFull) {
        Debug::Trace("Resource::VorbisAudioStream::PrepareData(): %u frames do not fit a 32-bit size", frames);
        return false;
    }
    UInt8* block = new (std::nothrow) UInt8[size_t(size) + 1];
    if (block == nullptr) {
        Debug::Trace("Resource::VorbisAudioStream::PrepareData(): Out of memory for %u frames", frames);
        return false;
    }
    IAudioStream* clone = Clone(GetOutputFormat());
    const UInt32 written = clone != nullptr ? clone->Decode(block, 0, frames) : 0;
    delete clone;
    if (written != frames) {
        Debug::Trace("Resource::VorbisAudioStream::PrepareData(): Decoded %u of %u frames", written, frames);
        delete[] block;
        return false;
    }
    mPcm = block;
    return true;
}

Bool VorbisAudioStream::ReleaseData()
{
    if (mPcm == nullptr)
        return false;
    delete[] mPcm;
    mPcm = nullptr;
    return true;
}

} // namespace Resource
} // namespace Vorn
