// A text drawn with a bitmap font: game code sets the text, its alignment inside its container
// and asks whether the font can draw a character before it falls back to a system font.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/text.h"
#include "graph/transform/scalable.h"

namespace Vorn {
namespace Graph {

class IDisplayText : public IText, public IScalable
{
public:
    virtual void SetHorizontalContainerAlignment(Enums::TextAlignmentX alignment) = 0;
    virtual Enums::TextAlignmentX GetHorizontalContainerAlignment() const = 0;
    virtual void SetVerticalContainerAlignment(Enums::TextAlignmentY alignment) = 0;
    virtual Enums::TextAlignmentY GetVerticalContainerAlignment() const = 0;
    // Whether the font has a glyph for the first UTF-8 character; false without a font or when
    // that character does not decode.
    virtual Bool HasGlyph(const String& character) const = 0;
    virtual Bool HasGlyph(const char* character) const = 0;
};

} // namespace Graph
} // namespace Vorn
