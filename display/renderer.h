// The display renderer as the engine and the scene graph call it: display objects by class name,
// their device resources, and the frame that the enqueue-output pass fills. Implemented by the
// renderer back-ends; reached only through this interface.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/time.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "display/object.h"

namespace Vorn {

class IDisplaySurface;

namespace Display {

class IRenderer;

// One record per display object class: its name and the function that makes an object of it.
struct ClassInfo
{
    typedef IObject* (*CreateFunction)(IRenderer* renderer);
    String mName;
    CreateFunction mCreate;
};

class IRenderer
{
public:
    virtual Bool Init(UInt32 width, UInt32 height) = 0;
    virtual Bool DeInit() = 0;
    // The calling thread becomes the render thread.
    virtual Bool Start() = 0;
    virtual Bool Stop() = 0;
    // False when the name is registered already.
    virtual Bool RegisterObjectClass(const ClassInfo& info) = 0;
    // False when the name is not registered.
    virtual Bool UnregisterObjectClass(const ClassInfo& info) = 0;
    // A new object, not yet initialised; null for an unknown class name. The caller casts it to
    // its typed interface and gives it back through DestroyObject.
    virtual IObject* CreateObject(const String& className) = 0;
    // Destroys the object (queued from threads other than the render thread) and clears the
    // caller's pointer; a null pointer only stays null.
    virtual Bool DestroyObject(IObject*& object) = 0;
    // Creates and releases an object's device resources on the render thread.
    virtual Bool InitObject(IObject* object) = 0;
    virtual Bool DeInitObject(IObject* object) = 0;
    virtual Bool ProcessQueues(const System::Time& budget) = 0;
    virtual void SetDimensions(UInt32 width, UInt32 height) = 0;
    virtual Bool BeginFrame() = 0;
    virtual Bool ProcessObjects() = 0;
    virtual Bool Render() = 0;
    virtual Bool TakeScreenshot(IDisplaySurface* surface, Enums::OrientationFlags orientation) = 0;
    // True when a frame buffer of these formats can be made, possibly after changing either to a
    // supported one.
    virtual Bool CheckFrameBufferFormat(Enums::PixelFormat& pixelFormat, Enums::DepthBufferFormat& depthFormat) = 0;

    // The frame, filled by the enqueue-output pass on the main thread.
    // An object whose data changed: updated before the next draw.
    virtual void AddUpdateObject(IObject* object) = 0;
    // Copies the matrix into a draw record with the current slot tables.
    virtual void AddDrawable(IDrawable* drawable, const Math::Matrix<float>& transform,
                             const Math::Vector<float>* scaleFactor, SInt32 depthOrder) = 0;
    // Slot tables for the drawables added after: slot below 128, unit below 8, index below 2.
    // Null clears an entry. Each returns the object stored.
    virtual ITexture* SetTexture(ITexture* texture, UInt32 slot, UInt32 unit) = 0;
    // Index 0 and 1 of a slot: the vertex buffers of a drawable's row.
    virtual IVertexBuffer* SetAuxiliaryObject(IVertexBuffer* object, UInt32 slot, UInt32 index) = 0;
    virtual IMaterial* SetMaterial(IMaterial* material, UInt32 slot) = 0;
    virtual IParameters* SetParameters(IParameters* parameters, UInt32 slot) = 0;
    virtual IBone* SetBone(IBone* bone, UInt32 slot, const Math::Matrix<float>& offset) = 0;
    // The camera and the lights of the output that follows.
    virtual void AddView(ICamera* camera, const Math::Matrix<float>& transform) = 0;
    virtual void AddLight(ILight* light, const Math::Matrix<float>& transform) = 0;
    // Null selects the screen.
    virtual void SelectFrameBuffer(IFrameBuffer* frameBuffer) = 0;
    virtual ITexture* GetTexture(UInt32 slot, UInt32 unit) = 0;
    virtual IVertexBuffer* GetAuxiliaryObject(UInt32 slot, UInt32 index) = 0;
    virtual IMaterial* GetMaterial(UInt32 slot) = 0;
    virtual IParameters* GetParameters(UInt32 slot) = 0;
    virtual IBone* GetBone(UInt32 slot) = 0;
    virtual ICamera* GetCurrentView() = 0;
    virtual ILight* GetCurrentLight() = 0;
    virtual IFrameBuffer* GetCurrentFrameBuffer() = 0;
    virtual ~IRenderer() {}
};

} // namespace Display
} // namespace Vorn
