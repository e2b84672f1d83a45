#include "game/app_context.h"

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

AppContext::AppContext(Logic::IFactory* factory, Float longSide, Float shortSide)
    : mAppProcessor(factory, &mGameState, longSide, shortSide),
      mSoundContainer(&mGameState),
      // Particles follow the game's speed, as the play field's other effects do.
      mParticles(&mGameState),
      mOnlineScores(&mHighscores)
{
}

AppContext::~AppContext() {}

Bool AppContext::Init(Logic::IState* state, const String& basePath)
{
    Graph::IRoot* root = state->GetGraphRoot();
    Graph::INamespace* nameSpace = root != nullptr ? dynamic_cast<Graph::INamespace*>(root->GetRootNode()) : nullptr;
    if (nameSpace == nullptr)
        return false;
    if (!mGameState.Init(&mHighscores, state))
        return false;
    mGameState.SetSmallScreen(state->GetConfiguration()->GetScreenClass() == Enums::ScreenClass::SMALL);
    mSoundContainer.BuildTable(nameSpace);
    if (!mParticles.Init(nameSpace, basePath))
        return false;
    if (!mHighscores.Init(state))
        return false;
    if (!mScoresFonts.Init(nameSpace, basePath))
        return false;
    if (!mOnlineScores.Init(nameSpace, basePath))
        return false;
    return mPopup.Init(nameSpace, state->GetConfiguration()->GetLanguage());
}

Bool AppContext::DeInit()
{
    Bool result = mPopup.DeInit();
    result = mOnlineScores.DeInit() && result;
    result = mScoresFonts.DeInit() && result;
    if (mHighscores.IsBusy())
        result = mHighscores.CancelRequest() && result;
    result = mParticles.DeInit() && result;
    result = mSoundContainer.DeInit() && result;
    return mGameState.SavePlayerData() && result;
}

} // namespace App
} // namespace Vorn
