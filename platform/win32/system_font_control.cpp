#include "platform/win32/system_font_control.h"

#include <cstring>
#include <new>

#include "foundation/debug.h"
#include "platform/win32/wide_chars.h"

namespace Vorn {
namespace Win32 {
namespace {

// A colour component as a byte: the float times 255, truncated, clamped to the byte's range.
UInt8 ToByte(Float value)
{
    const Float scaled = value * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    return scaled >= 255.0f ? 255 : UInt8(scaled);
}

struct Line
{
    WChars mText;
    SInt32 mWidth = 0;
};

} // namespace

// Font -------------------------------------------------------------------------------------------

SystemFontControl::SystemFont::SystemFont(SystemFontControl* control, const String& name, Float size)
    : mName(name), mSize(size), mControl(control)
{
}

void SystemFontControl::SystemFont::SetSize(Float size)
{
    if (size != mSize) {
        mSize = size;
        mDirty = true;
    }
}

Bool SystemFontControl::SystemFont::UpdateMetrics()
{
    if (!mDirty)
        return true;
    const FontMapping* mapping = mControl->FindMapping(mName);
    if (mapping == nullptr)
        return false;
    // Products in double, so that 20 at 1.15 gives the 22 pixels the float factor stands for.
    const Double size = mSize;
    const Double height = Double(mapping->mHeightFactor) * size;
    mFace = mapping->mFace;
    mWeight = mapping->mWeight;
    mMetrics.mHeight = SInt32(height);
    mMetrics.mAscent = SInt32(Double(mapping->mAscentFactor) * height);
    mMetrics.mDescent = SInt32(Double(mapping->mDescentFactor) * height);
    mMetrics.mSpacing = SInt32(Double(mapping->mSpacingFactor) * height);
    mDirty = false;
    return true;
}

Bool SystemFontControl::SystemFont::DrawText(const char* text, const Float* textColor, const Float* backgroundColor,
                                            Float x, Float y, Enums::TextAlignmentX alignmentX,
                                            Enums::TextAlignmentY alignmentY, IDisplaySurface* surface)
{
    DisplaySurface* target = dynamic_cast<DisplaySurface*>(surface);
    if (target == nullptr || !UpdateMetrics())
        return false;
    return target->DrawText(text, textColor, backgroundColor, SInt32(x), SInt32(y), alignmentX, alignmentY, mFace,
                            mWeight, mMetrics);
}

// Surface ----------------------------------------------------------------------------------------

SystemFontControl::DisplaySurface::DisplaySurface(UInt32 width, UInt32 height)
    : mWidth(width), mHeight(height), mPitch(width * 4), mSize(width * 4 * height)
{
}

SystemFontControl::DisplaySurface::~DisplaySurface()
{
    if (mContext != nullptr) {
        SelectObject(mContext, mPreviousBitmap);
        DeleteDC(mContext);
    }
    if (mBitmap != nullptr)
        DeleteObject(mBitmap);
    delete[] mPixels;
}

Bool SystemFontControl::DisplaySurface::Create()
{
    if (mCreated)
        return true;
    if (mWidth == 0 || mHeight == 0)
        return false;
    mPixels = new (std::nothrow) UInt8[mSize]();
    if (mPixels == nullptr)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = LONG(mWidth);
    info.bmiHeader.biHeight = -LONG(mHeight); // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    mContext = CreateCompatibleDC(nullptr);
    if (mBitmap == nullptr || mContext == nullptr || bits == nullptr) {
        Debug::Trace("Win32::SystemFontControl::DisplaySurface::Create(): Failed to create a %ux%u bitmap", mWidth,
                     mHeight);
        return false;
    }
    mBits = static_cast<UInt8*>(bits);
    mPreviousBitmap = SelectObject(mContext, mBitmap);
    mCreated = true;
    return true;
}

IDisplaySurface* SystemFontControl::DisplaySurface::Clone(Enums::PixelFormat, UInt32, UInt32) const
{
    return nullptr;
}

IDisplaySurface* SystemFontControl::DisplaySurface::Clone(Enums::PixelFormat pixelFormat) const
{
    return pixelFormat == GetPixelFormat() ? Clone() : nullptr;
}

IDisplaySurface* SystemFontControl::DisplaySurface::Clone() const
{
    DisplaySurface* clone = new DisplaySurface(mWidth, mHeight);
    if (mPixels != nullptr && clone->Create())
        std::memcpy(clone->mPixels, mPixels, mSize);
    return clone;
}

const void* SystemFontControl::DisplaySurface::GetPixelsAt(UInt32 level, UInt32 x, UInt32 y, UInt32* pitch) const
{
    if (level != 0 || mPixels == nullptr || x >= mWidth || y >= mHeight)
        return nullptr;
    if (pitch != nullptr)
        *pitch = mPitch;
    return mPixels + y * mPitch + x * 4;
}

Bool SystemFontControl::DisplaySurface::DrawText(const char* text, const Float* textColor,
                                                const Float* backgroundColor, SInt32 x, SInt32 y,
                                                Enums::TextAlignmentX alignmentX, Enums::TextAlignmentY alignmentY,
                                                const String& face, SInt32 weight, const Metrics& metrics)
{
    if (!Create())
        return false;
    std::memset(mBits, 0, mSize);

    HFONT font = CreateFontA(metrics.mHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.GetText());
    HGDIOBJ previousFont = SelectObject(mContext, font);

    Array<Line*> lines;
    const char* start = text != nullptr ? text : "";
    for (;;) {
        const char* end = std::strchr(start, '\n');
        const String part = end != nullptr ? String(start, SInt32(end - start)) : String(start);
        Line* line = new Line;
        SIZE extent = {};
        if (line->mText.Set(part.GetText()) != nullptr && line->mText.GetLength() > 0 &&
            GetTextExtentPoint32W(mContext, line->mText.Get(), int(line->mText.GetLength()), &extent)) {
            line->mWidth = extent.cx;
            lines.Add(line);
        } else {
            delete line;
        }
        if (end == nullptr)
            break;
        start = end + 1;
    }

    if (lines.GetCount() > 0) {
        SetBkMode(mContext, TRANSPARENT);
        SetTextColor(mContext, RGB(255, 255, 255));
        const SInt32 count = lines.GetCount();
        const SInt32 lineHeight = metrics.mAscent + metrics.mDescent;
        const SInt32 blockHeight = count * lineHeight + (count - 1) * metrics.mSpacing;
        const SInt32 height = SInt32(mHeight);
        const SInt32 width = SInt32(mWidth);
        SInt32 lineY = alignmentY == Enums::TextAlignmentY::TOP      ? 0
                       : alignmentY == Enums::TextAlignmentY::BOTTOM ? height - blockHeight
                                                                     : (height - blockHeight) / 2;
        lineY += y;
        for (Line* line : lines) {
            const SInt32 lineX = alignmentX == Enums::TextAlignmentX::LEFT    ? x
                                 : alignmentX == Enums::TextAlignmentX::RIGHT ? width - line->mWidth + x
                                                                              : (width - line->mWidth) / 2 + x;
            TextOutW(mContext, lineX, lineY, line->mText.Get(), int(line->mText.GetLength()));
            lineY += lineHeight + metrics.mSpacing;
        }
        GdiFlush();
    }
    for (Line* line : lines)
        delete line;
    SelectObject(mContext, previousFont);
    DeleteObject(font);

    // The DIB's green byte is the coverage that mixes text and background colour.
    UInt8 foreground[4];
    UInt8 background[4];
    for (int k = 0; k < 4; ++k) {
        foreground[k] = ToByte(textColor[k]);
        background[k] = ToByte(backgroundColor[k]);
    }
    for (UInt32 i = 0; i < mSize; i += 4) {
        const UInt32 coverage = mBits[i + 1];
        for (int k = 0; k < 4; ++k)
            mPixels[i + k] = UInt8((foreground[k] * coverage + background[k] * (255 - coverage)) >> 8);
    }
    return true;
}

// Control ----------------------------------------------------------------------------------------

ISystemFont* SystemFontControl::CreateSystemFont(const char* name, Float size)
{
    if (FindMapping(name) == nullptr)
        return nullptr;
    return new SystemFont(this, name, size);
}

IDisplaySurface* SystemFontControl::CreateSurface(Enums::PixelFormat format, UInt32 width, UInt32 height)
{
    if (format != Enums::PixelFormat::R8_G8_B8_A8) {
        Debug::Trace("Win32::SystemFontControl::CreateSurface(): Pixel format %u not supported, only R8_G8_B8_A8",
                     UInt32(format));
        return nullptr;
    }
    // The DIB's sides are signed and its bytes must fit one 32-bit count.
    if (width > 0x7FFFFFFFu / 4 || height > 0x7FFFFFFFu || (height != 0 && UInt64(width) * 4 * height > 0x7FFFFFFFu)) {
        Debug::Trace("Win32::SystemFontControl::CreateSurface(): Surface of %ux%u is too large", width, height);
        return nullptr;
    }
    return new DisplaySurface(width, height);
}

void SystemFontControl::DestroySystemFont(ISystemFont* font)
{
    delete dynamic_cast<SystemFont*>(font);
}

void SystemFontControl::DestroySurface(IDisplaySurface* surface)
{
    delete dynamic_cast<DisplaySurface*>(surface);
}

void SystemFontControl::AddFontMapping(const String& name, const String& face, SInt32 weight, Float heightFactor,
                                       Float ascentFactor, Float descentFactor, Float spacingFactor)
{
    mMappings.Add(FontMapping{name, face, weight, heightFactor, ascentFactor, descentFactor, spacingFactor});
}

String SystemFontControl::GetFontName(UInt32 index) const
{
    return index < UInt32(mMappings.GetCount()) ? mMappings[SInt32(index)].mName : String();
}

const SystemFontControl::FontMapping* SystemFontControl::FindMapping(const String& name) const
{
    for (const FontMapping& mapping : mMappings) {
        if (mapping.mName == name)
            return &mapping;
    }
    return nullptr;
}

} // namespace Win32
} // namespace Vorn
