// The node interfaces a view reads of the lights, listeners and frame-buffer textures that
// attach to it: each hands the view its back-end object. Implemented by the light, listener and
// frame-buffer texture nodes.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Display {
class IFrameBuffer;
class ILight;
}
namespace Audio {
class IListener;
}

namespace Graph {

class ILight
{
public:
    // Null before Init.
    virtual Display::ILight* GetDisplayLight() = 0;
    virtual ~ILight() {}
};

class IListener
{
public:
    virtual void SetVolume(Float volume) = 0;
    virtual Float GetVolume() const = 0;
    // Null before Init.
    virtual Audio::IListener* GetListenerObject() = 0;
    virtual ~IListener() {}
};

// A texture that a view renders into; its size is fixed once it is initialised.
class IFrameBuffer
{
public:
    virtual UInt32 GetWidth() const = 0;
    virtual UInt32 GetHeight() const = 0;
    // Null before Init.
    virtual Display::IFrameBuffer* GetFrameBufferObject() = 0;
    virtual ~IFrameBuffer() {}
};

} // namespace Graph
} // namespace Vorn
