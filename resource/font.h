// Font resources: bitmap fonts whose values and glyphs the text drawable lays out.
// Every font reader derives from Resource::Font; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class IFont
{
public:
    virtual ~IFont() {}
};

class Font : public Object, public IFont
{
public:
    Font(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
