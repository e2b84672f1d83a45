#include "resource/ogg_sound.h"

#include <cstring>
#include <vector>

#include <vorbis/codec.h>

#include "foundation/debug.h"
#include "foundation/memory_stream.h"
#include "resource/native_sound.h"

namespace Vorn {
namespace Resource {

namespace {

// The libogg and libvorbis state of one conversion, released in reverse order of set-up however
// the conversion ends.
class VorbisReader
{
public:
    VorbisReader()
    {
        ogg_sync_init(&mSync);
    }

    ~VorbisReader()
    {
        if (mSynthesisReady) {
            vorbis_block_clear(&mBlock);
            vorbis_dsp_clear(&mDsp);
        }
        if (mStreamReady) {
            vorbis_comment_clear(&mComment);
            vorbis_info_clear(&mInfo);
            ogg_stream_clear(&mStream);
        }
        ogg_sync_clear(&mSync);
    }

    VorbisReader(const VorbisReader&) = delete;
    VorbisReader& operator=(const VorbisReader&) = delete;

    // Moves the next piece of the input into the sync buffer; false when none is left.
    Bool ReadPiece(Util::MemoryStream& input)
    {
        char* buffer = ogg_sync_buffer(&mSync, Util::MemoryStream::BlockSize);
        const UInt32 count = buffer != nullptr ? input.Read(buffer) : 0;
        if (count == 0)
            return false;
        ogg_sync_wrote(&mSync, long(count));
        return true;
    }

    void StartStream(int serialNumber)
    {
        ogg_stream_init(&mStream, serialNumber);
        vorbis_info_init(&mInfo);
        vorbis_comment_init(&mComment);
        mStreamReady = true;
    }

    Bool StartSynthesis()
    {
        if (vorbis_synthesis_init(&mDsp, &mInfo) != 0) {
            vorbis_dsp_clear(&mDsp);
            return false;
        }
        vorbis_block_init(&mDsp, &mBlock);
        mSynthesisReady = true;
        return true;
    }

    // Decodes an audio packet and gives the frames it makes available, declared consumed.
    UInt32 CountFrames(ogg_packet& packet)
    {
        if (vorbis_synthesis(&mBlock, &packet) == 0)
            vorbis_synthesis_blockin(&mDsp, &mBlock);
        UInt32 frames = 0;
        int pending;
        while ((pending = vorbis_synthesis_pcmout(&mDsp, nullptr)) > 0) {
            frames += UInt32(pending);
            vorbis_synthesis_read(&mDsp, pending);
        }
        return frames;
    }

    ogg_sync_state mSync;
    ogg_stream_state mStream;
    ogg_page mPage;
    ogg_packet mPacket;
    vorbis_info mInfo;
    vorbis_comment mComment;
    vorbis_dsp_state mDsp;
    vorbis_block mBlock;
    Bool mStreamReady = false;
    Bool mSynthesisReady = false;
};

// The records collected so far, in the native layout.
class RecordWriter
{
public:
    void Append(const ogg_packet& packet, UInt32 samples, UInt32 firstSample, UInt32 kindFlag)
    {
        VorbisPacketRecord record;
        record.packetNumber = UInt32(UInt64(packet.packetno));
        record.samples = samples;
        record.firstSample = firstSample;
        record.byteCount = UInt32(packet.bytes);
        record.granulePosition = UInt32(UInt64(packet.granulepos));
        record.flags = kindFlag | (packet.b_o_s != 0 ? UInt32(VorbisPacketRecord::BEGINNING_OF_STREAM) : 0) |
                       (packet.e_o_s != 0 ? UInt32(VorbisPacketRecord::END_OF_STREAM) : 0);
        const size_t start = mBytes.size();
        mBytes.resize(start + VorbisPacketRecord::kHeaderSize + size_t(packet.bytes));
        record.WriteHeader(mBytes.data() + start);
        if (packet.bytes > 0)
            std::memcpy(mBytes.data() + start + VorbisPacketRecord::kHeaderSize, packet.packet, size_t(packet.bytes));
    }

    const std::vector<UInt8>& GetBytes() const { return mBytes; }

private:
    std::vector<UInt8> mBytes;
};

} // namespace

OggSound::OggSound(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                   UInt32 conditionCount)
    : Sound(id, data, size, conditions, conditionCount)
{
}

OggSound::~OggSound() = default;

Bool OggSound::GetNativeData(Data& data) const
{
    return NativeSound::Write(*this, data);
}

IObject* OggSound::Create(const IAttributes*, const String& id, const void* data, UInt32 size,
                          const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool*)
{
    if (releaseData != nullptr)
        *releaseData = true;
    OggSound* sound = new OggSound(id, data, size, conditions, conditionCount);
    if (sound->ConvertStream() != ReadResult::OK) {
        delete sound;
        return nullptr;
    }
    return sound;
}

OggSound::ReadResult OggSound::ConvertStream()
{
    Util::MemoryStream input;
    if (!input.Open(GetData(), GetSize()))
        return ReadResult::NOT_OWN_FORM;
    VorbisReader reader;
    if (!reader.ReadPiece(input) || ogg_sync_pageout(&reader.mSync, &reader.mPage) != 1)
        return ReadResult::NOT_OWN_FORM;

    reader.StartStream(ogg_page_serialno(&reader.mPage));
    if (ogg_stream_pagein(&reader.mStream, &reader.mPage) < 0) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Error reading first page of ogg bitstream data");
        return ReadResult::REFUSED;
    }
    if (ogg_stream_packetout(&reader.mStream, &reader.mPacket) != 1) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Error reading initial header packet");
        return ReadResult::REFUSED;
    }
    // Ogg, but some other codec's stream.
    if (vorbis_synthesis_headerin(&reader.mInfo, &reader.mComment, &reader.mPacket) < 0)
        return ReadResult::NOT_OWN_FORM;
    RecordWriter records;
    records.Append(reader.mPacket, 0, 0, VorbisPacketRecord::IDENTIFICATION_HEADER);

    UInt32 headers = 1;
    while (headers < 3) {
        const int pageResult = ogg_sync_pageout(&reader.mSync, &reader.mPage);
        if (pageResult == 0) {
            if (!reader.ReadPiece(input)) {
                Debug::Trace("Resource::OggSound::ConvertStream(): End of file before finding all vorbis headers");
                return ReadResult::REFUSED;
            }
            continue;
        }
        if (pageResult < 0)
            continue;
        // Pages of other logical streams are not ours.
        if (ogg_stream_pagein(&reader.mStream, &reader.mPage) < 0)
            continue;
        while (headers < 3) {
            const int packetResult = ogg_stream_packetout(&reader.mStream, &reader.mPacket);
            if (packetResult == 0)
                break;
            if (packetResult < 0) {
                Debug::Trace("Resource::OggSound::ConvertStream(): Corrupt secondary header from "
                             "ogg_stream_packetout()");
                return ReadResult::REFUSED;
            }
            if (vorbis_synthesis_headerin(&reader.mInfo, &reader.mComment, &reader.mPacket) < 0) {
                Debug::Trace("Resource::OggSound::ConvertStream(): Corrupt secondary header from "
                             "vorbis_synthesis_headerin()");
                return ReadResult::REFUSED;
            }
            records.Append(reader.mPacket, 0, 0,
                           headers == 1 ? VorbisPacketRecord::COMMENT_HEADER : VorbisPacketRecord::SETUP_HEADER);
            ++headers;
        }
    }

    const int channels = reader.mInfo.channels;
    if (channels != 1 && channels != 2) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Invalid number of channels (%d)", channels);
        return ReadResult::REFUSED;
    }
    if (!reader.StartSynthesis()) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Corrupt header during playback initialization");
        return ReadResult::REFUSED;
    }

    // The packets left in the stream after the headers, then page by page up to the end of the
    // stream or of the bytes.
    UInt64 total = 0;
    Bool endOfStream = false;
    for (;;) {
        int packetResult;
        while ((packetResult = ogg_stream_packetout(&reader.mStream, &reader.mPacket)) != 0) {
            if (packetResult < 0)
                continue;
            const UInt32 frames = reader.CountFrames(reader.mPacket);
            if (total + frames > 0xFFFFFFFFull) {
                Debug::Trace("Resource::OggSound::ConvertStream(): Too many samples for object '%s'",
                             GetId().GetText());
                return ReadResult::REFUSED;
            }
            records.Append(reader.mPacket, frames, UInt32(total), VorbisPacketRecord::AUDIO_PACKET);
            total += frames;
        }
        if (endOfStream)
            break;
        const int pageResult = ogg_sync_pageout(&reader.mSync, &reader.mPage);
        if (pageResult == 0) {
            if (!reader.ReadPiece(input))
                break;
            continue;
        }
        if (pageResult < 0) {
            Debug::Trace("Resource::OggSound::ConvertStream(): Corrupt or missing data in bitstream");
            return ReadResult::REFUSED;
        }
        if (ogg_stream_pagein(&reader.mStream, &reader.mPage) < 0)
            continue;
        endOfStream = ogg_page_eos(&reader.mPage) != 0;
    }

    const std::vector<UInt8>& bytes = records.GetBytes();
    if (total == 0) {
        Debug::Trace("Resource::OggSound::ConvertStream(): No samples in the vorbis stream of object '%s'",
                     GetId().GetText());
        return ReadResult::REFUSED;
    }
    if (bytes.size() > 0xFFFFFFFFull) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Vorbis packets too large for object '%s'",
                     GetId().GetText());
        return ReadResult::REFUSED;
    }
    const UInt32 format = channels == 1 ? UInt32(Enums::SoundFormat::MONO_16_BIT)
                                        : UInt32(Enums::SoundFormat::STEREO_16_BIT);
    // Mono 16-bit PCM of more than 2^31 frames would not fit a 32-bit size.
    if (total * 2 * UInt64(channels) > 0xFFFFFFFFull) {
        Debug::Trace("Resource::OggSound::ConvertStream(): Too many samples (%llu) for object '%s'",
                     (unsigned long long)total, GetId().GetText());
        return ReadResult::REFUSED;
    }
    mPackets.Assign(bytes.data(), UInt32(bytes.size()));
    SetDescription(UInt32(total), UInt32(reader.mInfo.rate), format, UInt32(Enums::AudioCodec::VORBIS));
    SetSampleData(mPackets.GetData(), mPackets.GetSize());
    return ReadResult::OK;
}

} // namespace Resource
} // namespace Vorn
