// Device resources of display objects are made and released on the render thread: requests from
// other threads wait in the renderer's queues until the main thread serves them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/display/dx9/renderer_fixture.h"
#include "tests/support/fake_display_interface.h"

namespace Vorn {
namespace {

using Testing::FakeDisplaySurface;

// An object that tells when it is gone.
class TracedObject : public Display::Dx9::Object
{
public:
    TracedObject(Display::Dx9::Renderer* renderer, Bool& destroyed) : Object(renderer), mDestroyed(destroyed) {}
    ~TracedObject() override { mDestroyed = true; }
    Bool& mDestroyed;
};

class HandOffTest : public Testing::RendererFixture
{
protected:
    // Serves the queues on this (the render) thread until every worker has returned.
    void ServeUntilDone(std::vector<std::thread>& workers, std::atomic<int>& pending)
    {
        while (pending.load() > 0)
            mRenderer->ProcessQueues(System::Time::FromMilliSeconds(5));
        for (std::thread& worker : workers)
            worker.join();
    }
};

TEST_F(HandOffTest, InitObjectFromOtherThreadsReturnsOnceServed)
{
    const std::vector<UInt8> pixels(16, 255);
    FakeDisplaySurface good(Enums::PixelFormat::R8_G8_B8_A8, 2, 2, pixels);
    FakeDisplaySurface alsoGood(Enums::PixelFormat::R8_G8_B8_A8, 2, 2, pixels);
    FakeDisplaySurface bad(Enums::PixelFormat::R8_G8_B8_A8, 2, 2, pixels);
    Display::Dx9::Texture* textures[3] = {MakeTexture(good), MakeTexture(alsoGood), MakeTexture(bad)};
    // A render target cannot be made from a surface: its request fails.
    textures[2]->SetRenderTarget(true);
    std::atomic<int> results[3] = {{-1}, {-1}, {-1}};
    std::atomic<int> pending{3};
    std::vector<std::thread> workers;
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        workers.emplace_back([&, i]() {
            results[i] = textures[i]->Init() ? 1 : 0;
            --pending;
        });
    }
    ServeUntilDone(workers, pending);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(results[0], 1);
    EXPECT_EQ(results[1], 1);
    EXPECT_EQ(results[2], 0);
    EXPECT_TRUE(textures[0]->HasDxResources());
    EXPECT_NE(textures[1]->GetDxTexture(), nullptr);
    EXPECT_FALSE(textures[2]->IsInitialized());
}

TEST_F(HandOffTest, InitObjectBeforeStartFailsAtOnce)
{
    Testing::FakeDisplayInterface displayInterface;
    Display::Dx9::Renderer renderer(&mConfiguration, &displayInterface);
    renderer.Init(kWidth, kHeight);
    Display::Dx9::Camera camera(&renderer);
    Bool result = true;
    ::testing::internal::CaptureStderr();
    std::thread worker([&]() { result = renderer.InitObject(&camera); });
    worker.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Display::Dx9::Renderer::InitObject(): Renderer is not started\n");
    renderer.DeInit();
}

TEST_F(HandOffTest, DestroyWaitsUntilTheResourcesAreReleased)
{
    Bool destroyed = false;
    Display::IObject* object = new TracedObject(mRenderer, destroyed);
    ASSERT_TRUE(mRenderer->InitObject(object));
    Display::IObject* handle = object;
    mRenderer->DestroyObject(handle);
    EXPECT_EQ(handle, nullptr);
    mRenderer->BeginFrame();
    EXPECT_FALSE(destroyed);
    mRenderer->DeInitObject(object);
    mRenderer->BeginFrame();
    EXPECT_TRUE(destroyed);
}

TEST_F(HandOffTest, StopServesEveryQueue)
{
    Bool released = false;
    Bool forgotten = false;
    Display::IObject* releasedObject = new TracedObject(mRenderer, released);
    Display::IObject* forgottenObject = new TracedObject(mRenderer, forgotten);
    ASSERT_TRUE(mRenderer->InitObject(releasedObject));
    ASSERT_TRUE(mRenderer->InitObject(forgottenObject));
    std::thread worker([&]() {
        mRenderer->DeInitObject(releasedObject);
        mRenderer->DestroyObject(releasedObject);
        // Destroyed without de-initialisation: it still holds its resources.
        mRenderer->DestroyObject(forgottenObject);
    });
    worker.join();
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(mRenderer->Stop());
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(released);
    EXPECT_TRUE(forgotten);
    EXPECT_NE(log.find("Display::Dx9::Renderer::Stop(): Object "), std::string::npos) << log;
    EXPECT_NE(log.find("still holds device resources; releasing them"), std::string::npos) << log;
    // Stopped: requests of other threads are refused again.
    Display::Dx9::Camera camera(mRenderer);
    Bool result = true;
    ::testing::internal::CaptureStderr();
    std::thread late([&]() { result = mRenderer->InitObject(&camera); });
    late.join();
    ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(result);
    EXPECT_TRUE(mRenderer->Start());
}

} // namespace
} // namespace Vorn
