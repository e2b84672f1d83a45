#include "display/renderer_base.h"

#include <gtest/gtest.h>

namespace Vorn {
namespace {

// The registry alone: every frame operation is a stub.
class RegistryRenderer : public Display::Renderer
{
public:
    RegistryRenderer() : Display::Renderer(nullptr, nullptr) {}
    Bool Start() override { return true; }
    Bool Stop() override { return true; }
    Bool InitObject(Display::IObject*) override { return true; }
    Bool DeInitObject(Display::IObject*) override { return true; }
    Bool ProcessQueues(const System::Time&) override { return true; }
    Bool BeginFrame() override { return true; }
    Bool ProcessObjects() override { return true; }
    Bool Render() override { return true; }
    Bool TakeScreenshot(IDisplaySurface*, Enums::OrientationFlags) override { return false; }
    Bool CheckFrameBufferFormat(Enums::PixelFormat&, Enums::DepthBufferFormat&) override { return true; }
    void AddUpdateObject(Display::IObject*) override {}
    void AddDrawable(Display::IDrawable*, const Math::Matrix<float>&, const Math::Vector<float>*, SInt32) override {}
    Display::ITexture* SetTexture(Display::ITexture*, UInt32, UInt32) override { return nullptr; }
    Display::IVertexBuffer* SetAuxiliaryObject(Display::IVertexBuffer*, UInt32, UInt32) override { return nullptr; }
    Display::IMaterial* SetMaterial(Display::IMaterial*, UInt32) override { return nullptr; }
    Display::IParameters* SetParameters(Display::IParameters*, UInt32) override { return nullptr; }
    Display::IBone* SetBone(Display::IBone*, UInt32, const Math::Matrix<float>&) override { return nullptr; }
    void AddView(Display::ICamera*, const Math::Matrix<float>&) override {}
    void AddLight(Display::ILight*, const Math::Matrix<float>&) override {}
    void SelectFrameBuffer(Display::IFrameBuffer*) override {}
    Display::ITexture* GetTexture(UInt32, UInt32) override { return nullptr; }
    Display::IVertexBuffer* GetAuxiliaryObject(UInt32, UInt32) override { return nullptr; }
    Display::IMaterial* GetMaterial(UInt32) override { return nullptr; }
    Display::IParameters* GetParameters(UInt32) override { return nullptr; }
    Display::IBone* GetBone(UInt32) override { return nullptr; }
    Display::ICamera* GetCurrentView() override { return nullptr; }
    Display::ILight* GetCurrentLight() override { return nullptr; }
    Display::IFrameBuffer* GetCurrentFrameBuffer() override { return nullptr; }
};

class CountedObject : public Display::IObject
{
public:
    explicit CountedObject(Display::IRenderer* renderer) : mRenderer(renderer) { ++sLive; }
    ~CountedObject() override { --sLive; }
    Bool Init() override { return true; }
    Bool DeInit() override { return true; }
    Display::IRenderer* mRenderer;
    static int sLive;
};
int CountedObject::sLive = 0;

Display::IObject* MakeCounted(Display::IRenderer* renderer) { return new CountedObject(renderer); }
Display::IObject* MakeOther(Display::IRenderer*) { return nullptr; }

TEST(DisplayRendererTest, RegistryKeepsTheFirstRegistrationUntilUnregistered)
{
    RegistryRenderer renderer;
    const Display::ClassInfo counted{"Camera", MakeCounted};
    const Display::ClassInfo other{"Camera", MakeOther};

    EXPECT_EQ(renderer.CreateObject("Camera"), nullptr);
    EXPECT_TRUE(renderer.RegisterObjectClass(counted));
    EXPECT_FALSE(renderer.RegisterObjectClass(other));

    Display::IObject* object = renderer.CreateObject("Camera");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(static_cast<CountedObject*>(object)->mRenderer, &renderer);
    EXPECT_EQ(CountedObject::sLive, 1);
    renderer.DestroyObject(object);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CountedObject::sLive, 0);

    EXPECT_TRUE(renderer.UnregisterObjectClass(other));
    EXPECT_FALSE(renderer.UnregisterObjectClass(counted));
    EXPECT_EQ(renderer.CreateObject("Camera"), nullptr);
    EXPECT_TRUE(renderer.RegisterObjectClass(other));
    EXPECT_EQ(renderer.CreateObject("Camera"), nullptr);
}

TEST(DisplayRendererTest, UnregisteringKeepsTheOtherClassesFindable)
{
    RegistryRenderer renderer;
    const char* names[] = {"IndexBuffer", "Camera", "Light", "Drawable", "FrameBuffer"};
    for (const char* name : names)
        ASSERT_TRUE(renderer.RegisterObjectClass({name, MakeCounted}));
    ASSERT_TRUE(renderer.UnregisterObjectClass({"Camera", MakeCounted}));
    for (const char* name : names) {
        Display::IObject* object = renderer.CreateObject(name);
        EXPECT_EQ(object != nullptr, String(name) != "Camera") << name;
        renderer.DestroyObject(object);
    }
    EXPECT_EQ(renderer.CreateObject("camera"), nullptr);
}

TEST(DisplayRendererTest, InitAndSetDimensionsStoreTheSize)
{
    RegistryRenderer renderer;
    EXPECT_TRUE(renderer.Init(1280, 800));
    EXPECT_EQ(renderer.GetWidth(), 1280u);
    EXPECT_EQ(renderer.GetHeight(), 800u);
    renderer.SetDimensions(640, 400);
    EXPECT_EQ(renderer.GetWidth(), 640u);
    EXPECT_EQ(renderer.GetHeight(), 400u);
    EXPECT_TRUE(renderer.DeInit());
}

} // namespace
} // namespace Vorn
