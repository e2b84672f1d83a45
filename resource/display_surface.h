// Display surfaces: the pixel side of an image resource, a stack of mip levels in one pixel format
// that the display renderer locks, reads level by level and uploads as a texture. The surface base
// decodes, scales and converts; the PNG and JPEG surfaces decode on their first lock and free
// their pixels on the last unlock, the raw surfaces point at pixels that an image already holds.
#pragma once

#include <memory>

#include "foundation/enums.h"
#include "foundation/types.h"

namespace Vorn {

namespace Resource {
class IImage;
}

class IDisplaySurface
{
public:
    virtual ~IDisplaySurface() {}

    // A new surface of the same picture in another format and size, owned by the caller; null
    // when this kind of surface cannot make it.
    virtual IDisplaySurface* Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const = 0;
    // Clone in this surface's width and height.
    virtual IDisplaySurface* Clone(Enums::PixelFormat pixelFormat) const = 0;
    // Clone in this surface's format and size.
    virtual IDisplaySurface* Clone() const = 0;

    // Level queries answer 0 (or null) for a level that does not exist.
    virtual UInt32 GetWidth(UInt32 level) const = 0;
    virtual UInt32 GetHeight(UInt32 level) const = 0;
    // Bytes per row.
    virtual UInt32 GetPitch(UInt32 level) const = 0;
    // Bytes of the whole level.
    virtual UInt32 GetSize(UInt32 level) const = 0;
    // Surfaces of one picture: always 1 here.
    virtual UInt32 GetNumberOfFaces() const = 0;
    virtual UInt32 GetNumberOfMipLevels() const = 0;
    virtual UInt32 GetBytesPerPixel() const = 0;
    virtual Enums::PixelFormat GetPixelFormat() const = 0;
    // Change tracking for partly updated textures: no surface here tracks changes.
    virtual Bool IsLevelModified(UInt32 level) const = 0;
    virtual Bool IsModified() const = 0;
    // Pixels of a level from a position on; no surface here gives them (null).
    virtual const void* GetPixelsAt(UInt32 level, UInt32 x, UInt32 y, UInt32* pitch) const = 0;

    // Makes the pixels available (decoding surfaces decode on the first lock); only index 0
    // exists. False on failure: the surface then holds no pixels.
    virtual Bool Lock(UInt32 index) = 0;
    // Balances a successful Lock; false when the surface is not locked.
    virtual Bool Unlock() = 0;
    // Pixels of a level for reading; null for a level that does not exist or holds none.
    virtual const void* GetPixels(UInt32 level) const = 0;
    // Pixels of a level for writing in place; null where the surface may not be written.
    virtual void* GetPixels(UInt32 level) = 0;
    virtual Bool IsLevelAvailable(UInt32 level) const = 0;
};

namespace Resource {

// The base of the engine's surfaces: the level records, the common answers, and the decoding of
// an image into all levels in the surface's format.
class DisplaySurface : public IDisplaySurface
{
public:
    struct Level
    {
        UInt8* pixels; // null when absent
        UInt32 size;   // bytes
        UInt32 width;
        UInt32 height;
        Bool readOnly;
    };

    // A surface of width or height 0 has no levels. With mip maps the levels halve (each side at
    // least 1) until both sides are 1. The image and its bytes are borrowed.
    DisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat, UInt32 width,
                   UInt32 height, Bool withMipMaps);
    // Frees the level records only: pixels belong to whoever filled them.
    ~DisplaySurface() override;
    DisplaySurface(const DisplaySurface&) = delete;
    DisplaySurface& operator=(const DisplaySurface&) = delete;

    UInt32 GetWidth(UInt32 level) const override;
    UInt32 GetHeight(UInt32 level) const override;
    UInt32 GetNumberOfFaces() const override;
    UInt32 GetNumberOfMipLevels() const override;
    UInt32 GetBytesPerPixel() const override;
    Enums::PixelFormat GetPixelFormat() const override;
    Bool IsLevelModified(UInt32 level) const override;
    Bool IsModified() const override;
    const void* GetPixelsAt(UInt32 level, UInt32 x, UInt32 y, UInt32* pitch) const override;

    // Fills every level from the image: the image's own pixels (DecodeBaseLevel), scaled to the
    // surface size, converted to the surface format, and halved for each further level from
    // pixels in the image's format. Logs and returns false on failure; blocks already given to
    // levels stay there for the caller to free.
    virtual Bool Decode();
    // Writes the image's own pixels at the image's size and in its format, rows tightly packed;
    // false in the base.
    virtual Bool DecodeBaseLevel(UInt8* destination);

    // Converts rows of tightly packed pixels; the same format is a plain copy. Logs and returns
    // false for a pair of formats without converter.
    static Bool Convert(const UInt8* source, UInt8* target, Enums::PixelFormat targetFormat, UInt32 pixelsPerRow,
                        Enums::PixelFormat sourceFormat, UInt32 rowCount);

    const IImage* GetImage() const { return mImage; }
    const void* GetData() const { return mData; }
    UInt32 GetDataSize() const { return mSize; }

protected:
    // Width times bytes per pixel (0 past the last level).
    UInt32 GetLevelPitch(UInt32 level) const;
    // Pitch times height in 64 bits, so that a caller can refuse sizes past 32 bits.
    UInt64 GetLevelBytes(UInt32 level) const;
    // Frees every level's pixels (delete[]) and clears the pointers.
    void FreeLevelPixels();
    Bool HasMipMaps() const { return mLevelCount > 1; }

    const IImage* mImage;
    const void* mData;
    UInt32 mSize;
    Enums::PixelFormat mPixelFormat;
    UInt32 mWidth;
    UInt32 mHeight;
    UInt32 mLevelCount;
    std::unique_ptr<Level[]> mLevels;
};

// The common part of the PNG and JPEG surfaces: counted locks, decoding on the first and freeing
// on the last, and clones over the same image in any of the uncompressed formats.
class DecodingDisplaySurface : public DisplaySurface
{
public:
    // Frees decoded pixels that a caller left locked.
    ~DecodingDisplaySurface() override;

    IDisplaySurface* Clone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height) const override;
    IDisplaySurface* Clone(Enums::PixelFormat pixelFormat) const override;
    IDisplaySurface* Clone() const override;
    UInt32 GetPitch(UInt32 level) const override;
    UInt32 GetSize(UInt32 level) const override;
    // Index 0 only. The first lock decodes; a failed one frees what it made and leaves the surface
    // unlocked.
    Bool Lock(UInt32 index) override;
    // The last unlock frees every level's pixels.
    Bool Unlock() override;
    const void* GetPixels(UInt32 level) const override;
    void* GetPixels(UInt32 level) override;
    Bool IsLevelAvailable(UInt32 level) const override;

    UInt32 GetLockCount() const { return mLockCount; }

protected:
    DecodingDisplaySurface(const IImage* image, const void* data, UInt32 size, Enums::PixelFormat pixelFormat,
                           UInt32 width, UInt32 height, Bool withMipMaps);

    // A new undecoded surface of the same class over the same image and bytes.
    virtual DecodingDisplaySurface* CreateClone(Enums::PixelFormat pixelFormat, UInt32 width, UInt32 height,
                                                Bool withMipMaps) const = 0;
    // "Resource::PngDisplaySurface" and the like, for messages.
    virtual const char* GetClassName() const = 0;

    UInt32 mLockCount;
};

} // namespace Resource
} // namespace Vorn
