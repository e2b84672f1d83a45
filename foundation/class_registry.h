// Object classes by name, in registration order, each with the function that makes one: the
// registry through which the display and audio renderers make their objects.
#pragma once

#include "foundation/map.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
namespace Util {

template <class CreateFunction>
class ClassRegistry
{
public:
    // False when the name is registered already.
    Bool Register(const String& name, CreateFunction create)
    {
        if (mCreates.Find(name) >= 0)
            return false;
        mCreates.Add(name, create);
        return true;
    }
    // False when the name is not registered.
    Bool Unregister(const String& name)
    {
        const SInt32 position = mCreates.Find(name);
        if (position < 0)
            return false;
        mCreates.RemoveAt(position);
        return true;
    }
    // Null when the name is not registered.
    CreateFunction Find(const String& name) const
    {
        const CreateFunction* create = mCreates.FindValue(name);
        return create ? *create : nullptr;
    }

private:
    Map<String, CreateFunction> mCreates;
};

} // namespace Util
} // namespace Vorn
