#include "game/stage_end.h"

#include "foundation/text.h"
#include "game/app_context.h"
#include "graph/display_text.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/time/timeline.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kFanfare = 8;

String Text(Logic::IState* state, const char* id)
{
    const char* text =
        state->GetResourceCollection() != nullptr ? state->GetResourceCollection()->GetText(String(id)) : nullptr;
    return String(text != nullptr ? text : "");
}

void Show(Logic::GraphINode& node, Bool shown)
{
    if (node.GetNode() != nullptr)
        node.GetNode()->SetActiveAndVisible(shown);
}

} // namespace

StageEnd::StageEnd(Logic::IFactory* factory, AppContext* context)
    : Logic::BaseStage(factory, String("end_stage_id"), String("end_stage")), mContext(context), mInfoShown(false)
{
}

Bool StageEnd::OnInit(Logic::IState* state, Logic::IStageProcessor*)
{
    mStage->CreateStageTimeline(state, String("/stage_end/screen_timeline"), 0.5f, 1.0f);
    Graph::IRoot* root = state->GetGraphRoot();
    // A missing node leaves its reference unbound; the screen then does without it.
    mPicture.GetReference(root, String("/stage_end/pic"));
    mInfo.GetReference(root, String("/stage_end/info"));
    mPictureTimeline.GetReference(root, String("/stage_end/pic_timeline"));
    mBackButton.GetReference(root, String("/stage_end/button_back"));
    mCancelButton.GetReference(root, String("/stage_end/button_cancel"));
    mText.GetReference(root, String("/stage_end/text"));
    mProcessor->AddStepable(mTimeline.GetTimeline());
    return true;
}

Bool StageEnd::OnDeInit(Logic::IState*, Logic::IStageProcessor*)
{
    Bool result = mPicture.Remove();
    result = mInfo.Remove() && result;
    result = mPictureTimeline.Remove() && result;
    result = mBackButton.Remove() && result;
    result = mCancelButton.Remove() && result;
    return mText.Remove() && result;
}

void StageEnd::OnStageStart(Logic::IState*, Logic::IStageProcessor*)
{
    if (mPictureTimeline.Get() != nullptr)
        mPictureTimeline.Get()->Rewind();
    Show(mPicture, true);
    Show(mInfo, false);
    mInfoShown = false;
    mTimeline.GetTimeline()->SetEndTime(2.0f);
    mTimeline.GetTimeline()->Rewind();
    mTimeline.GetTimeline()->Start();
    mContext->GetSoundContainer()->PauseMusic();
    mContext->GetSoundContainer()->Play(kFanfare);
}

Bool StageEnd::WasClicked(const Logic::GraphEventT<Graph::IButton, Graph::IButtonEvent>& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasReleasedInside();
}

void StageEnd::OnStageRunning(Logic::IState* state, Logic::IStageProcessor*)
{
    Logic::Timeline* timeline = mTimeline.GetTimeline();
    Graph::ITimeline* pictureTimeline = mPictureTimeline.Get();
    if (!mInfoShown) {
        if (pictureTimeline != nullptr && pictureTimeline->WasStopped()) {
            Show(mPicture, false);
            mInfoShown = true;
            return;
        }
        if (!WasClicked(mBackButton) || timeline->IsRunning())
            return;
        GameState* gameState = mContext->GetGameState();
        if (!gameState->IsCampaignComplete()) {
            mStage->RequestStop();
            return;
        }
        Show(mInfo, true);
        if (mText.Get() != nullptr) {
            const PlayerData* player = gameState->GetCurrentPlayer();
            char multiplier[16];
            Util::PrintToBuffer(multiplier, sizeof(multiplier), "%d", player != nullptr ? SInt32(player->GetPass()) : 0);
            mText.Get()->SetText(Text(state, "texts:end_text2") + multiplier + Text(state, "texts:end_text3"));
        }
        timeline->SetEndTime(10.0f);
        timeline->Rewind();
        timeline->Start();
        if (pictureTimeline != nullptr) {
            pictureTimeline->Start();
        } else {
            Show(mPicture, false);
            mInfoShown = true;
        }
        return;
    }
    if (pictureTimeline != nullptr && pictureTimeline->IsRunning())
        return;
    if ((WasClicked(mCancelButton) && timeline->GetCurrentTime() >= 1.0) || timeline->IsEnded())
        mStage->RequestStop();
}

void StageEnd::OnStageIdle(Logic::IState*, Logic::IStageProcessor*)
{
    SetCommand(mContext->GetGameState()->IsLevelChosen() ? kGameToMenu : kGameToMap);
}

} // namespace App
} // namespace Vorn
