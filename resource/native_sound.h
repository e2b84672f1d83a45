// The sound read from its native chunk file (form "SNDS"), with its PCM or Vorbis packet records
// used in place in the source bytes, and the writer of that form for any sound.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/native_file.h"
#include "resource/sound.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeSound : public Sound
{
public:
    // Object creator. Declines bytes that are not an "SNDS" chunk file whose first chunk is HEAD
    // of version "0.01". Refuses, with one log line, a file whose HEAD values do not describe its
    // DATA chunk (format, encoding, rate, a PCM size or packet records that do not fit). Never sets
    // failed. The sound keeps pointing into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // Writes the sound in the native form: HEAD with its description, DATA with its bytes.
    static Bool Write(const Sound& sound, Data& target);

    NativeSound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~NativeSound() override;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

    // Checks the description against the sample bytes: a valid format, encoding and rate, PCM that
    // holds numberOfSamples frames, or packet records that fill the bytes exactly and count
    // numberOfSamples frames in all. Logs one line naming the method and the id and gives false.
    static Bool CheckSampleData(const char* method, const String& id, UInt32 numberOfSamples, UInt32 sampleRate,
                                UInt32 format, UInt32 encoding, const UInt8* data, UInt32 dataSize);

private:
    ReadResult Read();
};

} // namespace Resource
} // namespace Vorn
