#include "display/dx9/dx9_renderer.h"

#include <algorithm>
#include <cstring>

#include "display/dx9/camera.h"
#include "display/dx9/drawable.h"
#include "display/dx9/fixed_program.h"
#include "display/dx9/frame_buffer.h"
#include "display/dx9/index_buffer.h"
#include "display/dx9/light.h"
#include "display/dx9/material.h"
#include "display/dx9/parameters.h"
#include "display/dx9/state.h"
#include "display/dx9/texture.h"
#include "display/dx9/vertex_buffer.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "foundation/thread.h"
#include "platform/display_interface.h"
#include "resource/display_surface.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

namespace {

typedef const ClassInfo& (*ClassInfoFunction)();

// In the order they are registered and unregistered.
const ClassInfoFunction kClasses[] = {
    IndexBuffer::GetClassInfo, Camera::GetClassInfo,     Light::GetClassInfo,        Drawable::GetClassInfo,
    FrameBuffer::GetClassInfo, Material::GetClassInfo,   Parameters::GetClassInfo,   FixedProgram::GetClassInfo,
    Texture::GetClassInfo,     VertexBuffer::GetClassInfo,
};

// A stable sort that allocates nothing, for the few layers and views of a frame.
template <typename T, typename Less>
void InsertionSort(T* items, UInt32 count, Less less)
{
    for (UInt32 i = 1; i < count; ++i)
        for (UInt32 j = i; j > 0 && less(items[j], items[j - 1]); --j)
            std::swap(items[j], items[j - 1]);
}

D3DCOLOR ToDxColor(const Float* color)
{
    const auto channel = [](Float value) { return UInt32(UInt8(SInt64(value * 255.0f))); };
    return D3DCOLOR((channel(color[3]) << 24) | (channel(color[0]) << 16) | (channel(color[1]) << 8) |
                    channel(color[2]));
}

D3DCOLORVALUE ToColorValue(const Float* color) { return D3DCOLORVALUE{color[0], color[1], color[2], color[3]}; }

Math::Vector<float> Translation(const Math::Matrix<float>& matrix)
{
    return Math::Vector<float>(matrix[12], matrix[13], matrix[14], matrix[15]);
}

// Any difference, NaN included.
Bool Differs(const Math::Matrix<float>& a, const Math::Matrix<float>& b)
{
    for (UInt32 i = 0; i < 16; ++i)
        if (!(a[i] == b[i]))
            return true;
    return false;
}

const D3DMATRIX* ToDx(const Math::Matrix<float>& matrix) { return reinterpret_cast<const D3DMATRIX*>(matrix.mElements); }

} // namespace

template <typename T>
T* Renderer::Pool<T>::Take()
{
    if (used == records.size())
        records.emplace_back(new T());
    return records[used++].get();
}

template <typename T>
void Renderer::Queue<T>::Push(const T& entry)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        entries.push_back(entry);
    }
    event.Signal();
}

template <typename T>
Bool Renderer::Queue<T>::IsEmpty()
{
    std::lock_guard<std::mutex> lock(mutex);
    return entries.empty();
}

template <typename T>
Bool Renderer::Queue<T>::Peek(const System::Time* deadline, T& head, Bool take)
{
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!entries.empty()) {
                head = entries.front();
                if (take)
                    entries.pop_front();
                return true;
            }
        }
        if (deadline == nullptr || !event.Wait(*deadline))
            return false;
    }
}

Renderer::Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface)
    : Display::Renderer(configuration, displayInterface), mTextures(), mAuxiliaries(), mMaterials(), mParameters(),
      mCurrentLayer(nullptr), mRenderThreadId(0), mDirectAllowed{false, false}, mDevice(nullptr), mViewportWidth(0),
      mViewportHeight(0)
{
    mDirectAllowed[0] = displayInterface != nullptr && displayInterface->AllowsAnyThread();
    mDirectAllowed[1] = configuration != nullptr && configuration->GetMultiThreadedCalls();
    const Double seconds = configuration != nullptr ? configuration->GetObjectProcessingTime() : 0.005;
    mTimeBudget = System::Time::FromMicroSeconds(seconds > 0.0 ? UInt64(seconds * 1000000.0) : 0);
}

Renderer::~Renderer()
{
    if (!mDestroyQueue.IsEmpty())
        Debug::Trace("Display::Dx9::Renderer::~Renderer(): Objects remain queued for destruction");
    if (!mDeInitQueue.IsEmpty())
        Debug::Trace("Display::Dx9::Renderer::~Renderer(): Objects remain queued for resource destruction");
    if (mDefaultParameters != nullptr) {
        mDefaultParameters->DeInit();
        mDefaultParameters.reset();
    }
}

IRenderer* Renderer::Create(IConfiguration* configuration, IDisplayInterface* displayInterface)
{
    return new (std::nothrow) Renderer(configuration, displayInterface);
}

Bool Renderer::Init(UInt32 width, UInt32 height)
{
    Display::Renderer::Init(width, height);
    mState.reset(new State());
    for (ClassInfoFunction info : kClasses)
        RegisterObjectClass(info());
    return true;
}

Bool Renderer::DeInit()
{
    for (ClassInfoFunction info : kClasses)
        UnregisterObjectClass(info());
    mState.reset();
    return Display::Renderer::DeInit();
}

Bool Renderer::IsRenderThread() const
{
    const UInt64 id = mRenderThreadId.load();
    return id != 0 && id == System::Thread::GetCurrentId();
}

Bool Renderer::IsDirect() const { return mDirectAllowed[0] && mDirectAllowed[1]; }

Bool Renderer::Start()
{
    if (mDefaultParameters != nullptr)
        return false;
    {
        std::lock_guard<std::mutex> lock(mInitQueue.mutex);
        mRenderThreadId = System::Thread::GetCurrentId();
    }
    mDevice = mDisplayInterface != nullptr ? static_cast<IDirect3DDevice9*>(mDisplayInterface->GetRenderContext())
                                           : nullptr;
    mDefaultParameters.reset(new Parameters(this));
    const Float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    const Float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const Float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    mDefaultParameters->CreateFloatParameter(Enums::ShaderVariable::CUSTOM_4)->SetValue(1.0f);
    mDefaultParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_0)->SetValue(ambient);
    mDefaultParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_1)->SetValue(white);
    mDefaultParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_2)->SetValue(white);
    mDefaultParameters->CreateFloatVector4Parameter(Enums::ShaderVariable::CUSTOM_3)->SetValue(none);
    return mDefaultParameters->Init();
}

Bool Renderer::Stop()
{
    // No request is queued after this; the ones queued are answered below.
    {
        std::lock_guard<std::mutex> lock(mInitQueue.mutex);
        mRenderThreadId = 0;
    }
    while (!mInitQueue.IsEmpty())
        ServeInitQueue(nullptr);
    while (!mDeInitQueue.IsEmpty() || !mDestroyQueue.IsEmpty()) {
        ServeDeInitQueue(nullptr);
        ServeDestroyQueue(nullptr);
        Object* head = nullptr;
        if (mDeInitQueue.IsEmpty() && mDestroyQueue.Peek(nullptr, head, false) && head->HasDxResources()) {
            // Its owner destroyed it without de-initialising it; nothing else will release them.
            Debug::Trace("Display::Dx9::Renderer::Stop(): Object %p queued for destruction still holds device "
                         "resources; releasing them",
                         static_cast<void*>(head));
            head->DestroyDxResources();
            if (head->HasDxResources()) {
                mDestroyQueue.Peek(nullptr, head, true);
                head->Destroy();
            }
        }
    }
    if (mDefaultParameters != nullptr) {
        mDefaultParameters->DeInit();
        mDefaultParameters.reset();
    }
    return true;
}

void Renderer::Answer(InitRequest* request, Bool result)
{
    std::lock_guard<std::mutex> lock(mAnswerMutex);
    request->result = result;
    request->served = true;
    mAnswered.notify_all();
}

Bool Renderer::InitObject(IObject* object)
{
    Object* dx9Object = dynamic_cast<Object*>(object);
    if (dx9Object == nullptr) {
        Debug::Trace("Display::Dx9::Renderer::InitObject(): Not an object of this renderer");
        return false;
    }
    if (IsDirect() || IsRenderThread())
        return dx9Object->CreateDxResources();
    InitRequest request{dx9Object, false, false};
    {
        std::lock_guard<std::mutex> lock(mInitQueue.mutex);
        if (mRenderThreadId == 0) {
            Debug::Trace("Display::Dx9::Renderer::InitObject(): Renderer is not started");
            return false;
        }
        mInitQueue.entries.push_back(&request);
    }
    mInitQueue.event.Signal();
    std::unique_lock<std::mutex> lock(mAnswerMutex);
    mAnswered.wait(lock, [&request]() { return request.served; });
    return request.result;
}

Bool Renderer::DeInitObject(IObject* object)
{
    Object* dx9Object = dynamic_cast<Object*>(object);
    if (dx9Object == nullptr)
        return true;
    if (IsDirect() || mRenderThreadId == 0)
        return dx9Object->DestroyDxResources();
    mDeInitQueue.Push(dx9Object);
    return true;
}

Bool Renderer::DestroyObject(IObject*& object)
{
    Object* dx9Object = dynamic_cast<Object*>(object);
    if (object != nullptr && dx9Object == nullptr)
        return Display::Renderer::DestroyObject(object);
    object = nullptr;
    if (dx9Object == nullptr)
        return true;
    if (IsDirect() || mRenderThreadId == 0)
        dx9Object->Destroy();
    else
        mDestroyQueue.Push(dx9Object);
    return true;
}

Bool Renderer::ServeInitQueue(const System::Time* deadline)
{
    InitRequest* request = nullptr;
    while (mInitQueue.Peek(deadline, request, true)) {
        const Bool created = request->object->CreateDxResources();
        Answer(request, created);
        if (!created)
            return false;
    }
    return true;
}

Bool Renderer::ServeDeInitQueue(const System::Time* deadline)
{
    Object* object = nullptr;
    while (mDeInitQueue.Peek(deadline, object, true))
        if (!object->DestroyDxResources())
            return false;
    return true;
}

Bool Renderer::ServeDestroyQueue(const System::Time* deadline)
{
    Object* head = nullptr;
    while (mDestroyQueue.Peek(deadline, head, false)) {
        // Still holding resources: its de-initialisation is queued behind; retried next time.
        if (head->HasDxResources())
            return true;
        Object* taken = nullptr;
        if (!mDestroyQueue.Peek(nullptr, taken, true) || taken != head)
            return false;
        head->Destroy();
    }
    return true;
}

void Renderer::ServeQueues(const System::Time* deadline)
{
    ServeInitQueue(deadline);
    ServeDeInitQueue(deadline);
    ServeDestroyQueue(deadline);
}

Bool Renderer::ProcessQueues(const System::Time& budget)
{
    const System::Time deadline = System::Time::Add(System::Time::GetCurrent(), budget);
    return ServeInitQueue(&deadline) && ServeDeInitQueue(&deadline) && ServeDestroyQueue(&deadline);
}

Bool Renderer::BeginFrame()
{
    if (mDisplayInterface != nullptr)
        mDevice = static_cast<IDirect3DDevice9*>(mDisplayInterface->GetRenderContext());
    std::fill(&mMaterials[0], &mMaterials[0] + kNumberOfSlots, nullptr);
    std::fill(&mParameters[0], &mParameters[0] + kNumberOfSlots, nullptr);
    std::fill(&mTextures[0][0], &mTextures[0][0] + kNumberOfSlots * kNumberOfUnits, nullptr);
    mLayers.used = 0;
    mInstances.used = 0;
    mUpdates.clear();
    mCurrentLayer = nullptr;
    if (!mInitQueue.IsEmpty() || !mDeInitQueue.IsEmpty() || !mDestroyQueue.IsEmpty()) {
        const System::Time deadline = System::Time::Add(System::Time::GetCurrent(), mTimeBudget);
        ServeQueues(&deadline);
    }
    return true;
}

Bool Renderer::ProcessObjects()
{
    if (mDevice == nullptr)
        return false;
    mDevice->BeginScene();
    for (Object* object : mUpdates)
        object->Update();
    mDevice->EndScene();
    return true;
}

Bool Renderer::CheckSlot(UInt32 slot, const char* method) const
{
    if (slot < kNumberOfSlots)
        return true;
    Debug::Trace("Display::Dx9::Renderer::%s(): Slot %u out of range", method, slot);
    return false;
}

void Renderer::AddUpdateObject(IObject* object)
{
    Object* dx9Object = dynamic_cast<Object*>(object);
    if (dx9Object != nullptr)
        mUpdates.push_back(dx9Object);
}

void Renderer::SelectFrameBuffer(IFrameBuffer* frameBuffer)
{
    for (UInt32 i = 0; i < mLayers.used; ++i) {
        if (mLayers.records[i]->frameBuffer == frameBuffer) {
            mCurrentLayer = mLayers.records[i].get();
            return;
        }
    }
    Layer* layer = mLayers.Take();
    layer->frameBuffer = frameBuffer;
    layer->views.used = 0;
    layer->currentView = nullptr;
    layer->currentLight = nullptr;
    mCurrentLayer = layer;
}

void Renderer::AddView(ICamera* camera, const Math::Matrix<float>& transform)
{
    Camera* dx9Camera = dynamic_cast<Camera*>(camera);
    if (mCurrentLayer == nullptr || dx9Camera == nullptr)
        return;
    View* view = mCurrentLayer->views.Take();
    mCurrentLayer->currentView = view;
    mCurrentLayer->currentLight = nullptr;
    view->camera = dx9Camera;
    dx9Camera->SetTransform(transform);
    view->depthOrder = dx9Camera->GetDepthOrder();
    view->elements.used = 0;
    view->opaque.clear();
    view->blended.clear();
    view->lights.used = 0;
}

void Renderer::AddLight(ILight* light, const Math::Matrix<float>& transform)
{
    Light* dx9Light = dynamic_cast<Light*>(light);
    if (mCurrentLayer == nullptr || mCurrentLayer->currentView == nullptr || dx9Light == nullptr)
        return;
    LightRecord* record = mCurrentLayer->currentView->lights.Take();
    mCurrentLayer->currentLight = record;
    record->light = dx9Light;
    record->transform = transform;
    record->view = Camera::InvertRigid(transform);
}

void Renderer::AddDrawable(IDrawable* drawable, const Math::Matrix<float>& transform, const Math::Vector<float>*,
                           SInt32 depthOrder)
{
    Drawable* dx9Drawable = dynamic_cast<Drawable*>(drawable);
    if (dx9Drawable == nullptr || mCurrentLayer == nullptr || mCurrentLayer->currentView == nullptr)
        return;
    View* view = mCurrentLayer->currentView;
    Instance* instance = mInstances.Take();
    instance->drawable = dx9Drawable;
    instance->transform = transform;
    instance->depthOrder = depthOrder;
    switch (view->camera->GetDepthSortMode()) {
    case Enums::DepthSortMode::WORLD_Z:
        instance->sortDepth = transform[14];
        break;
    case Enums::DepthSortMode::DISTANCE: {
        const Math::Vector<float> d = Translation(transform) - Translation(view->camera->GetTransform());
        instance->sortDepth = -d.Dot(d);
        break;
    }
    default:
        instance->sortDepth = 0.0f;
        break;
    }
    for (UInt32 i = 0; i < dx9Drawable->GetNumberOfIndexBuffers(); ++i) {
        IndexBuffer* indexBuffer = dx9Drawable->GetIndexBuffer(i);
        if (indexBuffer == nullptr)
            continue;
        const SInt32 slot = indexBuffer->GetMaterialSlot();
        if (slot < 0 || !CheckSlot(UInt32(slot), "AddDrawable"))
            continue;
        Material* material = static_cast<Material*>(mMaterials[slot]);
        if (material == nullptr)
            continue;
        if (material->GetProgram() == nullptr) {
            Debug::Trace("Display::Dx9::Renderer::AddDrawable(): Material in slot %d has no program", slot);
            continue;
        }
        Element* element = view->elements.Take();
        element->indexBuffer = indexBuffer;
        element->material = material;
        element->parameters =
            mParameters[slot] != nullptr ? static_cast<Parameters*>(mParameters[slot]) : mDefaultParameters.get();
        for (UInt32 unit = 0; unit < kNumberOfUnits; ++unit) {
            const SInt32 textureSlot = indexBuffer->GetTextureSlot(unit);
            element->textures[unit] = textureSlot >= 0 && UInt32(textureSlot) < kNumberOfSlots
                                          ? static_cast<Texture*>(mTextures[textureSlot][unit])
                                          : nullptr;
        }
        element->instance = instance;
        (material->WritesDepth() ? view->opaque : view->blended).push_back(element);
    }
}

ITexture* Renderer::SetTexture(ITexture* texture, UInt32 slot, UInt32 unit)
{
    if (!CheckSlot(slot, "SetTexture"))
        return nullptr;
    if (unit >= kNumberOfUnits) {
        Debug::Trace("Display::Dx9::Renderer::SetTexture(): Unit %u out of range", unit);
        return nullptr;
    }
    Texture* dx9Texture = dynamic_cast<Texture*>(texture);
    mTextures[slot][unit] = dx9Texture;
    return dx9Texture;
}

IVertexBuffer* Renderer::SetAuxiliaryObject(IVertexBuffer* object, UInt32 slot, UInt32 index)
{
    if (!CheckSlot(slot, "SetAuxiliaryObject"))
        return nullptr;
    if (index >= kNumberOfAuxiliaries) {
        Debug::Trace("Display::Dx9::Renderer::SetAuxiliaryObject(): Index %u out of range", index);
        return nullptr;
    }
    VertexBuffer* buffer = dynamic_cast<VertexBuffer*>(object);
    mAuxiliaries[slot][index] = buffer;
    return buffer;
}

IMaterial* Renderer::SetMaterial(IMaterial* material, UInt32 slot)
{
    if (!CheckSlot(slot, "SetMaterial"))
        return nullptr;
    Material* dx9Material = dynamic_cast<Material*>(material);
    mMaterials[slot] = dx9Material;
    return dx9Material;
}

IParameters* Renderer::SetParameters(IParameters* parameters, UInt32 slot)
{
    if (!CheckSlot(slot, "SetParameters"))
        return nullptr;
    Parameters* dx9Parameters = dynamic_cast<Parameters*>(parameters);
    mParameters[slot] = dx9Parameters;
    return dx9Parameters;
}

IBone* Renderer::SetBone(IBone*, UInt32, const Math::Matrix<float>&) { return nullptr; }

ITexture* Renderer::GetTexture(UInt32 slot, UInt32 unit)
{
    if (!CheckSlot(slot, "GetTexture"))
        return nullptr;
    if (unit >= kNumberOfUnits) {
        Debug::Trace("Display::Dx9::Renderer::GetTexture(): Unit %u out of range", unit);
        return nullptr;
    }
    return static_cast<Texture*>(mTextures[slot][unit]);
}

IVertexBuffer* Renderer::GetAuxiliaryObject(UInt32 slot, UInt32 index)
{
    if (!CheckSlot(slot, "GetAuxiliaryObject"))
        return nullptr;
    if (index >= kNumberOfAuxiliaries) {
        Debug::Trace("Display::Dx9::Renderer::GetAuxiliaryObject(): Index %u out of range", index);
        return nullptr;
    }
    return static_cast<VertexBuffer*>(mAuxiliaries[slot][index]);
}

IMaterial* Renderer::GetMaterial(UInt32 slot)
{
    return CheckSlot(slot, "GetMaterial") ? static_cast<Material*>(mMaterials[slot]) : nullptr;
}

IParameters* Renderer::GetParameters(UInt32 slot)
{
    return CheckSlot(slot, "GetParameters") ? static_cast<Parameters*>(mParameters[slot]) : nullptr;
}

IBone* Renderer::GetBone(UInt32) { return nullptr; }

ICamera* Renderer::GetCurrentView()
{
    if (mCurrentLayer == nullptr || mCurrentLayer->currentView == nullptr)
        return nullptr;
    return mCurrentLayer->currentView->camera;
}

ILight* Renderer::GetCurrentLight()
{
    if (mCurrentLayer == nullptr || mCurrentLayer->currentLight == nullptr)
        return nullptr;
    return mCurrentLayer->currentLight->light;
}

IFrameBuffer* Renderer::GetCurrentFrameBuffer() { return mCurrentLayer != nullptr ? mCurrentLayer->frameBuffer : nullptr; }

Bool Renderer::CheckFrameBufferFormat(Enums::PixelFormat&, Enums::DepthBufferFormat&) { return true; }

UInt32 Renderer::GetNumberOfRecords() const
{
    UInt32 count = UInt32(mLayers.records.size() + mInstances.records.size());
    for (const auto& layer : mLayers.records) {
        count += UInt32(layer->views.records.size());
        for (const auto& view : layer->views.records)
            count += UInt32(view->elements.records.size() + view->lights.records.size());
    }
    return count;
}

Bool Renderer::Render()
{
    if (mDevice == nullptr || mState == nullptr)
        return false;
    InsertionSort(mLayers.records.data(), mLayers.used, [](const auto& a, const auto& b) {
        return a->frameBuffer != nullptr && b->frameBuffer == nullptr;
    });
    for (UInt32 l = 0; l < mLayers.used; ++l) {
        Layer& layer = *mLayers.records[l];
        const Bool flip = layer.frameBuffer != nullptr;
        if (flip) {
            if (!layer.frameBuffer->Bind(0))
                continue;
            mViewportWidth = layer.frameBuffer->GetWidth();
            mViewportHeight = layer.frameBuffer->GetHeight();
        } else {
            mViewportWidth = mWidth;
            mViewportHeight = mHeight;
        }
        mDevice->BeginScene();
        D3DVIEWPORT9 viewport = {0, 0, mViewportWidth, mViewportHeight, 0.0f, 1.0f};
        mDevice->SetViewport(&viewport);
        InsertionSort(layer.views.records.data(), layer.views.used,
                      [](const auto& a, const auto& b) { return a->depthOrder < b->depthOrder; });
        for (UInt32 v = 0; v < layer.views.used; ++v) {
            View& view = *layer.views.records[v];
            mState->Reset();
            SetUpView(view, flip, mViewportHeight);
            if (view.lights.used > 0)
                SetUpLight(*view.lights.records[0]);
            DrawView(view);
        }
        mDevice->EndScene();
        if (flip)
            layer.frameBuffer->Unbind();
    }
    return true;
}

void Renderer::SetUpView(View& view, Bool flip, UInt32 viewportHeight)
{
    const Camera& camera = *view.camera;
    const SInt32 height = SInt32(viewportHeight);
    RECT scissor = {camera.GetMaskLeft(), height - camera.GetMaskTop(), camera.GetMaskRight(),
                    height - camera.GetMaskBottom()};
    mDevice->SetScissorRect(&scissor);
    mDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
    if (Differs(camera.GetViewProjectionMatrix(), mState->mCameraViewProjection)) {
        mState->mCameraProjection = camera.GetProjectionMatrix();
        mState->mCameraView = camera.GetViewMatrix();
        mState->mCameraViewProjection = camera.GetViewProjectionMatrix();
        mState->mCameraPosition = Translation(camera.GetTransform());
    }
    mState->mFlip = flip;
    mDevice->SetTransform(D3DTS_VIEW, ToDx(mState->mCameraView));
    // Clip-space y mirrored for frame buffers, clip z from -1..1 to 0..1.
    Math::Matrix<float> conversion;
    conversion.Set(1, 1, flip ? -1.0f : 1.0f);
    conversion.Set(2, 2, 0.5f);
    conversion.Set(2, 3, 0.5f);
    const Math::Matrix<float> projection = conversion * mState->mCameraProjection;
    mDevice->SetTransform(D3DTS_PROJECTION, ToDx(projection));
}

void Renderer::SetUpLight(const LightRecord& record)
{
    const Light& light = *record.light;
    mState->mLightProjection = light.GetProjectionMatrix();
    mState->mLightView = record.view;
    mState->mLightViewProjection = light.GetProjectionMatrix() * record.view;
    mState->mLightPosition = Translation(record.transform);
    const Math::Vector<float> direction = -(mState->mCameraView * mState->mLightPosition);
    D3DLIGHT9 dxLight = {};
    dxLight.Type = D3DLIGHT_DIRECTIONAL;
    dxLight.Diffuse = ToColorValue(light.GetColor(1));
    dxLight.Specular = ToColorValue(light.GetColor(2));
    dxLight.Ambient = ToColorValue(light.GetColor(0));
    dxLight.Direction = D3DVECTOR{direction.x, direction.y, direction.z};
    mDevice->SetLight(0, &dxLight);
}

void Renderer::DrawView(View& view)
{
    const Camera& camera = *view.camera;
    const DWORD flags = (camera.GetClearColorBuffer() ? D3DCLEAR_TARGET : 0) |
                        (camera.GetClearDepthBuffer() ? D3DCLEAR_ZBUFFER : 0);
    if (flags != 0)
        mDevice->Clear(0, nullptr, flags, ToDxColor(camera.GetClearColor()), 1.0f, 0);
    for (Element* element : view.opaque)
        DrawElement(*element);
    std::sort(view.blended.begin(), view.blended.end(), [](const Element* a, const Element* b) {
        if (a->instance->sortDepth != b->instance->sortDepth)
            return a->instance->sortDepth < b->instance->sortDepth;
        return a->instance->depthOrder < b->instance->depthOrder;
    });
    for (Element* element : view.blended)
        DrawElement(*element);
}

void Renderer::DrawElement(Element& element)
{
    mState->mModelMatrix = &element.instance->transform;
    element.parameters->Apply(*mState);
    if (!element.material->Apply(*mState))
        return;
    for (UInt32 unit = 0; unit < kNumberOfUnits; ++unit)
        if (element.textures[unit] != nullptr)
            element.textures[unit]->Apply(unit, *mState);
    Drawable* drawable = static_cast<Drawable*>(element.instance->drawable);
    if (drawable->Apply(*mState))
        static_cast<IndexBuffer*>(element.indexBuffer)->Apply(*mState);
}

Bool Renderer::TakeScreenshot(IDisplaySurface* surface, Enums::OrientationFlags orientation)
{
    if (surface == nullptr || surface->GetPixelFormat() != Enums::PixelFormat::R8_G8_B8_A8) {
        Debug::Trace("Display::Dx9::Renderer::TakeScreenshot(): Output surface pixel format not supported, must be "
                     "R8_G8_B8_A8");
        return false;
    }
    const Bool upright = orientation == Enums::OrientationFlags::NORMAL || orientation == Enums::OrientationFlags::FLIP;
    const UInt32 width = surface->GetWidth(0);
    const UInt32 height = surface->GetHeight(0);
    if ((upright && (width != mWidth || height != mHeight)) || (!upright && (width != mHeight || height != mWidth))) {
        Debug::Trace("Display::Dx9::Renderer::TakeScreenshot(): Output surface dimensions do not match renderer "
                     "dimensions");
        return false;
    }
    UInt8* pixels = static_cast<UInt8*>(surface->GetPixels(0));
    const UInt32 pitch = surface->GetPitch(0);
    if (pixels == nullptr || pitch < width * 4) {
        Debug::Trace("Display::Dx9::Renderer::TakeScreenshot(): Output surface holds no pixels");
        return false;
    }
    IDirect3DSurface9* backBuffer = nullptr;
    if (mDevice == nullptr || FAILED(mDevice->GetRenderTarget(0, &backBuffer))) {
        Debug::Trace("Display::Dx9::Renderer::TakeScreenshot(): No back buffer");
        return false;
    }
    D3DSURFACE_DESC description;
    IDirect3DSurface9* copy = nullptr;
    Bool read = SUCCEEDED(backBuffer->GetDesc(&description)) &&
                (description.Format == D3DFMT_X8R8G8B8 || description.Format == D3DFMT_A8R8G8B8) &&
                description.Width >= mWidth && description.Height >= mHeight &&
                SUCCEEDED(mDevice->CreateOffscreenPlainSurface(description.Width, description.Height,
                                                               description.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
                SUCCEEDED(mDevice->GetRenderTargetData(backBuffer, copy));
    backBuffer->Release();
    D3DLOCKED_RECT locked;
    if (read && FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        read = false;
    if (!read) {
        if (copy != nullptr)
            copy->Release();
        Debug::Trace("Display::Dx9::Renderer::TakeScreenshot(): Failed to read the back buffer");
        return false;
    }
    const Bool opaque = description.Format == D3DFMT_X8R8G8B8;
    mRow.resize(mWidth);
    for (UInt32 r = 0; r < mHeight; ++r) {
        const UInt8* source = static_cast<const UInt8*>(locked.pBits) + r * locked.Pitch;
        for (UInt32 x = 0; x < mWidth; ++x) {
            // Blue, green, red, alpha in memory; the row holds red, green, blue, alpha bytes.
            const UInt8* p = source + 4 * x;
            const UInt8 bytes[4] = {p[2], p[1], p[0], UInt8(opaque ? 0xFF : p[3])};
            std::memcpy(&mRow[x], bytes, 4);
        }
        for (UInt32 x = 0; x < mWidth; ++x) {
            UInt32 row = r;
            UInt32 column = x;
            switch (orientation) {
            case Enums::OrientationFlags::NORMAL:
                break;
            case Enums::OrientationFlags::FLIP:
                column = mWidth - 1 - x;
                break;
            case Enums::OrientationFlags::ROTATE_CCW:
                row = x;
                column = r;
                break;
            default:
                row = mWidth - 1 - x;
                column = mHeight - 1 - r;
                break;
            }
            std::memcpy(pixels + row * pitch + column * 4, &mRow[x], 4);
        }
    }
    copy->UnlockRect();
    copy->Release();
    return true;
}

} // namespace Dx9
} // namespace Display
} // namespace Vorn
