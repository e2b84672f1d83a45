// Nodes that show a text: display texts and text textures. Game code changes their text and
// alignment at run time.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IText
{
public:
    // Setters store only a value that differs from the current one and then mark the text to be
    // laid out or drawn again.
    virtual void SetHorizontalTextAlignment(Enums::TextAlignmentX alignment) = 0;
    virtual Enums::TextAlignmentX GetHorizontalTextAlignment() const = 0;
    virtual void SetVerticalTextAlignment(Enums::TextAlignmentY alignment) = 0;
    virtual Enums::TextAlignmentY GetVerticalTextAlignment() const = 0;
    virtual void SetText(const String& text) = 0;
    virtual const String& GetText() const = 0;
    virtual ~IText() {}
};

} // namespace Graph
} // namespace Vorn
