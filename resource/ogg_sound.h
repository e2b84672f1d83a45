// The sound read from an Ogg Vorbis file: its packets are copied out of the Ogg pages into packet
// records (the data of the native form), which streams decode and seek by.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/sound.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class OggSound : public Sound
{
public:
    // Object creator. Declines bytes that are not Ogg, or whose first stream is not Vorbis.
    // Refuses, with one log line, a Vorbis stream that cannot be read to its end, has other than
    // one or two channels, or holds no samples. Never sets failed. The sound owns its records,
    // so releaseData stays set.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    OggSound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~OggSound() override;

    // The sound in the native "SNDS" form, with its packet records.
    Bool GetNativeData(Data& data) const override;

private:
    enum class ReadResult
    {
        OK,
        NOT_OWN_FORM,
        REFUSED,
    };

    // Reads the Vorbis stream of the source bytes into packet records; REFUSED has been logged.
    ReadResult ConvertStream();

    Data mPackets;
};

} // namespace Resource
} // namespace Vorn
