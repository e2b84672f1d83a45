// The platform's graphics device as the engine sees it: the render context that the display
// renderer draws with, the loader's context, and whether any thread may drive the engine.
// Implemented by the platform layer (Win32::Dx9DisplayInterface on Windows).
#pragma once

#include "foundation/types.h"

namespace Vorn {

class IDisplayInterface
{
public:
    // Whether the engine's frame and run-state operations may be called from any thread.
    virtual Bool AllowsAnyThread() const = 0;
    // Slots that only other platforms fill; the Direct3D 9 interface answers null, nothing,
    // false and false.
    virtual void* GetContextA() = 0;
    virtual void SetValueA(UInt32 value) = 0;
    virtual Bool IsValueB(UInt32 value) const = 0;
    virtual Bool IsValueC(UInt32 value) const = 0;

    // The device the renderer draws with (an IDirect3DDevice9 on Windows); null before the
    // window has one.
    virtual void* GetRenderContext() = 0;
    // Bracket the renderer's use of the render context on the calling thread; false on failure.
    virtual Bool ActivateRenderContext() = 0;
    virtual Bool DeactivateRenderContext() = 0;
    // The context that the loader thread creates display resources in; null when there is none.
    virtual void* GetLoaderContext() = 0;
    virtual Bool ActivateLoaderContext() = 0;
    virtual Bool DeactivateLoaderContext() = 0;

    virtual ~IDisplayInterface() {}
};

} // namespace Vorn
