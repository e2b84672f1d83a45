// The node that turns a sub-tree into one rendered output: in PrepareOutput its camera, lights,
// listener and renderables attach to it; it culls them against the camera in CullOutput and
// hands them to the renderers in EnqueueOutput, drawing to the screen or into the frame-buffer
// texture named by "frameBufferId". The root's container view is one.
#pragma once

#include <memory>

#include "foundation/array.h"
#include "foundation/enums.h"
#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"
#include "graph/culler.h"
#include "graph/node.h"
#include "graph/view.h"

namespace Vorn {

class IConfiguration;

namespace Graph {

class IFrameBuffer;

// An attached camera, listener or light with its world transform and that transform's rigid
// inverse; both identity while unset.
template <typename T>
struct ViewAttachment
{
    T* mObject = nullptr;
    Math::Matrix<float> mTransform;
    Math::Matrix<float> mInverseTransform;

    void Set(T* object, const Math::Matrix<float>& transform);
    void Unset();
};

// A registered renderable with what it was registered with; the pointers are entries of the
// PrepareOutput state's stacks, valid until its next Begin.
struct ViewRenderable
{
    IRenderable* mRenderable;
    const Math::Matrix<float>* mTransform;
    const Math::Vector<float>* mScaleFactor;
    SInt32 mDepthOrder;
    Bool mCulled;
};

class View : public Node, public IView
{
public:
    View();
    ~View() override;

    static INode* Create();
    static const NodeClassInfo& GetClassInfo();

    Bool DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                              Bool* error) override;

    // A failing renderable fails the pass at once.
    Bool CullOutput(ICullOutputState* state) override;
    Bool EnqueueOutput(IEnqueueOutputState* state) override;

    Float GetDisplayScaleX() const override { return mDisplayScaleX; }
    Float GetDisplayScaleY() const override { return mDisplayScaleY; }
    Float GetPixelOffsetX() const override { return mPixelOffsetX; }
    Float GetPixelOffsetY() const override { return mPixelOffsetY; }
    IFrameBuffer* GetFrameBuffer() override { return mFrameBuffer; }
    UInt32 GetWidth() const override { return mWidth; }
    UInt32 GetHeight() const override { return mHeight; }
    Enums::ScreenOrientation GetOrientation() const override { return mOrientation; }

    void SetCamera(ICamera* camera, const Math::Matrix<float>& transform) override;
    ICamera* GetCamera() override { return mCamera.mObject; }
    const Math::Matrix<float>& GetCameraTransform() const override { return mCamera.mTransform; }
    const Math::Matrix<float>& GetCameraInverseTransform() const override { return mCamera.mInverseTransform; }

    void SetListener(IListener* listener, const Math::Matrix<float>& transform) override;
    IListener* GetListener() override { return mListener.mObject; }
    const Math::Matrix<float>& GetListenerTransform() const override { return mListener.mTransform; }
    const Math::Matrix<float>& GetListenerInverseTransform() const override { return mListener.mInverseTransform; }

    void AddLight(ILight* light, const Math::Matrix<float>& transform) override;
    UInt32 GetNumberOfLights() const override { return mNumberOfLights; }
    ILight* GetLight(UInt32 index) override { return mLights[SInt32(index)]->mObject; }
    const Math::Matrix<float>& GetLightTransform(UInt32 index) const override
    {
        return mLights[SInt32(index)]->mTransform;
    }
    const Math::Matrix<float>& GetLightInverseTransform(UInt32 index) const override
    {
        return mLights[SInt32(index)]->mInverseTransform;
    }

    void AddRenderable(IRenderable* renderable) override;
    void AddRenderable(IRenderable* renderable, const Math::Matrix<float>* transform, const Math::Vector<float>* scale,
                       SInt32 depthOrder) override;

    const String& GetFrameBufferId() const { return mFrameBufferId; }
    UInt32 GetNumberOfRenderables() const { return mNumberOfRenderables; }
    const ViewRenderable& GetRenderable(UInt32 index) const { return *mRenderables[SInt32(index)]; }
    UInt32 GetNumberOfCulledRenderables() const { return UInt32(mCullList.GetCount()); }
    // Set by ProcessLogic and Resume; shifted into the previous flag by an EnqueueOutput pass
    // that follows logic steps. The view rebuilds its lists while either is set.
    Bool HasLogic() const { return mLogic; }
    Bool HadLogic() const { return mPreviousLogic; }

protected:
    // Takes the display values from the configuration, or from the frame-buffer node found by
    // "frameBufferId" (one reference held until DeInit).
    Bool InitSelf(IInitState* state) override;
    Bool DeInitSelf(IDeInitState* state) override;
    Bool SuspendSelf(IDeInitState* state) override;
    Bool ResumeSelf(IInitState* state) override;
    Bool ConfigChangedSelf(IConfigChangedState* state) override;
    Bool ProcessLogicSelf(IProcessLogicState* state) override;
    Bool ProcessLogicChildren(IProcessLogicState* state) override;
    Bool PrepareOutputSelf(IPrepareOutputState* state) override;
    Bool PrepareOutputChildren(IPrepareOutputState* state) override;

private:
    void ReadDisplayConfiguration(IConfiguration* configuration);
    ViewRenderable& NextRenderable();
    void ResetLists();

    Float mDisplayScaleX;
    Float mDisplayScaleY;
    Float mPixelOffsetX;
    Float mPixelOffsetY;
    UInt32 mWidth;
    UInt32 mHeight;
    Enums::ScreenOrientation mOrientation;
    String mFrameBufferId;
    INode* mFrameBufferNode;
    IFrameBuffer* mFrameBuffer;
    ViewAttachment<ICamera> mCamera;
    ViewAttachment<IListener> mListener;
    // Pools: entries stay allocated and are reused; only the used counts are reset.
    Array<std::unique_ptr<ViewAttachment<ILight>>> mLights;
    UInt32 mNumberOfLights;
    Array<std::unique_ptr<ViewRenderable>> mRenderables;
    UInt32 mNumberOfRenderables;
    // The placed renderables, in registration order.
    Array<ViewRenderable*> mCullList;
    FrustumCuller mCuller;
    Bool mLogic;
    Bool mPreviousLogic;
};

} // namespace Graph
} // namespace Vorn
