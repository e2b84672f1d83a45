// The application-wide objects of the game in one place: the game state with the player data,
// the application processor, the sound table, the particle pool, the high-score client, the score
// rows and the pop-up. The logic root holds it; stages, processors and the play field reach the
// objects through it.
#pragma once

#include "foundation/string.h"
#include "foundation/types.h"
#include "game/app_processor.h"
#include "game/game_state.h"
#include "game/halvex_highscores.h"
#include "game/online_scores_font.h"
#include "game/play/particles.h"
#include "game/popup.h"
#include "game/scores_font.h"
#include "game/sound_container.h"

namespace Vorn {
namespace Logic {
class IFactory;
class IState;
} // namespace Logic

namespace App {

class AppContext
{
public:
    AppContext(Logic::IFactory* factory, Float longSide, Float shortSide);
    ~AppContext();

    // Stops at the first step that fails; what was set up before stays for DeInit.
    Bool Init(Logic::IState* state, const String& basePath);
    // Runs every step; false when any failed, the save of the player data included.
    Bool DeInit();

    GameState* GetGameState() { return &mGameState; }
    AppProcessor* GetAppProcessor() { return &mAppProcessor; }
    SoundContainer* GetSoundContainer() { return &mSoundContainer; }
    ParticleContainer* GetParticleContainer() { return &mParticles; }
    HalvexHighscores* GetHighscores() { return &mHighscores; }
    ScoresFontContainer* GetScoresFontContainer() { return &mScoresFonts; }
    OnlineScoresFontHandler* GetOnlineScoresFontHandler() { return &mOnlineScores; }
    Popup* GetPopup() { return &mPopup; }

private:
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    GameState mGameState;
    AppProcessor mAppProcessor;
    SoundContainer mSoundContainer;
    ParticleContainer mParticles;
    HalvexHighscores mHighscores;
    ScoresFontContainer mScoresFonts;
    OnlineScoresFontHandler mOnlineScores;
    Popup mPopup;
};

} // namespace App
} // namespace Vorn
