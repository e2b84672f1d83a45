#include "game/stage_escape.h"

#include "foundation/configuration.h"
#include "logic/device_handler.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {
constexpr UInt32 kEscapeKey = 1;
}

void LeaveFullScreenOnEscape(Logic::IState* state)
{
    IConfiguration* configuration = state->GetConfiguration();
    if (state->GetDeviceHandler()->WasRawKeyPressed(kEscapeKey) && configuration->GetFullScreen())
        configuration->SetFullScreen(false);
}

} // namespace App
} // namespace Vorn
