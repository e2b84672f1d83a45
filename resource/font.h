// Font resources: bitmap fonts whose pictures share one texture. The text drawable lays lines out
// with the font's values and draws one quad per glyph.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

// One character's picture: its texture rectangle, the quad to draw relative to the pen (the Y
// values grow downward from the line's reference height) and the advance, all in font units.
class IGlyph
{
public:
    virtual Float GetTexCoordU1() const = 0;
    virtual Float GetTexCoordV1() const = 0;
    virtual Float GetTexCoordU2() const = 0;
    virtual Float GetTexCoordV2() const = 0;
    virtual Float GetQuadX1() const = 0;
    virtual Float GetQuadY1() const = 0;
    virtual Float GetQuadX2() const = 0;
    virtual Float GetQuadY2() const = 0;
    virtual Float GetAdvance() const = 0;
    // Kept from the font file; the text drawable does not read it.
    virtual Float GetExtraValue() const = 0;
    virtual ~IGlyph() {}
};

// The font's values, in file order, and its glyphs by Unicode code point.
class IFont
{
public:
    // Multiplies the text node's scale factors into the scale of all font units.
    virtual Float GetScale() const = 0;
    virtual Float GetLineHeight() const = 0;
    // Kept from the font file; the text drawable does not read them.
    virtual Float GetExtraValue1() const = 0;
    virtual Float GetExtraValue2() const = 0;
    virtual Float GetExtraValue3() const = 0;
    // Added after every character, beside the node's own spacing.
    virtual Float GetSpacing() const = 0;
    // Added between lines, beside the node's own leading.
    virtual Float GetLeading() const = 0;
    virtual Float GetSpaceWidth() const = 0;
    // The advance of every digit when the node asks for equal digit widths.
    virtual Float GetDigitWidth() const = 0;
    virtual Float GetGlyphOffsetX() const = 0;
    virtual Float GetGlyphOffsetY() const = 0;
    // Null when the font has no glyph for the code.
    virtual const IGlyph* GetGlyph(UInt32 code) const = 0;
    virtual ~IFont() {}
};

// The font type; its reader (NativeFont) supplies the values and glyphs.
class Font : public Object, public IFont
{
public:
    Font(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Font() override;
};

} // namespace Resource
} // namespace Vorn
