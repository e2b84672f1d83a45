// How cameras, lights, listeners and renderables attach to the nearest enclosing view in the
// PrepareOutput pass. Implemented by the View node.
#pragma once

#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/renderable.h"

namespace Vorn {
namespace Graph {

class ICamera;
class IFrameBuffer;
class ILight;
class IListener;

class IView : public IRenderable
{
public:
    virtual Float GetDisplayScaleX() const = 0;
    virtual Float GetDisplayScaleY() const = 0;
    virtual Float GetPixelOffsetX() const = 0;
    virtual Float GetPixelOffsetY() const = 0;
    // Null when the view draws to the screen.
    virtual IFrameBuffer* GetFrameBuffer() = 0;
    // Pixels.
    virtual UInt32 GetWidth() const = 0;
    virtual UInt32 GetHeight() const = 0;
    virtual Enums::ScreenOrientation GetOrientation() const = 0;

    virtual void SetCamera(ICamera* camera, const Math::Matrix<float>& transform) = 0;
    // Null when no camera attached in this frame.
    virtual ICamera* GetCamera() = 0;
    virtual const Math::Matrix<float>& GetCameraTransform() const = 0;
    virtual const Math::Matrix<float>& GetCameraInverseTransform() const = 0;

    virtual void SetListener(IListener* listener, const Math::Matrix<float>& transform) = 0;
    virtual IListener* GetListener() = 0;
    virtual const Math::Matrix<float>& GetListenerTransform() const = 0;
    virtual const Math::Matrix<float>& GetListenerInverseTransform() const = 0;

    virtual void AddLight(ILight* light, const Math::Matrix<float>& transform) = 0;
    virtual UInt32 GetNumberOfLights() const = 0;
    // index must be below GetNumberOfLights.
    virtual ILight* GetLight(UInt32 index) = 0;
    virtual const Math::Matrix<float>& GetLightTransform(UInt32 index) const = 0;
    virtual const Math::Matrix<float>& GetLightInverseTransform(UInt32 index) const = 0;

    // A renderable that is never culled.
    virtual void AddRenderable(IRenderable* renderable) = 0;
    // A placed renderable, culled against the view's camera. The transform and scale factor
    // must stay valid until the view's output passes are done (entries of the prepare-output
    // state's stacks do).
    virtual void AddRenderable(IRenderable* renderable, const Math::Matrix<float>* transform,
                               const Math::Vector<float>* scale, SInt32 depthOrder) = 0;
};

} // namespace Graph
} // namespace Vorn
