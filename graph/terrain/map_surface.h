// The pixels of an image resource that a terrain node reads as a map (heights, detail scale,
// object density, light): the image's surface in R8_G8_B8_A8 at its own size, one level, locked
// for as long as the map is open.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "graph/backend_object.h"

namespace Vorn {

class IDisplaySurface;

namespace Resource {
class ICollection;
}

namespace Graph {

class MapSurface
{
public:
    MapSurface() = default;
    MapSurface(const MapSurface&) = delete;
    MapSurface& operator=(const MapSurface&) = delete;
    // Unlocks and frees the surface.
    ~MapSurface();

    // False, holding nothing, when the collection has no image of the id ("Failed to get <what>
    // resource image") or its surface cannot be made, locked or read ("Failed to create resource
    // surface"); the line is logged for the site.
    Bool Open(Resource::ICollection* collection, const String& id, const char* what, const LogSite& site);

    UInt32 GetWidth() const { return mWidth; }
    UInt32 GetHeight() const { return mHeight; }
    // The four bytes (red first) of a pixel; column and row must lie inside the map.
    const UInt8* GetPixel(UInt32 column, UInt32 row) const { return mPixels + row * mPitch + column * 4; }
    UInt8 GetRed(UInt32 column, UInt32 row) const { return GetPixel(column, row)[0]; }

private:
    void Close();

    IDisplaySurface* mSurface = nullptr;
    const UInt8* mPixels = nullptr;
    UInt32 mWidth = 0;
    UInt32 mHeight = 0;
    UInt32 mPitch = 0;
};

} // namespace Graph
} // namespace Vorn
