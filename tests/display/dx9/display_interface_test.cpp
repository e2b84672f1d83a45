// The Direct3D 9 display interface on a real window: presentation, size changes, and recovery
// from a lost device, whose results are injected at the present and cooperative-level calls
// while the reset itself runs for real.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "tests/display/dx9/renderer_fixture.h"

namespace Vorn {
namespace {

using Testing::Near;
using Testing::Rgb;

class ScriptedDisplayInterface : public Win32::Dx9DisplayInterface
{
public:
    using Dx9DisplayInterface::Dx9DisplayInterface;
    std::deque<HRESULT> mPresentResults;
    std::deque<HRESULT> mCooperativeResults;

protected:
    HRESULT Present() override
    {
        return mPresentResults.empty() ? Dx9DisplayInterface::Present() : Next(mPresentResults);
    }
    HRESULT TestCooperativeLevel() override
    {
        return mCooperativeResults.empty() ? Dx9DisplayInterface::TestCooperativeLevel() : Next(mCooperativeResults);
    }

private:
    static HRESULT Next(std::deque<HRESULT>& results)
    {
        const HRESULT result = results.front();
        results.pop_front();
        return result;
    }
};

// The engine's run state as the platform keeps it: suspending lets the frame buffer and its
// target go (as the graph does for frame-buffer objects), resuming makes them again.
class FakeRunState : public Win32::IEngineRunState
{
public:
    FakeRunState(Display::Dx9::Renderer* renderer, IConfiguration* configuration)
        : mRenderer(renderer), mConfiguration(configuration)
    {
    }
    Bool IsSuspended() const override { return mSuspended; }
    Bool Suspend() override
    {
        mSuspended = true;
        ++mSuspends;
        mSettingsWhileSuspended = {mConfiguration->GetReleaseOnSuspend(), mConfiguration->GetSuspendReleaseMask()};
        if (mRelease && mFrameBuffer != nullptr) {
            mFrameBuffer->DeInit();
            mTarget->DeInit();
            mRenderer->ProcessQueues(System::Time::Zero);
        }
        return true;
    }
    Bool Resume() override
    {
        mSuspended = false;
        ++mResumes;
        return mTarget == nullptr || (mTarget->Init() && mFrameBuffer->Init());
    }

    Display::Dx9::Renderer* mRenderer;
    IConfiguration* mConfiguration;
    Display::Dx9::Texture* mTarget = nullptr;
    Display::Dx9::FrameBuffer* mFrameBuffer = nullptr;
    Bool mRelease = true;
    Bool mSuspended = false;
    int mSuspends = 0;
    int mResumes = 0;
    std::pair<Bool, UInt32> mSettingsWhileSuspended{false, 0};
};

class DisplayInterfaceTest : public Testing::RendererFixture
{
protected:
    Win32::Dx9DisplayInterface* CreateDisplayInterface(IConfiguration* configuration) override
    {
        mScripted = new ScriptedDisplayInterface(configuration);
        return mScripted;
    }

    void SetUp() override
    {
        Testing::RendererFixture::SetUp();
        mRunState.reset(new FakeRunState(mRenderer, &mConfiguration));
        Display::Dx9::Texture* target = MakeTarget(64);
        ASSERT_NE(target, nullptr);
        auto* frameBuffer = Make<Display::Dx9::FrameBuffer>("FrameBuffer");
        frameBuffer->SetTargetTexture(target);
        ASSERT_TRUE(frameBuffer->Init());
        mRunState->mTarget = target;
        mRunState->mFrameBuffer = frameBuffer;
        mConfiguration.SetReleaseOnSuspend(false);
        mConfiguration.SetSuspendReleaseMask(0xFFFFFFFF);
        mCamera = MakeCamera(kColor);
    }

    // Loses the device at a present.
    void LoseDevice()
    {
        mScripted->mPresentResults.push_back(D3DERR_DEVICELOST);
        ASSERT_TRUE(mScripted->SwapBuffers(mRunState.get()));
        ASSERT_TRUE(mScripted->IsDeviceLost());
    }

    // A frame that clears the screen, drawn and read back.
    void ExpectFrameDrawn()
    {
        RenderFrame([&]() {
            mRenderer->SelectFrameBuffer(nullptr);
            mRenderer->AddView(mCamera, Math::Matrix<float>());
        });
        EXPECT_TRUE(Near(Pixel(kWidth / 2, kHeight / 2), Rgb{63, 127, 191}));
    }

    void ExpectSettingsAsBefore()
    {
        EXPECT_FALSE(mConfiguration.GetReleaseOnSuspend());
        EXPECT_EQ(mConfiguration.GetSuspendReleaseMask(), 0xFFFFFFFFu);
    }

    static constexpr Float kColor[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    ScriptedDisplayInterface* mScripted = nullptr;
    std::unique_ptr<FakeRunState> mRunState;
    Display::Dx9::Camera* mCamera = nullptr;
};

TEST_F(DisplayInterfaceTest, InitSetsThePixelOffsetAndTheSwapChainSize)
{
    EXPECT_EQ(mConfiguration.GetPixelOffsetX(), -0.5f);
    EXPECT_EQ(mConfiguration.GetPixelOffsetY(), 0.5f);
    EXPECT_EQ(mScripted->GetSwapChainWidth(), kWidth);
    EXPECT_EQ(mScripted->GetSwapChainHeight(), kHeight);
    EXPECT_EQ(mScripted->GetRenderContext(), mRenderer->GetDevice());
    EXPECT_TRUE(mScripted->AllowsAnyThread());
    EXPECT_TRUE(mScripted->ActivateRenderContext());
    EXPECT_TRUE(mScripted->DeactivateRenderContext());
    EXPECT_EQ(mScripted->GetLoaderContext(), nullptr);
    ExpectFrameDrawn();
}

TEST_F(DisplayInterfaceTest, LostDeviceIsResetWithTheEngineSuspended)
{
    LoseDevice();
    // Not yet ready to be reset: the frame is skipped.
    mScripted->mCooperativeResults = {D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET};
    EXPECT_FALSE(mScripted->BeginFrame(mRunState.get()));
    EXPECT_EQ(mRunState->mSuspends, 0);
    EXPECT_TRUE(mScripted->BeginFrame(mRunState.get()));
    EXPECT_FALSE(mScripted->IsDeviceLost());
    EXPECT_EQ(mRunState->mSuspends, 1);
    EXPECT_EQ(mRunState->mResumes, 1);
    EXPECT_FALSE(mRunState->IsSuspended());
    // While suspended only the frame-buffer objects let go of their resources.
    EXPECT_EQ(mRunState->mSettingsWhileSuspended, std::make_pair(true, 1u));
    ExpectSettingsAsBefore();
    EXPECT_NE(mScripted->GetSwapChain(), nullptr);
    EXPECT_TRUE(mRunState->mFrameBuffer->HasDxResources());
    ExpectFrameDrawn();
}

TEST_F(DisplayInterfaceTest, ResetRefusedOverALiveTargetSucceedsNextFrame)
{
    LoseDevice();
    mRunState->mRelease = false;
    mScripted->mCooperativeResults = {D3DERR_DEVICENOTRESET, D3DERR_DEVICENOTRESET};
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mScripted->BeginFrame(mRunState.get()));
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Win32::Dx9DisplayInterface::BeginFrame(): Failed to reset device, error=", 0), 0u) << log;
    EXPECT_TRUE(mScripted->IsDeviceLost());
    EXPECT_TRUE(mRunState->IsSuspended());
    ExpectSettingsAsBefore();

    mRunState->mRelease = true;
    EXPECT_TRUE(mScripted->BeginFrame(mRunState.get()));
    EXPECT_FALSE(mScripted->IsDeviceLost());
    EXPECT_FALSE(mRunState->IsSuspended());
    ExpectSettingsAsBefore();
    ExpectFrameDrawn();
}

TEST_F(DisplayInterfaceTest, SizeChangesRecreateTheSwapChainExceptForZero)
{
    IDirect3DSwapChain9* swapChain = mScripted->GetSwapChain();
    EXPECT_TRUE(mScripted->SetSize(0, 80));
    EXPECT_EQ(mScripted->GetSwapChain(), swapChain);
    EXPECT_EQ(mScripted->GetSwapChainWidth(), kWidth);
    EXPECT_TRUE(mScripted->SetSize(100, 80));
    EXPECT_EQ(mScripted->GetSwapChainWidth(), 100u);
    EXPECT_EQ(mScripted->GetSwapChainHeight(), 80u);
    D3DPRESENT_PARAMETERS parameters;
    ASSERT_TRUE(SUCCEEDED(mScripted->GetSwapChain()->GetPresentParameters(&parameters)));
    EXPECT_EQ(parameters.BackBufferWidth, 100u);
    EXPECT_TRUE(mScripted->SetSize(kWidth, kHeight));
    ExpectFrameDrawn();
}

TEST_F(DisplayInterfaceTest, FailedPresentEndsTheProgram)
{
    mScripted->mPresentResults.push_back(D3DERR_INVALIDCALL);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(mScripted->SwapBuffers(mRunState.get()));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Win32::Dx9DisplayInterface::SwapBuffers(): Failed to present swap chain, error=" +
                  std::to_string(int(D3DERR_INVALIDCALL)) + "\n");
    EXPECT_FALSE(mScripted->IsDeviceLost());
}

} // namespace
} // namespace Vorn
