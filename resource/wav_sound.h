// The sound read from a RIFF/WAVE file of 8- or 16-bit PCM, with its samples used in place.
#pragma once

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/sound.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class WavSound : public Sound
{
public:
    // Object creator. Declines bytes that are not a RIFF/WAVE file. Refuses, with one log line, a
    // file without a whole "fmt " chunk first and a "data" chunk after it, or with other than
    // mono or stereo PCM of 8 or 16 bits. Never sets failed. The sound keeps pointing into the
    // bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    WavSound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~WavSound() override;

    // The sound in the native "SNDS" form.
    Bool GetNativeData(Data& data) const override;

private:
    enum class ReadResult
    {
        OK,
        NOT_OWN_FORM,
        REFUSED,
    };

    ReadResult Read();
};

} // namespace Resource
} // namespace Vorn
