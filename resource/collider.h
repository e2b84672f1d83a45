// Collider resources: collision geometry, handed unchanged to the physics mesh geometry.
// Every collider reader derives from Resource::Collider; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class ICollider
{
public:
    virtual ~ICollider() {}
};

class Collider : public Object, public ICollider
{
public:
    Collider(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
