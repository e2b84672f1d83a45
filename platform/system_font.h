// The platform's system font rendering, which the text texture node draws with.
#pragma once

#include "foundation/enums.h"
#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

class IDisplaySurface;

class ISystemFont
{
public:
    // Clears the surface to the background colour and draws the UTF-8 text, line by line, placed
    // by the two alignments. Colours are four floats. False when the surface was not made by the
    // same control.
    virtual Bool DrawText(const char* text, const Float* textColor, const Float* backgroundColor, Float x, Float y,
                          Enums::TextAlignmentX alignmentX, Enums::TextAlignmentY alignmentY,
                          IDisplaySurface* surface) = 0;
    virtual ~ISystemFont() {}
};

// A control: the output device handler holds it under the system font kind.
class ISystemFontControl : public IControlable
{
public:
    // Null when the face cannot be made.
    virtual ISystemFont* CreateSystemFont(const char* faceName, Float size) = 0;
    virtual IDisplaySurface* CreateSurface(Enums::PixelFormat format, UInt32 width, UInt32 height) = 0;
    virtual void DestroySystemFont(ISystemFont* font) = 0;
    virtual void DestroySurface(IDisplaySurface* surface) = 0;
    virtual ~ISystemFontControl() {}
};

} // namespace Vorn
