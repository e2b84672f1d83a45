// The Escape key on the menu, map and game stages: it only leaves full screen.
#pragma once

namespace Vorn {
namespace Logic {
class IState;
}

namespace App {

void LeaveFullScreenOnEscape(Logic::IState* state);

} // namespace App
} // namespace Vorn
