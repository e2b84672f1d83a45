#include "game/level_select_overlay.h"

#include <cstdio>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/player_data.h"
#include "game/sound_container.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kColumns = 5;
constexpr UInt32 kRows = 4;
constexpr UInt32 kPageSize = kColumns * kRows;
constexpr UInt32 kClickSound = 9;
constexpr Float kSwipeDistance = 50.0f;
// Below this visible height the back button moves up so that it stays on the screen.
constexpr Float kShortScreenHeight = 800.0f;
constexpr Float kShortScreenBackY = -320.0f;

Float Snap(Float position)
{
    return AlignToPixelGrid(position, 0.0f);
}

} // namespace

LevelSelectOverlay::LevelSelectOverlay(AppContext* context)
    : mContext(context), mPageTurnPending(false), mPageTurnDirection(kNext), mFirstLevel(1), mLockCurrent(false),
      mTouchStart(0.0f, 0.0f, 0.0f, 1.0f), mPressAllowed(true)
{
}

void LevelSelectOverlay::Observe(Logic::GraphINode* reference)
{
    mNodeObserver.GetNodeObserver()->Add(reference);
}

Bool LevelSelectOverlay::Init(Logic::IState* state)
{
    Graph::IRoot* graphRoot = state->GetGraphRoot();
    Graph::INamespace* root =
        graphRoot != nullptr ? dynamic_cast<Graph::INamespace*>(graphRoot->GetRootNode()) : nullptr;
    if (root == nullptr)
        return false;
    Observe(mRoot.GetReference(root, String("/overlaymap")));
    Observe(mTimeline.GetReference(root, String("/overlaymap/overlay_map_timeline")));
    Observe(mBackEvents.GetReference(root, String("/overlaymap/button_back")));
    Observe(mBackPosition.GetReference(root, String("/overlaymap/button_back")));
    Observe(mLeftEvents.GetReference(root, String("/overlaymap/button_left")));
    Observe(mRightEvents.GetReference(root, String("/overlaymap/button_right")));
    if (!mNodeObserver.GetNodeObserver()->AreAllValid() || !mLevelpapers.Init(root))
        return false;
    mPageTurnPending = false;
    mPageTurnDirection = kNext;
    mFirstLevel = 1;
    SetShown(false);
    mLevelpapers.ReleaseAll();
    return true;
}

Bool LevelSelectOverlay::DeInit()
{
    const Bool papers = mLevelpapers.DeInit();
    return mNodeObserver.GetNodeObserver()->RemoveAll() && papers;
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

void LevelSelectOverlay::PlayTimeline(Real startTime, Real endTime, Real timeScale)
{
    Graph::ITimeline* timeline = mTimeline.Get();
    timeline->SetStartTime(startTime);
    timeline->SetEndTime(endTime);
    timeline->SetTimeScale(timeScale);
    timeline->Rewind();
    timeline->Start();
}

const PlayerData* LevelSelectOverlay::GetPlayer() const
{
    return mContext->GetGameState()->GetCurrentPlayer();
}

UInt32 LevelSelectOverlay::GetNumberOfLevels() const
{
    const PlayerData* player = GetPlayer();
    return player != nullptr ? player->GetLevelCount() : 0;
}

void LevelSelectOverlay::Open(Bool lockCurrent)
{
    if (!mTimeline.IsValid())
        return;
    mLockCurrent = lockCurrent;
    BuildPage();
    SetShown(true);
    PlayTimeline(0.0, 0.25, 1.0);
    if (mContext->GetGameState()->GetViewHeight() < kShortScreenHeight)
        mBackPosition.Get()->SetPositionY(Snap(kShortScreenBackY));
}

void LevelSelectOverlay::Close()
{
    if (mTimeline.IsValid())
        PlayTimeline(0.25, 0.0, 1.0);
}

void LevelSelectOverlay::BuildPage()
{
    mLevelpapers.ReleaseAll();
    const PlayerData* player = GetPlayer();
    if (player == nullptr)
        return;
    const UInt32 levels = player->GetLevelCount();
    const UInt32 reached = player->GetFrontier();
    const Bool round2 = player->GetPass() >= 2;
    for (UInt32 row = 0; row < kRows; ++row) {
        for (UInt32 column = 0; column < kColumns; ++column) {
            const UInt32 level = mFirstLevel + kColumns * row + column;
            const PlayerLevelData* record = level < levels ? player->GetLevel(level) : nullptr;
            if (record == nullptr)
                continue;
            Levelpaper* paper = mLevelpapers.Obtain();
            if (paper == nullptr)
                continue;
            char number[16];
            std::snprintf(number, sizeof(number), "%u", unsigned(level));
            paper->SetStageText(mCaption + number);
            paper->SetPosition(Snap(196.0f * Float(column) - 396.0f), Snap(236.0f - 170.0f * Float(row)));
            paper->UpdateTransform();
            if (level < reached || round2) {
                paper->SetEnabled(true);
                paper->SetSelect(1);
                paper->SetStars(SInt32(record->GetStars()));
            } else if (level == reached && !mLockCurrent) {
                paper->SetEnabled(true);
                paper->SetSelect(1);
                paper->SetStars(-1);
            } else {
                paper->SetEnabled(false);
                paper->SetSelect(0);
                paper->SetStars(-1);
            }
        }
    }
}

void LevelSelectOverlay::StartPageTurn(UInt32 direction)
{
    if (!mTimeline.IsValid() || mTimeline.Get()->IsRunning())
        return;
    mPageTurnDirection = direction;
    mPageTurnPending = true;
    if (direction == kNext)
        PlayTimeline(20.0, 20.5, 2.0);
    else
        PlayTimeline(10.0, 10.5, 2.0);
}

void LevelSelectOverlay::SetFirstLevel(UInt32 level)
{
    const UInt32 levels = GetNumberOfLevels();
    // The last page starts at the last multiple of 20 plus 1 below the last level.
    const UInt32 lastPage = levels >= 2 ? ((levels - 2) / kPageSize) * kPageSize + 1 : 1;
    if (level < 1)
        level = 1;
    const UInt32 page = ((level - 1) / kPageSize) * kPageSize + 1;
    mFirstLevel = page > lastPage ? lastPage : page;
}

void LevelSelectOverlay::Update()
{
    if (!IsShown() || !mTimeline.IsValid())
        return;
    Graph::ITimeline* timeline = mTimeline.Get();
    if (!timeline->IsRunning()) {
        if (timeline->GetCurrentTime() == 0.0)
            SetShown(false);
        if (mPageTurnPending) {
            const UInt32 levels = GetNumberOfLevels();
            const UInt32 last = levels > 0 ? levels - 1 : 0;
            if (mPageTurnDirection == kNext) {
                mFirstLevel += kPageSize;
                if (mFirstLevel > last)
                    mFirstLevel = 1;
                PlayTimeline(21.0, 21.5, 2.0);
            } else {
                mFirstLevel = mFirstLevel > kPageSize ? mFirstLevel - kPageSize : 0;
                if (mFirstLevel < 1)
                    mFirstLevel = levels >= 2 ? ((levels - 2) / kPageSize) * kPageSize + 1 : 1;
                PlayTimeline(11.0, 11.5, 2.0);
            }
            mPageTurnPending = false;
            BuildPage();
        }
    }
    if (WasPressed(mLeftEvents)) {
        mContext->GetSoundContainer()->Play(kClickSound);
        StartPageTurn(kPrevious);
    } else if (WasPressed(mRightEvents)) {
        mContext->GetSoundContainer()->Play(kClickSound);
        StartPageTurn(kNext);
    }
}

void LevelSelectOverlay::SetTouchStart(const Math::Vector<Float>& position)
{
    mTouchStart = position;
    mPressAllowed = true;
}

void LevelSelectOverlay::HandleSwipe(const Math::Vector<Float>& position)
{
    if (!mTimeline.IsValid() || mTimeline.Get()->IsRunning() || mPageTurnPending)
        return;
    if (position.x > mTouchStart.x + kSwipeDistance)
        StartPageTurn(kPrevious);
    else if (position.x < mTouchStart.x - kSwipeDistance)
        StartPageTurn(kNext);
    else
        return;
    mTouchStart = position;
    mPressAllowed = false;
}

SInt32 LevelSelectOverlay::GetPressedLevel() const
{
    if (!mPressAllowed)
        return -1;
    const SInt32 index = mLevelpapers.GetPressedIndex();
    return index < 0 ? -1 : SInt32(mFirstLevel) + index;
}

Bool LevelSelectOverlay::WasPressed(const ButtonEvents& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasPressed();
}

Bool LevelSelectOverlay::IsBackPressed() const
{
    return WasPressed(mBackEvents);
}

} // namespace App
} // namespace Vorn
