// The back-end objects of nodes (display textures, programs, materials, parameters; audio
// buffers, playables, listeners): made by class name through the display or audio renderer,
// taken down and brought back in the Suspend and Resume passes when the configuration releases
// their kind of object, and destroyed through the renderer that made them. Every failure logs one
// line in the calling node's name.
#pragma once

#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"

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

namespace BackEndObject {

// Writes the failure line; returns false.
Bool Fail(const LogSite& site, const char* message);

// True when the configuration releases objects of the kind in the Suspend pass.
Bool IsReleasedOnSuspend(IConfiguration* configuration, Enums::MemoryObjectType kind);

// Makes an object of the class name and takes its interface; null when the renderer is missing,
// refuses the name or the object lacks the interface. The object is kept in object either way,
// so that DeInitSelf destroys it.
template <class Interface, class Renderer, class Object>
Interface* Create(Renderer* renderer, const char* className, Object*& object)
{
    if (renderer == nullptr)
        return nullptr;
    object = renderer->CreateObject(String(className));
    return dynamic_cast<Interface*>(object);
}

// Initialises (de-initialises) the object when there is one; logs the message on failure.
template <class Object>
Bool Init(Object* object, const LogSite& site, const char* message)
{
    return object == nullptr || object->Init() || Fail(site, message);
}

template <class Object>
Bool DeInit(Object* object, const LogSite& site, const char* message)
{
    return object == nullptr || object->DeInit() || Fail(site, message);
}

// De-initialises the object (logging the message on failure, then keeping it) and destroys it
// through the renderer, which clears the pointer.
template <class Renderer, class Object>
Bool Destroy(Renderer* renderer, Object*& object, const LogSite& site, const char* message)
{
    if (object == nullptr)
        return true;
    if (!DeInit(object, site, message))
        return false;
    if (renderer != nullptr)
        renderer->DestroyObject(object);
    return true;
}

// The Suspend and Resume steps: the object is taken down (brought back) only when the
// configuration releases its kind.
template <class Object>
Bool Suspend(Object* object, IConfiguration* configuration, Enums::MemoryObjectType kind, const LogSite& site,
             const char* message)
{
    return !IsReleasedOnSuspend(configuration, kind) || DeInit(object, site, message);
}

template <class Object>
Bool Resume(Object* object, IConfiguration* configuration, Enums::MemoryObjectType kind, const LogSite& site,
            const char* message)
{
    return !IsReleasedOnSuspend(configuration, kind) || Init(object, site, message);
}

} // namespace BackEndObject
} // namespace Graph
} // namespace Vorn
