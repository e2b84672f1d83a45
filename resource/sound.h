// Sound resources: sample data that the audio nodes play through audio streams.
// Every sound reader derives from Resource::Sound; its accessors come with the readers.
#pragma once

#include "resource/object.h"

namespace Vorn {
namespace Resource {

class ISound
{
public:
    virtual ~ISound() {}
};

class Sound : public Object, public ISound
{
public:
    Sound(const String& id, const void* data, UInt32 size, const UInt32* conditions, UInt32 conditionCount)
        : Object(id, data, size, conditions, conditionCount)
    {
    }
};

} // namespace Resource
} // namespace Vorn
