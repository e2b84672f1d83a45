// A view that records what registers with it, for tests of the passes and of nodes that attach
// to the enclosing view.
#pragma once

#include <vector>

#include "graph/view.h"

namespace Vorn {
namespace Testing {

class FakeView : public Graph::IView
{
public:
    struct Registration
    {
        Graph::IRenderable* renderable;
        Bool placed;
        const Math::Matrix<float>* transform;
        const Math::Vector<float>* scale;
        SInt32 depthOrder;
    };
    struct Attachment
    {
        void* object;
        Math::Matrix<float> transform;
    };

    std::vector<Registration> mRenderables;
    std::vector<Attachment> mLights;
    Attachment mCamera{nullptr, Math::Matrix<float>()};
    Attachment mListener{nullptr, Math::Matrix<float>()};
    UInt32 mWidth = 640;
    UInt32 mHeight = 480;
    Enums::ScreenOrientation mOrientation = Enums::ScreenOrientation::PORTRAIT_1;
    Graph::IFrameBuffer* mFrameBuffer = nullptr;
    UInt32 mCullCalls = 0;
    UInt32 mEnqueueCalls = 0;
    Bool mResult = true;

    Bool CullOutput(Graph::ICullOutputState*) override
    {
        ++mCullCalls;
        return mResult;
    }
    Bool EnqueueOutput(Graph::IEnqueueOutputState*) override
    {
        ++mEnqueueCalls;
        return mResult;
    }

    Float GetDisplayScaleX() const override { return 1.0f; }
    Float GetDisplayScaleY() const override { return 1.0f; }
    Float GetPixelOffsetX() const override { return 0.0f; }
    Float GetPixelOffsetY() const override { return 0.0f; }
    Graph::IFrameBuffer* GetFrameBuffer() override { return mFrameBuffer; }
    UInt32 GetWidth() const override { return mWidth; }
    UInt32 GetHeight() const override { return mHeight; }
    Enums::ScreenOrientation GetOrientation() const override { return mOrientation; }

    void SetCamera(Graph::ICamera* camera, const Math::Matrix<float>& transform) override
    {
        mCamera = Attachment{camera, transform};
    }
    Graph::ICamera* GetCamera() override { return static_cast<Graph::ICamera*>(mCamera.object); }
    const Math::Matrix<float>& GetCameraTransform() const override { return mCamera.transform; }
    const Math::Matrix<float>& GetCameraInverseTransform() const override { return mCamera.transform; }

    void SetListener(Graph::IListener* listener, const Math::Matrix<float>& transform) override
    {
        mListener = Attachment{listener, transform};
    }
    Graph::IListener* GetListener() override { return static_cast<Graph::IListener*>(mListener.object); }
    const Math::Matrix<float>& GetListenerTransform() const override { return mListener.transform; }
    const Math::Matrix<float>& GetListenerInverseTransform() const override { return mListener.transform; }

    void AddLight(Graph::ILight* light, const Math::Matrix<float>& transform) override
    {
        mLights.push_back(Attachment{light, transform});
    }
    UInt32 GetNumberOfLights() const override { return UInt32(mLights.size()); }
    Graph::ILight* GetLight(UInt32 index) override { return static_cast<Graph::ILight*>(mLights[index].object); }
    const Math::Matrix<float>& GetLightTransform(UInt32 index) const override { return mLights[index].transform; }
    const Math::Matrix<float>& GetLightInverseTransform(UInt32 index) const override
    {
        return mLights[index].transform;
    }

    void AddRenderable(Graph::IRenderable* renderable) override
    {
        mRenderables.push_back(Registration{renderable, false, nullptr, nullptr, 0});
    }
    void AddRenderable(Graph::IRenderable* renderable, const Math::Matrix<float>* transform,
                       const Math::Vector<float>* scale, SInt32 depthOrder) override
    {
        mRenderables.push_back(Registration{renderable, true, transform, scale, depthOrder});
    }
};

} // namespace Testing
} // namespace Vorn
