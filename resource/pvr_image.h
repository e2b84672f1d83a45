// The PVR image: a texture file of PVRTC-compressed mip levels, handed to the renderer as it is
// stored. Its surfaces point at the levels inside the package's bytes.
#pragma once

#include "foundation/array.h"
#include "resource/image.h"

namespace Vorn {
namespace Resource {

class PvrImage : public Image
{
public:
    // One mip level inside the source bytes.
    struct Level
    {
        UInt32 index;
        UInt32 size;
        const UInt8* pixels; // not owned
    };

    // Object creator. Declines bytes shorter than the 52-byte header, without the "PVR!" tag or
    // with another header size; refuses, with one log line and failed set, a file whose data size
    // disagrees with its size, whose pixel type is not PVRTC 2 or 4 bits per pixel, or whose levels
    // do not fit its announced count and its data. The image keeps pointing into the bytes
    // (releaseData cleared); attributes are not used.
    static IObject* Create(const IAttributes* attributes, const String& id, const void* data, UInt32 size,
                           const UInt32* conditions, UInt32 conditionCount, Bool* releaseData, Bool* failed);

    PvrImage(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount,
             UInt32 width, UInt32 height, Enums::PixelFormat pixelFormat);
    ~PvrImage() override;

    UInt32 GetWidth() const override;
    UInt32 GetHeight() const override;
    // One of the four PVRTC formats, which is also the preferred and the forced format.
    Enums::PixelFormat GetPixelFormat() const override;
    Enums::PixelFormat GetPreferredPixelFormat() const override;
    Enums::PixelFormat GetForcedPixelFormat() const override;
    UInt32 GetImageFormat() const override;
    // Only the image's own format and size (0 for the size is the same); each surface level that
    // the file holds points at it, read-only. The prescale factor is ignored.
    IDisplaySurface* CreateDisplaySurface(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                          UInt32 prescaleFactor, Bool withMipMaps) const override;
    IDisplaySurface* CreateDisplaySurface(Bool withMipMaps) const override;

    UInt32 GetNumberOfLevels() const { return UInt32(mLevels.GetCount()); }
    // Null for an index past the last level.
    const Level* GetLevel(UInt32 index) const;

private:
    // Lays the levels out from the largest on; false (logged) when they exceed the announced
    // count or the data.
    Bool BuildLevels(UInt64 announcedLevels, UInt32 dataSize);

    UInt32 mWidth;
    UInt32 mHeight;
    Enums::PixelFormat mPixelFormat;
    Array<Level> mLevels;
};

} // namespace Resource
} // namespace Vorn
