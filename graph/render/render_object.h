// The display objects of the render-state nodes (textures, programs, shaders, materials,
// parameters): made by class name through the display renderer, taken down and brought back in
// the Suspend and Resume passes when the configuration releases their kind of object, and
// destroyed through the renderer. Every failure logs one line in the caller's name.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "display/object.h"
#include "display/renderer.h"

namespace Vorn {

class IConfiguration;

namespace Graph {

// Names the node and operation that a failure line is written for: "Graph::<mClassName>::
// <mOperation>(<mId>): message".
struct LogSite
{
    const char* mClassName;
    const char* mOperation;
    const String& mId;
};

namespace RenderObject {

// True when the configuration releases objects of the kind in the Suspend pass.
Bool IsReleasedOnSuspend(IConfiguration* configuration, Enums::MemoryObjectType kind);

// Initialises (de-initialises) the object when there is one; logs the message on failure.
Bool Init(Display::IObject* object, const LogSite& site, const char* message);
Bool DeInit(Display::IObject* object, const LogSite& site, const char* message);

// De-initialises the object (logging the message on failure, then keeping it) and destroys it
// through the renderer, which clears the pointer.
Bool Destroy(Display::IRenderer* renderer, Display::IObject*& object, const LogSite& site, const char* message);

// The Suspend and Resume steps: the object is taken down (brought back) only when the
// configuration releases its kind.
Bool Suspend(Display::IObject* object, IConfiguration* configuration, Enums::MemoryObjectType kind,
             const LogSite& site, const char* message);
Bool Resume(Display::IObject* object, IConfiguration* configuration, Enums::MemoryObjectType kind,
            const LogSite& site, const char* message);

// Makes an object of the class name and takes its interface; null when the renderer is missing,
// refuses the name or the object lacks the interface. The object is kept in object either way,
// so that DeInitSelf destroys it.
template <class Interface>
Interface* Create(Display::IRenderer* renderer, const char* className, Display::IObject*& object)
{
    if (renderer == nullptr)
        return nullptr;
    object = renderer->CreateObject(String(className));
    return dynamic_cast<Interface*>(object);
}

} // namespace RenderObject
} // namespace Graph
} // namespace Vorn
