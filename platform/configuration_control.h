// The platform's configuration control as the game calls it: the game's quit request, and the
// window requests (full screen, cursor, mouse mode) that configuration changes raise. Implemented
// by the platform layer.
#pragma once

#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

class IConfigurationControl : public IControlable
{
public:
    // Asks the main loop to end; the request stays set.
    virtual void Quit() = 0;
    virtual Bool IsQuitRequested() const = 0;
};

} // namespace Vorn
