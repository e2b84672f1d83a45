// The main menu's processor. For now it holds the menu state that the menu stage reads; the
// menu pages, profiles and pop-ups come later.
#pragma once

#include "foundation/types.h"
#include "logic/base_child_processor.h"

namespace Vorn {
namespace Logic {
class IDeviceHandler;
}

namespace App {

class AppContext;
class LevelSelectOverlay;

class MenuProcessor : public Logic::BaseChildProcessor
{
public:
    // Menu states that the menu stage acts on.
    static constexpr UInt32 kStayInMenu = 8;
    static constexpr UInt32 kGoToMap = 9;
    static constexpr UInt32 kStartGame = 10;

    MenuProcessor(Logic::IFactory* factory, AppContext* context, LevelSelectOverlay* levelChooser);

    // The menu comes up (again): state 0.
    void EnterMenu(Logic::IDeviceHandler* devices);

    AppContext* GetContext() const { return mContext; }
    LevelSelectOverlay* GetLevelChooser() const { return mLevelChooser; }

    UInt32 mMenuState;

private:
    AppContext* mContext;
    LevelSelectOverlay* mLevelChooser;
};

} // namespace App
} // namespace Vorn
