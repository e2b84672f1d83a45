// Fixtures for sound tests and benchmarks: RIFF/WAVE files built field by field, the encoded
// Ogg Vorbis tones, and a rewriter that rebuilds an Ogg Vorbis stream from its packets (to edit
// a header, put another codec's stream first or lengthen the audio).
#pragma once

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/types.h"
#include "resource/object.h"
#include "resource/package.h"
#include "tests/support/exact_bytes.h"
#include "tests/support/ogg_tones.inc"

namespace Vorn {
namespace Testing {

inline std::vector<UInt8> MonoToneOgg()
{
    return std::vector<UInt8>(kMonoToneOgg, kMonoToneOgg + sizeof(kMonoToneOgg));
}

inline std::vector<UInt8> StereoToneOgg()
{
    return std::vector<UInt8>(kStereoToneOgg, kStereoToneOgg + sizeof(kStereoToneOgg));
}

// What an object creator made of some bytes, with its two flags.
struct CreatedObject
{
    std::unique_ptr<Resource::IObject> object;
    Bool releaseData = true;
    Bool failed = false;
};

inline CreatedObject CreateObject(Resource::ObjectCreator creator, const ExactBytes& bytes, const char* id = "sound")
{
    CreatedObject result;
    result.releaseData = false;
    result.object.reset(creator(nullptr, id, bytes.Get(), bytes.GetSize(), nullptr, 0, &result.releaseData,
                                &result.failed));
    return result;
}

inline void PutLittleEndian(std::vector<UInt8>& out, UInt32 value, UInt32 bytes)
{
    for (UInt32 i = 0; i < bytes; ++i)
        out.push_back(UInt8(value >> (8 * i)));
}

inline void PutTag(std::vector<UInt8>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

// A RIFF/WAVE file; the fields default to those of the channels and bits given.
struct WavFile
{
    UInt32 audioFormat = 1;
    UInt32 channels = 1;
    UInt32 sampleRate = 22050;
    UInt32 bitsPerSample = 16;
    SInt32 blockAlign = -1; // -1: bits x channels / 8
    UInt32 formatChunkSize = 16;
    std::vector<UInt8> samples;
    // Chunks written between "fmt " and "data".
    std::vector<UInt8> extraChunks;

    std::vector<UInt8> Build() const
    {
        std::vector<UInt8> chunks;
        PutTag(chunks, "fmt ");
        PutLittleEndian(chunks, formatChunkSize, 4);
        std::vector<UInt8> format;
        const UInt32 align = blockAlign >= 0 ? UInt32(blockAlign) : bitsPerSample * channels / 8;
        PutLittleEndian(format, audioFormat, 2);
        PutLittleEndian(format, channels, 2);
        PutLittleEndian(format, sampleRate, 4);
        PutLittleEndian(format, sampleRate * align, 4);
        PutLittleEndian(format, align, 2);
        PutLittleEndian(format, bitsPerSample, 2);
        format.resize(formatChunkSize, 0);
        chunks.insert(chunks.end(), format.begin(), format.end());
        chunks.insert(chunks.end(), extraChunks.begin(), extraChunks.end());
        PutTag(chunks, "data");
        PutLittleEndian(chunks, UInt32(samples.size()), 4);
        chunks.insert(chunks.end(), samples.begin(), samples.end());
        std::vector<UInt8> file;
        PutTag(file, "RIFF");
        PutLittleEndian(file, UInt32(chunks.size() + 4), 4);
        PutTag(file, "WAVE");
        file.insert(file.end(), chunks.begin(), chunks.end());
        return file;
    }
};

// One packet of an Ogg stream, with its bytes copied.
struct OggPacket
{
    std::vector<UInt8> bytes;
    SInt64 granulePosition;
};

// The packets of the first logical stream, in order.
inline std::vector<OggPacket> ReadOggPackets(const std::vector<UInt8>& file)
{
    std::vector<OggPacket> packets;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, long(file.size()));
    std::memcpy(buffer, file.data(), file.size());
    ogg_sync_wrote(&sync, long(file.size()));
    ogg_stream_state stream;
    Bool started = false;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!started) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            started = true;
        }
        if (ogg_stream_pagein(&stream, &page) != 0)
            continue;
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1)
            packets.push_back({std::vector<UInt8>(packet.packet, packet.packet + packet.bytes), packet.granulepos});
    }
    if (started)
        ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
    return packets;
}

// Pages the packets into one logical stream of the serial number: the three headers flushed on
// pages of their own, the last packet marked as the end of the stream.
inline std::vector<UInt8> WriteOggPackets(const std::vector<OggPacket>& packets, int serialNumber = 77)
{
    std::vector<UInt8> file;
    ogg_stream_state stream;
    ogg_stream_init(&stream, serialNumber);
    ogg_page page;
    auto emit = [&]() {
        file.insert(file.end(), page.header, page.header + page.header_len);
        file.insert(file.end(), page.body, page.body + page.body_len);
    };
    for (size_t i = 0; i < packets.size(); ++i) {
        ogg_packet packet = {};
        packet.packet = const_cast<unsigned char*>(packets[i].bytes.data());
        packet.bytes = long(packets[i].bytes.size());
        packet.b_o_s = i == 0 ? 1 : 0;
        packet.e_o_s = i + 1 == packets.size() ? 1 : 0;
        packet.granulepos = packets[i].granulePosition;
        packet.packetno = ogg_int64_t(i);
        ogg_stream_packetin(&stream, &packet);
        if (i == 2)
            while (ogg_stream_flush(&stream, &page) != 0)
                emit();
        else
            while (ogg_stream_pageout(&stream, &page) != 0)
                emit();
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        emit();
    ogg_stream_clear(&stream);
    return file;
}

// The stream with its audio packets repeated until it holds at least frames sample frames, with
// the granule positions renumbered from the block sizes.
inline std::vector<UInt8> LengthenOgg(const std::vector<UInt8>& file, UInt64 frames)
{
    std::vector<OggPacket> packets = ReadOggPackets(file);
    vorbis_info info;
    vorbis_comment comment;
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    for (size_t i = 0; i < 3 && i < packets.size(); ++i) {
        ogg_packet packet = {};
        packet.packet = packets[i].bytes.data();
        packet.bytes = long(packets[i].bytes.size());
        packet.b_o_s = i == 0 ? 1 : 0;
        vorbis_synthesis_headerin(&info, &comment, &packet);
    }
    std::vector<OggPacket> result(packets.begin(), packets.begin() + 3);
    UInt64 total = 0;
    long previousBlock = 0;
    while (total < frames) {
        for (size_t i = 3; i < packets.size() && total < frames; ++i) {
            ogg_packet packet = {};
            packet.packet = packets[i].bytes.data();
            packet.bytes = long(packets[i].bytes.size());
            const long block = vorbis_packet_blocksize(&info, &packet);
            if (block <= 0)
                continue;
            if (previousBlock != 0)
                total += UInt64(previousBlock / 4 + block / 4);
            previousBlock = block;
            result.push_back({packets[i].bytes, SInt64(total)});
        }
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return WriteOggPackets(result);
}

} // namespace Testing
} // namespace Vorn
