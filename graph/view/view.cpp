#include "graph/view/view.h"

#include <new>

#include "audio/renderer.h"
#include "display/renderer.h"
#include "foundation/attributes.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "graph/attribute_names.h"
#include "graph/node_class_info.h"
#include "graph/traversal_state.h"
#include "graph/view/camera.h"
#include "graph/view/view_targets.h"

namespace Vorn {
namespace Graph {
namespace {

// The target that a view draws into: its frame buffer's display object, or null for the screen.
Display::IFrameBuffer* GetOutputTarget(IView* view)
{
    IFrameBuffer* frameBuffer = view->GetFrameBuffer();
    return frameBuffer != nullptr ? frameBuffer->GetFrameBufferObject() : nullptr;
}

} // namespace

template <typename T>
void ViewAttachment<T>::Set(T* object, const Math::Matrix<float>& transform)
{
    mObject = object;
    mTransform = transform;
    ComputeRigidInverse(transform, mInverseTransform);
}

template <typename T>
void ViewAttachment<T>::Unset()
{
    mObject = nullptr;
    mTransform.SetIdentity();
    mInverseTransform.SetIdentity();
}

template struct ViewAttachment<ICamera>;
template struct ViewAttachment<IListener>;
template struct ViewAttachment<ILight>;

View::View()
    : mDisplayScaleX(1.0f),
      mDisplayScaleY(1.0f),
      mPixelOffsetX(0.0f),
      mPixelOffsetY(0.0f),
      mWidth(0),
      mHeight(0),
      mOrientation(Enums::ScreenOrientation::DEFAULT),
      mFrameBufferNode(nullptr),
      mFrameBuffer(nullptr),
      mNumberOfLights(0),
      mNumberOfRenderables(0),
      mLogic(false),
      mPreviousLogic(false)
{
    AddFlags(kNeedsConfigChanged | kNeedsProcessLogic | kNeedsPrepareOutput);
}

View::~View()
{
}

INode* View::Create()
{
    return new (std::nothrow) View();
}

const NodeClassInfo& View::GetClassInfo()
{
    static const NodeClassInfo& info = *FindBuiltInNodeClassInfo(String("View"));
    return info;
}

Bool View::DeserializeAttribute(UInt32 index, const IAttributes* attributes, const IAttributes* parameters,
                                Bool* error)
{
    switch (ViewAttributes::GetTable().FindAttribute(attributes, index)) {
    case ViewAttributes::kFrameBufferId:
        attributes->GetValue(index, parameters, &mFrameBufferId, error);
        return true;
    default:
        return Node::DeserializeAttribute(index, attributes, parameters, error);
    }
}

void View::SetCamera(ICamera* camera, const Math::Matrix<float>& transform)
{
    mCamera.Set(camera, transform);
}

void View::SetListener(IListener* listener, const Math::Matrix<float>& transform)
{
    mListener.Set(listener, transform);
}

void View::AddLight(ILight* light, const Math::Matrix<float>& transform)
{
    if (mNumberOfLights == UInt32(mLights.GetCount()))
        mLights.Add(std::make_unique<ViewAttachment<ILight>>());
    mLights[SInt32(mNumberOfLights)]->Set(light, transform);
    ++mNumberOfLights;
}

ViewRenderable& View::NextRenderable()
{
    if (mNumberOfRenderables == UInt32(mRenderables.GetCount()))
        mRenderables.Add(std::make_unique<ViewRenderable>());
    return *mRenderables[SInt32(mNumberOfRenderables++)];
}

void View::AddRenderable(IRenderable* renderable)
{
    NextRenderable() = ViewRenderable{renderable, nullptr, nullptr, 0, false};
}

void View::AddRenderable(IRenderable* renderable, const Math::Matrix<float>* transform,
                         const Math::Vector<float>* scale, SInt32 depthOrder)
{
    ViewRenderable& record = NextRenderable();
    record = ViewRenderable{renderable, transform, scale, depthOrder, false};
    mCullList.Add(&record);
}

void View::ReadDisplayConfiguration(IConfiguration* configuration)
{
    if (configuration == nullptr)
        return;
    mDisplayScaleX = configuration->GetDisplayScaleX();
    mDisplayScaleY = configuration->GetDisplayScaleY();
    mWidth = configuration->GetDisplaySurfaceWidth();
    mHeight = configuration->GetDisplaySurfaceHeight();
    mOrientation = configuration->GetScreenOrientation();
}

void View::ResetLists()
{
    mCamera.Unset();
    mListener.Unset();
    mNumberOfLights = 0;
    mNumberOfRenderables = 0;
    mCullList.SetCount(0);
}

Bool View::InitSelf(IInitState* state)
{
    if (!Node::InitSelf(state)) {
        Debug::Trace("Graph::View::InitSelf(%s): InitSelf() of superclass failed", mId.GetText());
        return false;
    }
    IConfiguration* configuration = state->GetConfiguration();
    if (configuration != nullptr) {
        mPixelOffsetX = configuration->GetPixelOffsetX();
        mPixelOffsetY = configuration->GetPixelOffsetY();
    }
    if (mFrameBufferId.IsEmpty()) {
        ReadDisplayConfiguration(configuration);
    } else {
        INode* node = state->FindNode(mFrameBufferId);
        if (node == nullptr) {
            Debug::Trace("Graph::View::InitSelf(%s): Failed to get frame buffer node \"%s\"", mId.GetText(),
                         mFrameBufferId.GetText());
            return false;
        }
        IFrameBuffer* frameBuffer = dynamic_cast<IFrameBuffer*>(node);
        if (frameBuffer == nullptr) {
            Debug::Trace("Graph::View::InitSelf(%s): Node \"%s\" is not a frame buffer", mId.GetText(),
                         mFrameBufferId.GetText());
            // The lookup's reference would keep the node from ever being de-initialised.
            node->RemoveReference();
            return false;
        }
        mFrameBufferNode = node;
        mFrameBuffer = frameBuffer;
        mDisplayScaleX = 1.0f;
        mDisplayScaleY = 1.0f;
        mWidth = frameBuffer->GetWidth();
        mHeight = frameBuffer->GetHeight();
        mOrientation = Enums::ScreenOrientation::PORTRAIT_1;
    }
    ResetLists();
    return true;
}

Bool View::DeInitSelf(IDeInitState* state)
{
    if (mFrameBufferNode != nullptr) {
        if (!mFrameBufferNode->RemoveReference()) {
            Debug::Trace("Graph::View::DeInitSelf(%s): Failed to remove frame buffer node reference", mId.GetText());
            return false;
        }
        mFrameBufferNode = nullptr;
        mFrameBuffer = nullptr;
    }
    mCamera.Unset();
    mListener.Unset();
    mLights.Clear();
    mNumberOfLights = 0;
    mRenderables.Clear();
    mNumberOfRenderables = 0;
    mCullList.Clear();
    return Node::DeInitSelf(state);
}

Bool View::SuspendSelf(IDeInitState*)
{
    return true;
}

Bool View::ResumeSelf(IInitState*)
{
    mLogic = true;
    return true;
}

Bool View::ConfigChangedSelf(IConfigChangedState* state)
{
    if (!Node::ConfigChangedSelf(state)) {
        Debug::Trace("Graph::View::ConfigChangedSelf(%s): ConfigChangedSelf() of superclass failed", mId.GetText());
        return false;
    }
    if (mFrameBuffer == nullptr)
        ReadDisplayConfiguration(state->GetConfiguration());
    return true;
}

Bool View::ProcessLogicSelf(IProcessLogicState* state)
{
    if (!Node::ProcessLogicSelf(state))
        return false;
    state->PushView(this);
    mLogic = true;
    return true;
}

Bool View::ProcessLogicChildren(IProcessLogicState* state)
{
    if (!Node::ProcessLogicChildren(state))
        return false;
    state->PopView();
    return true;
}

Bool View::PrepareOutputSelf(IPrepareOutputState* state)
{
    if (!Node::PrepareOutputSelf(state))
        return false;
    // Without logic since the last rebuild the lists stand as they are.
    if (!mLogic && !mPreviousLogic)
        return true;
    ResetLists();
    state->PushView(this);
    return true;
}

Bool View::PrepareOutputChildren(IPrepareOutputState* state)
{
    if (!mLogic && !mPreviousLogic)
        return true;
    if (!Node::PrepareOutputChildren(state))
        return false;
    state->PopView();
    return true;
}

Bool View::CullOutput(ICullOutputState* state)
{
    ICamera* camera = mCamera.mObject;
    const Float* angles = camera != nullptr ? camera->GetProjectionAngles() : nullptr;
    if (angles != nullptr) {
        const Math::Matrix<float>& transform = mCamera.mTransform;
        mCuller.SetVector(Math::Vector<float>(transform[12], transform[13], transform[14], transform[15]));
        mCuller.SetViewMatrix(mCamera.mInverseTransform);
        mCuller.SetParameters(angles);
        mCuller.SetValue(camera->GetFrustumPlanes());
        state->PushCuller(&mCuller);
    } else {
        state->PushCuller(nullptr);
    }
    state->PushView(this);
    const SInt32 count = mCullList.GetCount();
    for (SInt32 i = 0; i < count; ++i) {
        ViewRenderable* record = mCullList[i];
        state->IncrementCounter();
        state->SetItemFlag(false);
        state->SetItemValue1(record->mTransform);
        state->SetItemValue2(record->mScaleFactor);
        if (!record->mRenderable->CullOutput(state))
            return false;
        if (state->GetItemFlag())
            record->mCulled = true;
    }
    state->PopView();
    state->PopCuller();
    return true;
}

Bool View::EnqueueOutput(IEnqueueOutputState* state)
{
    Display::IRenderer* display = state->GetDisplayRenderer();
    Audio::IRenderer* audio = state->GetAudioRenderer();
    if (display != nullptr) {
        display->SelectFrameBuffer(GetOutputTarget(this));
        if (ICamera* camera = mCamera.mObject) {
            display->AddView(camera->GetDisplayCamera(), mCamera.mTransform);
            for (UInt32 i = 0; i < mNumberOfLights; ++i) {
                const ViewAttachment<ILight>& light = *mLights[SInt32(i)];
                display->AddLight(light.mObject->GetDisplayLight(), light.mTransform);
            }
        }
    }
    if (audio != nullptr && mListener.mObject != nullptr)
        audio->AddListener(mListener.mObject->GetListenerObject(), mListener.mTransform);

    state->PushView(this);
    for (UInt32 i = 0; i < mNumberOfRenderables; ++i) {
        const ViewRenderable& record = *mRenderables[SInt32(i)];
        if (record.mCulled)
            continue;
        state->IncrementCounter();
        state->SetItemValue1(record.mTransform);
        state->SetItemValue2(record.mScaleFactor);
        state->SetItemValue3(record.mDepthOrder);
        if (!record.mRenderable->EnqueueOutput(state))
            return false;
    }
    state->PopView();
    // Output that follows goes to the enclosing view's target again.
    IView* enclosing = state->GetCurrentView();
    if (enclosing != nullptr && display != nullptr)
        display->SelectFrameBuffer(GetOutputTarget(enclosing));

    if (state->GetNumberOfSteps() != 0) {
        mPreviousLogic = mLogic;
        mLogic = false;
    }
    return true;
}

} // namespace Graph
} // namespace Vorn
