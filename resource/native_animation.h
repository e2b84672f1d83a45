// The animation read from its native chunk file (form "ANIM"), with the key records used in
// place in the source bytes, and the writer of that form for any animation.
#pragma once

#include "resource/aligned_copies.h"

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/animation.h"
#include "resource/native_file.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeAnimation : public Animation
{
public:
    // Object creator. Declines (null, failed untouched) bytes that are not an "ANIM" chunk file
    // or whose first chunk is not HEAD of version "0.01". Refuses, with one log line and failed
    // set, an "ANIM" file whose size, chunks, counts or offsets do not fit its bytes, or that
    // repeats a key chunk. The animation keeps pointing into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // Writes the animation in the native form: HEAD, then one chunk per kind that has keys, in
    // key kind order. False when the file would not fit a 32-bit size.
    static Bool Write(const Animation& animation, Data& target);

    NativeAnimation(const String& id, const void* data, UInt32 size, const UInt32* conditions,
                    UInt32 conditionCount);
    ~NativeAnimation() override;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

private:
    // Fills the time range and the tracks from the source bytes; REFUSED has been logged.
    ReadResult Read();

    AlignedCopies mAlignedCopies;
};

} // namespace Resource
} // namespace Vorn
