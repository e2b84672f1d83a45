// The protocol every drawable node follows towards the view and the display renderer. A
// drawable is a Graph::Transform that also implements Graph::IRenderable and Graph::IDrawable:
// it registers itself, placed, with the current view in PrepareOutput, tests its bounding sphere
// against the current culler in CullOutput, and hands its display drawable to the renderer with
// the item values of the view's entry in EnqueueOutput. The drawable classes are siblings; they
// share these helpers instead of a common base.
#pragma once

#include "display/object.h"
#include "display/renderer.h"
#include "foundation/enums.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {

class IConfiguration;

namespace Graph {

class ICullOutputState;
class IEnqueueOutputState;

// Tags a node as a drawable.
class IDrawable
{
public:
    virtual ~IDrawable() {}
};

// A display object made by class name together with its typed interface, and whether it is
// initialised, so that a node releases exactly what it holds, also after a failed Init.
template <typename T>
class DisplayHandleT
{
public:
    // False, holding nothing, when the renderer is missing, refuses the class or makes an object
    // that is not a T.
    Bool Create(Display::IRenderer* renderer, const char* className)
    {
        if (renderer == nullptr)
            return false;
        mObject = renderer->CreateObject(String(className));
        mInterface = dynamic_cast<T*>(mObject);
        if (mInterface == nullptr) {
            if (mObject != nullptr)
                renderer->DestroyObject(mObject);
            mObject = nullptr;
            return false;
        }
        return true;
    }
    // False when there is no object or its Init fails; true at once when initialised already.
    Bool Init()
    {
        if (mInitialized)
            return true;
        if (mObject == nullptr || !mObject->Init())
            return false;
        mInitialized = true;
        return true;
    }
    // True when there is nothing to de-initialise.
    Bool DeInit()
    {
        if (!mInitialized)
            return true;
        if (!mObject->DeInit())
            return false;
        mInitialized = false;
        return true;
    }
    // Destroys the object through the renderer that made it; the caller de-initialises first.
    void Destroy(Display::IRenderer* renderer)
    {
        if (mObject != nullptr && renderer != nullptr)
            renderer->DestroyObject(mObject);
        mObject = nullptr;
        mInterface = nullptr;
        mInitialized = false;
    }

    // De-initialises and destroys the object, as an owner does that lets go of it for good.
    void Release(Display::IRenderer* renderer)
    {
        DeInit();
        Destroy(renderer);
    }

    Display::IObject* GetObject() const { return mObject; }
    T* Get() const { return mInterface; }
    T* operator->() const { return mInterface; }
    Bool IsCreated() const { return mObject != nullptr; }
    Bool IsInitialized() const { return mInitialized; }

private:
    Display::IObject* mObject = nullptr;
    T* mInterface = nullptr;
    Bool mInitialized = false;
};

// One attribute of a vertex layout.
struct VertexAttributeRow
{
    Enums::VertexAttribute mAttribute;
    Enums::AttributeType mType;
};

// Declares the rows in order, each directly after the previous one; the size of a vertex in
// vertexSize when given. False, with the rows before it declared, when the buffer refuses one.
Bool DeclareVertexLayout(Display::IVertexBuffer* buffer, const VertexAttributeRow* rows, UInt32 count,
                         UInt32* vertexSize = nullptr);

// The x and y scale factor of a plane: each is stored only when it differs from the one held (a
// NaN always differs); z and w never change. Set returns whether anything was stored.
struct PlaneScale
{
    Bool Set(Real x, Real y);
    Math::Vector<float> mFactor{1.0f, 1.0f, 1.0f, 0.0f};
};

// 1 / size in double precision; false for a size of 0.
Bool ComputeTextureFactor(Float size, Float& factor);

// Removes the buffer from the drawable (when there is one), de-initialises it and destroys it.
// True when there is no buffer; false, keeping it, when its de-initialisation fails.
Bool DestroyBuffer(DisplayHandleT<Display::IDrawable>& drawable, DisplayHandleT<Display::IVertexBuffer>& buffer,
                   Display::IRenderer* renderer);
Bool DestroyBuffer(DisplayHandleT<Display::IDrawable>& drawable, DisplayHandleT<Display::IIndexBuffer>& buffer,
                   Display::IRenderer* renderer);

// True when the Suspend and Resume passes release and rebuild display objects: the
// configuration's release mask contains OTHER. Without a configuration everything is released.
Bool ReleasesDisplayObjectsOnSuspend(IConfiguration* configuration);

// The bounding box from (-x / 2, -y / 2, -z / 2) to (x / 2, y / 2, z / 2), w = 1.
void SetCenteredBoundingBox(Display::IDrawable* drawable, Float x, Float y, Float z);

// CullOutput of a drawable with bounds: with a current culler, the culled result is the
// culler's answer for the drawable's bounding sphere placed by the entry's transform and scale.
void CullBoundingSphere(ICullOutputState* state, const Display::IDrawable* drawable);

// The last step of EnqueueOutput: vertex buffer at (0, 0) and none at (0, 1) of the renderer's
// current-buffer table, then the drawable with the entry's transform, scale factor and depth order.
void EnqueueDrawable(IEnqueueOutputState* state, Display::IDrawable* drawable, Display::IVertexBuffer* vertexBuffer);
// The same without touching the current-buffer table, for drawables that set it themselves.
void AddDrawableToFrame(IEnqueueOutputState* state, Display::IDrawable* drawable);

} // namespace Graph
} // namespace Vorn
