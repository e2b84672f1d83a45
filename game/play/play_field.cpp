#include "game/play/play_field.h"

#include "game/app_context.h"
#include "graph/root.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

Playfield::Playfield(AppContext* context)
    : mContext(context), mViewWidth(0.0f), mViewHeight(0.0f), mNumberOfViewScales(0)
{
}

Bool Playfield::Init(Logic::IState* state, const String& basePath)
{
    Graph::IRoot* root = state->GetGraphRoot();
    Graph::INode* framebuffer = root->FindNode(basePath + "/framebuffer");
    if (framebuffer != nullptr) {
        mFramebuffer.GetReference(framebuffer);
        framebuffer->RemoveReference();
    }
    return true;
}

Bool Playfield::DeInit()
{
    return mFramebuffer.Remove();
}

void Playfield::SetViewScale(Float width, Float height)
{
    mViewWidth = width;
    mViewHeight = height;
    ++mNumberOfViewScales;
}

GameState* Playfield::GetGameState() const
{
    return mContext->GetGameState();
}

SoundContainer* Playfield::GetSoundContainer() const
{
    return mContext->GetSoundContainer();
}

} // namespace App
} // namespace Vorn
