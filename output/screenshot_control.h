// The engine's screenshot control as the game calls it: ask for a picture of the current frame,
// wait until it is ready, read it. Implemented by the engine core.
#pragma once

#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

namespace Resource {
class IImage;
}

class IScreenshotControl : public IControlable
{
public:
    // False while a request is pending.
    virtual Bool RequestScreenshot() = 0;
    virtual Bool RequestRelease() = 0;
    virtual Bool IsBusy() const = 0;
    virtual Bool IsReady() const = 0;
    // The picture once ready and no request is pending, else null.
    virtual Resource::IImage* GetImage() = 0;
};

} // namespace Vorn
