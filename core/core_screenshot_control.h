// The engine's screenshot control: the engine adds it to the device handler as a control and
// runs its Process on the main thread once per frame. One lock guards all of its state, so a
// request from the logic thread waits while a picture is taken.
#pragma once

#include "foundation/mutex.h"
#include "output/screenshot_control.h"

namespace Vorn {

class IConfiguration;

namespace Display {
class IRenderer;
}

namespace Resource {
class Factory;
class RawImage;
} // namespace Resource

namespace Core {

class ScreenshotControl : public IScreenshotControl
{
public:
    // None of the three is owned.
    ScreenshotControl(Resource::Factory* resourceFactory, const IConfiguration* configuration,
                      Display::IRenderer* displayRenderer);
    // Destroys the held picture.
    ~ScreenshotControl() override;

    ScreenshotControl(const ScreenshotControl&) = delete;
    ScreenshotControl& operator=(const ScreenshotControl&) = delete;

    // Serves a pending request.
    void Process() override;
    // Nothing to publish per logic step, and no setting to follow.
    void Update() override;
    void ConfigChanged(IConfiguration* configuration, UInt32 stamp) override;

    Bool RequestScreenshot() override;
    Bool RequestRelease() override;
    Bool IsBusy() const override;
    Bool IsReady() const override;
    Resource::IImage* GetImage() override;

private:
    // Sets the request's flag unless one is pending.
    Bool Request(Bool& request);
    // Takes the current frame into the held image (a new one when the display size changed);
    // false when the renderer refused or no image could be made.
    Bool CreateScreenshot();

    Resource::Factory* mResourceFactory;
    const IConfiguration* mConfiguration;
    Display::IRenderer* mDisplayRenderer;
    Bool mIsBusy;
    Bool mIsReady;
    Bool mTakeRequested;
    Bool mReleaseRequested;
    Resource::RawImage* mImage;
    mutable System::Mutex mLock;
};

} // namespace Core
} // namespace Vorn
