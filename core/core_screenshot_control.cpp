#include "core/core_screenshot_control.h"

#include "display/renderer.h"
#include "foundation/configuration.h"
#include "foundation/debug.h"
#include "resource/display_surface.h"
#include "resource/factory.h"
#include "resource/raw_image.h"

namespace Vorn {
namespace Core {

ScreenshotControl::ScreenshotControl(Resource::Factory* resourceFactory, const IConfiguration* configuration,
                                     Display::IRenderer* displayRenderer)
    : mResourceFactory(resourceFactory),
      mConfiguration(configuration),
      mDisplayRenderer(displayRenderer),
      mIsBusy(false),
      mIsReady(false),
      mTakeRequested(false),
      mReleaseRequested(false),
      mImage(nullptr)
{
}

ScreenshotControl::~ScreenshotControl()
{
    mResourceFactory->DestroyRawImage(mImage);
}

void ScreenshotControl::Process()
{
    System::MutexGuard guard(mLock);
    if (!mIsBusy)
        return;
    if (mReleaseRequested) {
        mResourceFactory->DestroyRawImage(mImage);
        mReleaseRequested = false;
        mIsBusy = false;
    }
    if (mTakeRequested) {
        // A refused picture ends the request without an image, so nobody reads stale pixels.
        mIsReady = CreateScreenshot();
        mTakeRequested = false;
        mIsBusy = false;
    }
}

void ScreenshotControl::Update() {}

void ScreenshotControl::ConfigChanged(IConfiguration*, UInt32) {}

Bool ScreenshotControl::CreateScreenshot()
{
    const Enums::ScreenOrientation orientation = mConfiguration->GetScreenOrientation();
    UInt32 width = mConfiguration->GetDisplaySurfaceWidth();
    UInt32 height = mConfiguration->GetDisplaySurfaceHeight();
    if (orientation == Enums::ScreenOrientation::LANDSCAPE_1 || orientation == Enums::ScreenOrientation::LANDSCAPE_2) {
        const UInt32 swapped = width;
        width = height;
        height = swapped;
    }
    if (mImage != nullptr && (mImage->GetWidth() != width || mImage->GetHeight() != height))
        mResourceFactory->DestroyRawImage(mImage);
    if (mImage == nullptr)
        mImage = mResourceFactory->CreateRawImage(width, height);

    IDisplaySurface* surface = mImage != nullptr ? mImage->CreateDisplaySurface(false) : nullptr;
    const Bool taken =
        surface != nullptr &&
        mDisplayRenderer->TakeScreenshot(surface, Enums::OrientationFlags(Enums::Value(orientation)));
    delete surface;
    if (!taken)
        Debug::Trace("Core::Engine::CreateScreenshot(): Failed to take screenshot");
    return taken;
}

Bool ScreenshotControl::Request(Bool& request)
{
    System::MutexGuard guard(mLock);
    if (mIsBusy)
        return false;
    mIsReady = false;
    mIsBusy = true;
    request = true;
    return true;
}

Bool ScreenshotControl::RequestScreenshot()
{
    return Request(mTakeRequested);
}

Bool ScreenshotControl::RequestRelease()
{
    return Request(mReleaseRequested);
}

Bool ScreenshotControl::IsBusy() const
{
    System::MutexGuard guard(mLock);
    return mIsBusy;
}

Bool ScreenshotControl::IsReady() const
{
    System::MutexGuard guard(mLock);
    return mIsReady;
}

Resource::IImage* ScreenshotControl::GetImage()
{
    System::MutexGuard guard(mLock);
    return mIsReady && !mIsBusy ? mImage : nullptr;
}

} // namespace Core
} // namespace Vorn
