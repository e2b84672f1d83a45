// Screenshots for logic code: a request from any thread, served on the main thread at the end of
// the engine's BeginFrame, right after the frame was drawn; the picture is then read as an image.
#pragma once

#include "foundation/types.h"

namespace Vorn {

namespace Resource {
class IImage;
}

class IScreenshotControl
{
public:
    // False while a request is pending.
    virtual Bool RequestScreenshot() = 0;
    // Frees the held picture at the next frame; false while a request is pending.
    virtual Bool RequestRelease() = 0;
    virtual Bool IsBusy() const = 0;
    virtual Bool IsReady() const = 0;
    // The picture of the last request; null while a request is pending or when there is none.
    virtual const Resource::IImage* GetImage() const = 0;
    virtual ~IScreenshotControl() {}
};

} // namespace Vorn
