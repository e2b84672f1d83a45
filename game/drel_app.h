// The game as the engine sees it: the factory writes the game's start-up settings, InitApp
// creates the logic root and registers every package of the game, DeInitApp destroys the root.
#pragma once

#include "core/app.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {
class IConfiguration;

namespace App {

class DrelLogic;

class DrelApp : public IApp
{
public:
    // The configuration is borrowed from the platform layer.
    explicit DrelApp(IConfiguration* configuration);
    ~DrelApp() override;

    void GetGraphNodeClasses(Array<const Graph::NodeClassInfo*>& classes) override;
    void GetDisplayObjectClasses(Array<const Display::ClassInfo*>& classes) override;
    Bool InitApp(Logic::IFactory* factory, ILoader* loader) override;
    void DeInitApp(Logic::IFactory* factory, ILoader* loader) override;

    // The display-size classes ("1280", "1024", "800" or "512") of the resource packages: the
    // primary one for menus, end screen and backgrounds, the secondary one for game and
    // application graphics.
    static void ChooseDisplayClasses(const IConfiguration* configuration, Float longSide, Float shortSide,
                                     String& primary, String& secondary);

    DrelLogic* GetLogic() const { return mLogic; }
    Float GetLongSide() const { return mLongSide; }
    Float GetShortSide() const { return mShortSide; }

private:
    DrelApp(const DrelApp&) = delete;
    DrelApp& operator=(const DrelApp&) = delete;

    DrelLogic* mLogic;
    IConfiguration* mConfiguration;
    Float mLongSide;
    Float mShortSide;
};

// Writes the game's settings into the configuration and makes the application object; null
// when it cannot be made.
IApp* CreateApp(IConfiguration* configuration);
// Null does nothing.
void DestroyApp(IApp* app);

} // namespace App
} // namespace Vorn
