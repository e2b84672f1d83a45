#include "game/menu_processor.h"

namespace Vorn {
namespace App {

MenuProcessor::MenuProcessor(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser)
    : Logic::BaseChildProcessor(factory), mMenuState(0), mContext(context), mLevelChooser(levelChooser)
{
}

void MenuProcessor::EnterMenu(Logic::IDeviceHandler*)
{
    mMenuState = 0;
}

} // namespace App
} // namespace Vorn
