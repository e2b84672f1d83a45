// Mesh resources: vertex and index buffers with optional BSP tables, drawn by the mesh drawables.
// Every mesh reader derives from Resource::Mesh; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class IMesh
{
public:
    virtual ~IMesh() {}
};

class Mesh : public Object, public IMesh
{
public:
    Mesh(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
