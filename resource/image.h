// Image resources: PNG, JPEG, PVR and raw pixels, from which textures create their display surfaces.
// Every image reader derives from Resource::Image; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class IImage
{
public:
    virtual ~IImage() {}
};

class Image : public Object, public IImage
{
public:
    Image(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
