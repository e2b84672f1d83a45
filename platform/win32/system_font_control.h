// Text drawn with the operating system's fonts, for texts the packages carry no bitmap font for:
// engine font names map to GDI faces with a weight and metric factors; a SystemFont is one face
// at one size; a DisplaySurface is a 32-bit surface backed by a GDI DIB section, into which text
// is drawn and then turned into coloured pixels that the renderer uploads like any surface.
#pragma once

#include <windows.h>

#include "foundation/array.h"
#include "foundation/string.h"
#include "platform/system_font.h"
#include "resource/display_surface.h"

namespace Vorn {
namespace Win32 {

class SystemFontControl : public ISystemFontControl
{
public:
    struct FontMapping
    {
        String mName;
        String mFace;
        SInt32 mWeight;
        Float mHeightFactor;
        Float mAscentFactor;
        Float mDescentFactor;
        Float mSpacingFactor;
    };

    // GDI metrics of a mapping at a size, in pixels.
    struct Metrics
    {
        SInt32 mHeight;
        SInt32 mAscent;
        SInt32 mDescent;
        SInt32 mSpacing;
    };

    class SystemFont : public ISystemFont
    {
    public:
        SystemFont(SystemFontControl* control, const String& name, Float size);

        void SetSize(Float size);
        Float GetSize() const { return mSize; }
        Bool IsName(const String& name) const { return mName == name; }
        const String& GetName() const { return mName; }
        // The metrics Render draws with; false when the name lost its mapping.
        Bool UpdateMetrics();
        const Metrics& GetMetrics() const { return mMetrics; }

        // Draws the text at (x, y) truncated to pixels; false when the surface is not one of
        // this control's or the font's mapping is gone.
        Bool DrawText(const char* text, const Float* textColor, const Float* backgroundColor, Float x, Float y,
                      Enums::TextAlignmentX alignmentX, Enums::TextAlignmentY alignmentY,
                      IDisplaySurface* surface) override;

    private:
        String mName;
        Float mSize;
        SystemFontControl* mControl;
        String mFace;
        SInt32 mWeight = 0;
        Metrics mMetrics = {};
        Bool mDirty = true;
    };

    class DisplaySurface : public IDisplaySurface
    {
    public:
        DisplaySurface(UInt32 width, UInt32 height);
        ~DisplaySurface() override;

        IDisplaySurface* Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const override;
        IDisplaySurface* Clone(Enums::PixelFormat pixelFormat) const override;
        IDisplaySurface* Clone() const override;
        UInt32 GetWidth(UInt32 level) const override { return level == 0 ? mWidth : 0; }
        UInt32 GetHeight(UInt32 level) const override { return level == 0 ? mHeight : 0; }
        UInt32 GetPitch(UInt32 level) const override { return level == 0 ? mPitch : 0; }
        UInt32 GetSize(UInt32 level) const override { return level == 0 ? mSize : 0; }
        UInt32 GetNumberOfFaces() const override { return 1; }
        UInt32 GetNumberOfMipLevels() const override { return 1; }
        UInt32 GetBytesPerPixel() const override { return 4; }
        Enums::PixelFormat GetPixelFormat() const override { return Enums::PixelFormat::R8_G8_B8_A8; }
        Bool IsLevelModified(UInt32 level) const override { return level == 0; }
        Bool IsModified() const override { return true; }
        const void* GetPixelsAt(UInt32 level, UInt32 x, UInt32 y, UInt32* pitch) const override;
        Bool Lock(UInt32 index) override { return index == 0 && Create(); }
        Bool Unlock() override { return true; }
        const void* GetPixels(UInt32 level) const override { return level == 0 ? mPixels : nullptr; }
        void* GetPixels(UInt32 level) override { return level == 0 ? mPixels : nullptr; }
        Bool IsLevelAvailable(UInt32 level) const override { return level == 0; }

        // Draws the lines of the text in white into the DIB, then colours the pixels by coverage.
        Bool DrawText(const char* text, const Float* textColor, const Float* backgroundColor, SInt32 x, SInt32 y,
                      Enums::TextAlignmentX alignmentX, Enums::TextAlignmentY alignmentY, const String& face,
                      SInt32 weight, const Metrics& metrics);

    private:
        // The pixel buffer and the DIB section, made on first use; false on failure.
        Bool Create();

        UInt32 mWidth;
        UInt32 mHeight;
        UInt32 mPitch;
        UInt32 mSize;
        UInt8* mPixels = nullptr;
        Bool mCreated = false;
        UInt8* mBits = nullptr;
        HDC mContext = nullptr;
        HGDIOBJ mPreviousBitmap = nullptr;
        HBITMAP mBitmap = nullptr;
    };

    SystemFontControl() = default;
    ~SystemFontControl() override = default;

    void Process() override {}
    void Update() override {}
    void ConfigChanged(IConfiguration*, UInt32) override {}

    // Null when the name has no mapping.
    ISystemFont* CreateSystemFont(const char* name, Float size) override;
    // Only 32-bit RGBA surfaces are made (null and one line otherwise), as text is written at
    // 4 bytes a pixel; a size whose bytes overflow is refused too.
    IDisplaySurface* CreateSurface(Enums::PixelFormat format, UInt32 width, UInt32 height) override;
    // Both ignore objects of another kind.
    void DestroySystemFont(ISystemFont* font) override;
    void DestroySurface(IDisplaySurface* surface) override;

    void AddFontMapping(const String& name, const String& face, SInt32 weight, Float heightFactor,
                        Float ascentFactor, Float descentFactor, Float spacingFactor);
    UInt32 GetNumberOfFonts() const { return UInt32(mMappings.GetCount()); }
    // Empty for an index out of range.
    String GetFontName(UInt32 index) const;
    const FontMapping* FindMapping(const String& name) const;

private:
    Array<FontMapping> mMappings;
};

} // namespace Win32
} // namespace Vorn
