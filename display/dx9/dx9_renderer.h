// Display::Dx9::Renderer: the display renderer of the Windows build. It takes the device from the
// platform's display interface, creates and releases the device resources of display objects on
// the render (main) thread, serving what other threads queue within a time budget per frame, and
// draws the frame that the enqueue-output pass hands it with the fixed-function pipeline.
#pragma once

#include <d3d9.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "display/renderer_base.h"
#include "foundation/event.h"
#include "foundation/matrix.h"
#include "foundation/time.h"

namespace Vorn {
namespace Display {
namespace Dx9 {

class Camera;
class Light;
class Material;
class Object;
class Parameters;
class State;
class Texture;

class Renderer : public Display::Renderer
{
public:
    static constexpr UInt32 kNumberOfSlots = 128;
    static constexpr UInt32 kNumberOfUnits = 8;
    static constexpr UInt32 kNumberOfAuxiliaries = 2;

    // Reads the per-frame budget for queued objects and whether objects may get their device
    // resources on any thread.
    Renderer(IConfiguration* configuration, IDisplayInterface* displayInterface);
    ~Renderer() override;

    // Registers the ten Direct3D 9 classes; makes the state cache.
    Bool Init(UInt32 width, UInt32 height) override;
    Bool DeInit() override;
    // The calling thread becomes the render thread; false when started already.
    Bool Start() override;
    // Serves every queue until nothing is left; then InitObject fails at once again.
    Bool Stop() override;
    // Destroyed on the render thread once the object holds no device resources.
    Bool DestroyObject(IObject*& object) override;
    // On the render thread at once; from another thread queued, returning once the render thread
    // has served it, with its result. Fails at once before Start.
    Bool InitObject(IObject* object) override;
    // Queued from other threads; true at once.
    Bool DeInitObject(IObject* object) override;
    Bool ProcessQueues(const System::Time& budget) override;
    Bool BeginFrame() override;
    Bool ProcessObjects() override;
    Bool Render() override;
    // Copies the last drawn back buffer into an R8_G8_B8_A8 surface of the renderer's size,
    // turned by the orientation.
    Bool TakeScreenshot(IDisplaySurface* surface, Enums::OrientationFlags orientation) override;
    // Every format is taken as it is.
    Bool CheckFrameBufferFormat(Enums::PixelFormat& pixelFormat, Enums::DepthBufferFormat& depthFormat) override;

    void AddUpdateObject(IObject* object) override;
    void AddDrawable(IDrawable* drawable, const Math::Matrix<float>& transform, const Math::Vector<float>* scaleFactor,
                     SInt32 depthOrder) override;
    // Slots at or past 128, units past 8 and indices past 2 are refused with a line (null).
    ITexture* SetTexture(ITexture* texture, UInt32 slot, UInt32 unit) override;
    IVertexBuffer* SetAuxiliaryObject(IVertexBuffer* object, UInt32 slot, UInt32 index) override;
    IMaterial* SetMaterial(IMaterial* material, UInt32 slot) override;
    IParameters* SetParameters(IParameters* parameters, UInt32 slot) override;
    // No bones in this back-end: null.
    IBone* SetBone(IBone* bone, UInt32 slot, const Math::Matrix<float>& offset) override;
    void AddView(ICamera* camera, const Math::Matrix<float>& transform) override;
    void AddLight(ILight* light, const Math::Matrix<float>& transform) override;
    void SelectFrameBuffer(IFrameBuffer* frameBuffer) override;
    ITexture* GetTexture(UInt32 slot, UInt32 unit) override;
    IVertexBuffer* GetAuxiliaryObject(UInt32 slot, UInt32 index) override;
    IMaterial* GetMaterial(UInt32 slot) override;
    IParameters* GetParameters(UInt32 slot) override;
    IBone* GetBone(UInt32 slot) override;
    ICamera* GetCurrentView() override;
    ILight* GetCurrentLight() override;
    IFrameBuffer* GetCurrentFrameBuffer() override;

    IDirect3DDevice9* GetDevice() const { return mDevice; }
    // The device-state cache, for tests.
    State* GetState() const { return mState.get(); }
    Bool IsRenderThread() const;
    // Layer, view, light, instance and element records allocated so far.
    UInt32 GetNumberOfRecords() const;
    // The per-frame budget for queued objects.
    const System::Time& GetTimeBudget() const { return mTimeBudget; }

    // The create function that Display::Factory registers for the DX9 video interface.
    static IRenderer* Create(IConfiguration* configuration, IDisplayInterface* displayInterface);

private:
    struct Instance
    {
        Object* drawable;
        Math::Matrix<float> transform;
        SInt32 depthOrder;
        Float sortDepth;
    };
    struct Element
    {
        Object* indexBuffer;
        Material* material;
        Parameters* parameters;
        Texture* textures[kNumberOfUnits];
        Instance* instance;
    };
    struct LightRecord
    {
        Light* light;
        Math::Matrix<float> transform;
        Math::Matrix<float> view;
    };
    // Records are kept from frame to frame; only the counts in use are reset.
    template <typename T>
    struct Pool
    {
        std::vector<std::unique_ptr<T>> records;
        UInt32 used = 0;
        T* Take();
    };
    struct View
    {
        Camera* camera;
        SInt32 depthOrder;
        Pool<Element> elements;
        std::vector<Element*> opaque;
        std::vector<Element*> blended;
        Pool<LightRecord> lights;
    };
    struct Layer
    {
        IFrameBuffer* frameBuffer;
        Pool<View> views;
        View* currentView;
        LightRecord* currentLight;
    };
    // A request of another thread for an object's device resources, answered by the render thread.
    struct InitRequest
    {
        Object* object;
        Bool served;
        Bool result;
    };
    template <typename T>
    struct Queue
    {
        std::mutex mutex;
        System::Event event;
        std::deque<T> entries;
        void Push(const T& entry);
        Bool IsEmpty();
        // The head when there is one before the deadline (removed when take is set).
        Bool Peek(const System::Time* deadline, T& head, Bool take);
    };

    Bool IsDirect() const;
    // Each until the deadline (null: until the queue is empty); false on a failed entry.
    Bool ServeInitQueue(const System::Time* deadline);
    Bool ServeDeInitQueue(const System::Time* deadline);
    Bool ServeDestroyQueue(const System::Time* deadline);
    void Answer(InitRequest* request, Bool result);
    void ServeQueues(const System::Time* deadline);
    void SetUpView(View& view, Bool flip, UInt32 viewportHeight);
    void SetUpLight(const LightRecord& record);
    void DrawView(View& view);
    void DrawElement(Element& element);
    Bool CheckSlot(UInt32 slot, const char* method) const;

    Object* mTextures[kNumberOfSlots][kNumberOfUnits];
    Object* mAuxiliaries[kNumberOfSlots][kNumberOfAuxiliaries];
    Object* mMaterials[kNumberOfSlots];
    Object* mParameters[kNumberOfSlots];
    Pool<Layer> mLayers;
    Layer* mCurrentLayer;
    Pool<Instance> mInstances;
    std::unique_ptr<Parameters> mDefaultParameters;
    std::unique_ptr<State> mState;
    // 0 while not started; read by other threads deciding whether to queue.
    std::atomic<UInt64> mRenderThreadId;
    Bool mDirectAllowed[2];
    System::Time mTimeBudget;
    std::vector<Object*> mUpdates;
    Queue<InitRequest*> mInitQueue;
    Queue<Object*> mDeInitQueue;
    Queue<Object*> mDestroyQueue;
    // Every waiting InitObject wakes when any request is answered and checks its own.
    std::mutex mAnswerMutex;
    std::condition_variable mAnswered;
    IDirect3DDevice9* mDevice;
    UInt32 mViewportWidth;
    UInt32 mViewportHeight;
    // Row buffer of the screenshot, one 32-bit pixel per column.
    std::vector<UInt32> mRow;
};

} // namespace Dx9
} // namespace Display
} // namespace Vorn
