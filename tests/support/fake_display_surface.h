// A pixel surface for tests of nodes that draw into surfaces made by a platform control: one level
// of the given format and size, four bytes per pixel, written in place.
#pragma once

#include <vector>

#include "resource/display_surface.h"

namespace Vorn {
namespace Testing {

class FakeDisplaySurface : public IDisplaySurface
{
public:
    FakeDisplaySurface(Enums::PixelFormat format, UInt32 width, UInt32 height)
        : mFormat(format), mWidth(width), mHeight(height), mPixels(std::size_t(width) * height * 4)
    {
    }

    IDisplaySurface* Clone(Enums::PixelFormat, UInt32, UInt32) const override { return nullptr; }
    IDisplaySurface* Clone(Enums::PixelFormat) const override { return nullptr; }
    IDisplaySurface* Clone() const override { return nullptr; }
    UInt32 GetWidth(UInt32 level) const override { return level == 0 ? mWidth : 0; }
    UInt32 GetHeight(UInt32 level) const override { return level == 0 ? mHeight : 0; }
    UInt32 GetPitch(UInt32 level) const override { return level == 0 ? mWidth * 4 : 0; }
    UInt32 GetSize(UInt32 level) const override { return level == 0 ? UInt32(mPixels.size()) : 0; }
    UInt32 GetNumberOfFaces() const override { return 1; }
    UInt32 GetNumberOfMipLevels() const override { return 1; }
    UInt32 GetBytesPerPixel() const override { return 4; }
    Enums::PixelFormat GetPixelFormat() const override { return mFormat; }
    Bool IsLevelModified(UInt32) const override { return false; }
    Bool IsModified() const override { return false; }
    const void* GetPixelsAt(UInt32, UInt32, UInt32, UInt32*) const override { return nullptr; }
    Bool Lock(UInt32 index) override { return index == 0; }
    Bool Unlock() override { return true; }
    const void* GetPixels(UInt32 level) const override { return level == 0 ? mPixels.data() : nullptr; }
    void* GetPixels(UInt32 level) override { return level == 0 ? mPixels.data() : nullptr; }
    Bool IsLevelAvailable(UInt32 level) const override { return level == 0; }

    Enums::PixelFormat mFormat;
    UInt32 mWidth;
    UInt32 mHeight;
    std::vector<UInt8> mPixels;
};

} // namespace Testing
} // namespace Vorn
