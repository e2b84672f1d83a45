// The world map's processor. For now it holds the level chooser and the map state that the map
// stage reads; the map, its markers and signs come later.
#pragma once

#include "foundation/types.h"
#include "game/level_select_overlay.h"
#include "logic/base_child_processor.h"

namespace Vorn {
namespace App {

class AppContext;

class MapProcessor : public Logic::BaseChildProcessor
{
public:
    // Map states that the map stage acts on.
    enum State : UInt32
    {
        kIdle = 0,
        kIntro = 1,
        kBackToMenu = 2,
        kStartGame = 3,
    };

    MapProcessor(Logic::IFactory* factory, AppContext* context);

    // Binds the level chooser; false when its nodes are missing.
    Bool OnInit(Logic::IState* state) override;
    Bool OnDeInit(Logic::IState* state) override;

    void Reset();
    void StartIntro();

    AppContext* GetContext() const { return mContext; }
    State GetState() const { return mState; }
    void SetState(State state) { mState = state; }
    LevelSelectOverlay* GetLevelChooser() { return &mLevelChooser; }

private:
    AppContext* mContext;
    LevelSelectOverlay mLevelChooser;
    State mState;
};

} // namespace App
} // namespace Vorn
