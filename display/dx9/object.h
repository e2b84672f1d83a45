// The base of every Direct3D 9 display object: its initialised and device-resource flags and the
// renderer that made it, with the operations the renderer calls on the render thread. Programs and
// properties (materials) add the apply operation that the renderer draws with.
#pragma once

#include <d3d9.h>

#include <atomic>
#include <new>

#include "display/renderer.h"
#include "foundation/enums.h"
#include "foundation/types.h"

// The Windows headers rename GetClassInfo to GetClassInfoW; the display classes' records keep
// their own name.
#undef GetClassInfo

namespace Vorn {
namespace Display {
namespace Dx9 {

class Renderer;
class State;

// The Direct3D 9 renderer behind a renderer interface; null for any other renderer.
Renderer* ToDx9Renderer(IRenderer* renderer);

// The create function of a class record: a new object for a Direct3D 9 renderer, else null.
template <class T>
IObject* CreateObjectOf(IRenderer* renderer)
{
    Renderer* dx9Renderer = ToDx9Renderer(renderer);
    return dx9Renderer != nullptr ? new (std::nothrow) T(dx9Renderer) : nullptr;
}

class Object : public IObject
{
public:
    explicit Object(Renderer* renderer);
    // An object destroyed while still initialised is its owner's fault: logged, nothing else.
    ~Object() override;

    Bool Init() override;
    Bool DeInit() override;
    // Deletes the object.
    virtual void Destroy();
    // Run on the render thread inside the scene for objects of the frame's update list.
    virtual Bool Update();
    virtual Bool IsInitialized() const;
    virtual Bool HasDxResources() const;
    // Run on the render thread.
    virtual Bool CreateDxResources();
    virtual Bool DestroyDxResources();

    Renderer* GetRenderer() const { return mRenderer; }

protected:
    Bool mInitialized;
    // Read by threads waiting for the render thread to serve the object.
    std::atomic<Bool> mHasDxResources;
    Renderer* mRenderer;

private:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
};

// Applied while drawing, before the element's textures and geometry.
class Property : public Object
{
public:
    using Object::Object;
    virtual Bool Apply(State& state) = 0;
};

// The shading of a material.
class Program : public Object, public IProgram
{
public:
    using Object::Object;
    virtual Bool Apply(State& state) = 0;
    // Whether the program reads that vertex attribute.
    virtual Bool UsesVertexAttribute(Enums::VertexAttribute attribute) const = 0;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
