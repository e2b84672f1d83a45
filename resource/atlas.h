// Atlas resources: rectangles of texture and placement coordinates.
// Every atlas reader derives from Resource::Atlas; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class IAtlas
{
public:
    virtual ~IAtlas() {}
};

class Atlas : public Object, public IAtlas
{
public:
    Atlas(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
