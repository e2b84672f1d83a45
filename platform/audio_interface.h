// The platform's audio device as the engine sees it: one OpenAL context that the main thread
// (render context) and the loader thread (loader context) make current while they work with
// audio objects. Implemented by the platform layer; the audio renderer is given it.
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IAudioInterface
{
public:
    // Whether the interface may be driven from any thread; the engine otherwise keeps its frame
    // calls on the thread that started it.
    virtual Bool IsThreadSafe() const = 0;
    // The context handles are the back-end's own (an OpenAL context); null when there is none.
    virtual void* GetRenderContext() const = 0;
    // Makes the render context current; false when the back-end refuses it.
    virtual Bool ActivateRenderContext() = 0;
    // Makes no context current; harmless when none is.
    virtual Bool DeactivateRenderContext() = 0;
    virtual void* GetLoaderContext() const = 0;
    virtual Bool ActivateLoaderContext() = 0;
    virtual Bool DeactivateLoaderContext() = 0;
    virtual ~IAudioInterface() {}
};

} // namespace Vorn
