#include "game/level_select_overlay.h"

#include "graph/namespace.h"
#include "graph/node.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

LevelSelectOverlay::LevelSelectOverlay(AppContext* context) : mContext(context) {}

Bool LevelSelectOverlay::Init(Logic::IState* state)
{
    return mRoot.GetReference(state->GetGraphRoot(), String("/overlaymap"))->IsValid();
}

Bool LevelSelectOverlay::DeInit()
{
    return mRoot.Remove();
}

void LevelSelectOverlay::SetShown(Bool shown)
{
    if (mRoot.GetNode() != nullptr)
        mRoot.GetNode()->SetActiveAndVisible(shown);
}

Bool LevelSelectOverlay::IsShown() const
{
    return mRoot.GetNode() != nullptr && mRoot.GetNode()->IsActiveAndVisible();
}

} // namespace App
} // namespace Vorn
