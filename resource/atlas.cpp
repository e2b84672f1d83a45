#include "resource/atlas.h"

namespace Vorn {
namespace Resource {

Atlas::Atlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
    : Object(id, data, size, conditions, conditionCount), mCount(0), mRectangles(nullptr)
{
}

Atlas::~Atlas() = default;

void Atlas::SetRectangles(UInt32 count, const AtlasRectangle* rectangles)
{
    mCount = rectangles != nullptr ? count : 0;
    mRectangles = mCount != 0 ? rectangles : nullptr;
}

} // namespace Resource
} // namespace Vorn
