// The bitmap font read from its native chunk file (form "FONT"): the font's values and glyph
// records are read in place in the source bytes.
#pragma once

#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/font.h"
#include "resource/native_file.h"

namespace Vorn {

class IAttributes;

namespace Resource {

class NativeFont : public Font
{
public:
    // A glyph over its 44-byte record: the character code, then the ten values in IGlyph order.
    class Glyph : public IGlyph
    {
    public:
        explicit Glyph(const UInt8* record);
        ~Glyph() override;

        UInt32 GetCode() const;

        Float GetTexCoordU1() const override { return ReadValue(0); }
        Float GetTexCoordV1() const override { return ReadValue(1); }
        Float GetTexCoordU2() const override { return ReadValue(2); }
        Float GetTexCoordV2() const override { return ReadValue(3); }
        Float GetQuadX1() const override { return ReadValue(4); }
        Float GetQuadY1() const override { return ReadValue(5); }
        Float GetQuadX2() const override { return ReadValue(6); }
        Float GetQuadY2() const override { return ReadValue(7); }
        Float GetAdvance() const override { return ReadValue(8); }
        Float GetExtraValue() const override { return ReadValue(9); }

    private:
        Float ReadValue(UInt32 position) const;

        const UInt8* mRecord;
    };

    // Object creator. Declines (null, failed untouched) bytes that are not a "FONT" chunk file or
    // whose first chunk is not HEAD of version "0.01". Refuses, with one log line and failed set, a
    // "FONT" file whose size, chunks, header, counts or offsets do not fit its bytes. Glyphs of all
    // GLPH chunks add up. The font keeps pointing into the bytes (releaseData cleared).
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    NativeFont(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~NativeFont() override;

    Float GetScale() const override { return ReadHeaderValue(0); }
    Float GetLineHeight() const override { return ReadHeaderValue(1); }
    Float GetExtraValue1() const override { return ReadHeaderValue(2); }
    Float GetExtraValue2() const override { return ReadHeaderValue(3); }
    Float GetExtraValue3() const override { return ReadHeaderValue(4); }
    Float GetSpacing() const override { return ReadHeaderValue(5); }
    Float GetLeading() const override { return ReadHeaderValue(6); }
    Float GetSpaceWidth() const override { return ReadHeaderValue(7); }
    Float GetDigitWidth() const override { return ReadHeaderValue(8); }
    Float GetGlyphOffsetX() const override { return ReadHeaderValue(9); }
    Float GetGlyphOffsetY() const override { return ReadHeaderValue(10); }
    // A code stored twice answers with its first record.
    const IGlyph* GetGlyph(UInt32 code) const override;

    // Every glyph record read, duplicates included, in file order.
    UInt32 GetNumberOfGlyphs() const { return UInt32(mGlyphs.GetCount()); }
    // Null when position is not below GetNumberOfGlyphs.
    const Glyph* GetGlyphAt(UInt32 position) const;

    // A copy of the source bytes.
    Bool GetNativeData(Data& data) const override;

private:
    // Sets the header and creates the glyphs from the source bytes; REFUSED has been logged.
    ReadResult Read();
    Float ReadHeaderValue(UInt32 position) const;

    // The HEAD payload (version, then the font values) in the source bytes.
    const UInt8* mHeader;
    // Character code to glyph; the glyphs are owned.
    Map<UInt32, Glyph*> mGlyphs;
};

} // namespace Resource
} // namespace Vorn
