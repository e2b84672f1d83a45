// Atlas resources: rectangles that pair a piece of one texture with the place where it is drawn,
// so that many pictures share one texture. Plane sequences show one rectangle per index; terrain
// billboards pick theirs by number. The records are read in place, in file layout.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "resource/object.h"

namespace Vorn {
namespace Resource {

// One rectangle: texture coordinates, then scene coordinates (Y grows upward, so Y1 is the top).
// 32 bytes of little-endian floats, in the same layout in memory and in the "ATLS" file.
struct AtlasRectangle
{
    Float texCoordU1;
    Float texCoordV1;
    Float texCoordU2;
    Float texCoordV2;
    Float coordX1;
    Float coordY1;
    Float coordX2;
    Float coordY2;
};

static_assert(sizeof(AtlasRectangle) == 32);

class IAtlas
{
public:
    virtual UInt32 GetNumberOfRectangles() const = 0;
    // The first of GetNumberOfRectangles records, valid while the atlas lives; null when there are none.
    virtual const AtlasRectangle* GetRectangles() const = 0;
    virtual ~IAtlas() {}
};

// The atlas type: the readers (NativeAtlas, XmlAtlas) set the rectangles once.
class Atlas : public Object, public IAtlas
{
public:
    Atlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount);
    ~Atlas() override;

    UInt32 GetNumberOfRectangles() const override { return mCount; }
    const AtlasRectangle* GetRectangles() const override { return mRectangles; }

protected:
    // The records are not copied: whoever sets them keeps them alive as long as the atlas.
    void SetRectangles(UInt32 count, const AtlasRectangle* rectangles);

private:
    UInt32 mCount;
    const AtlasRectangle* mRectangles;
};

} // namespace Resource
} // namespace Vorn
