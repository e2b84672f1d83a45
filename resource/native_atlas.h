// The atlas read from its native chunk file (form "ATLS"), with the rectangle records used in place
// in the source bytes, and the writer of that form for any atlas.
#pragma once

#include "resource/aligned_copies.h"

#include "foundation/data.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/atlas.h"
#include "resource/native_file.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeAtlas : public Atlas
{
public:
    // Object creator. Declines (null, failed untouched) bytes that are not an "ATLS" chunk file or
    // whose first chunk is not HEAD of version "0.01". Refuses, with one log line and failed set,
    // an "ATLS" file whose size, chunks, count or offset do not fit its bytes, or that holds two
    // RECT chunks. A file without RECT gives an atlas of no rectangles. The atlas keeps pointing
    // into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    // Writes the atlas in the native form: HEAD, then one RECT chunk with all rectangles. False when
    // the file would not fit a 32-bit size.
    static Bool Write(const IAtlas& atlas, Data& target);

    NativeAtlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~NativeAtlas() override;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

private:
    // Sets the rectangles from the source bytes; REFUSED has been logged.
    ReadResult Read();

    AlignedCopies mAlignedCopies;
};

} // namespace Resource
} // namespace Vorn
