// The tutorial's part of the player processor: the hints of levels 1 and 10, each with its
// text, target, forced colours, cover and the test that accepts only a click at the target.
#include "foundation/math.h"
#include "game/app_processor.h"
#include "game/game_state.h"
#include "game/helpers.h"
#include "game/play/animal.h"
#include "game/play/play_field.h"
#include "game/play/player_processor.h"
#include "game/play/weapon.h"
#include "graph/display_text.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

namespace {

enum class Cover : UInt32
{
    Unchanged,
    Hidden,
    // Cleared, given the row's centre and corners, and shown, with the held object above it.
    Shown,
};

enum class Target : UInt32
{
    Fixed,
    // Scaled by half the view width over 640.
    ViewScaled,
    // Placed by the view: (260, height / 2 - 200) without a bar offset, else (270, 210).
    FirstHint,
};

struct TutorialRow
{
    UInt32 mLevel;
    UInt32 mStep;
    const char* mTextId;
    Cover mCover;
    Float mCentre[2];
    Float mCorners[5][2];
    Bool mHideArrow;
    SInt32 mLoadedKind; // -1: unchanged
    SInt32 mNextKind;
    Target mTarget;
    Float mTargetX;
    Float mTargetY;
    Bool mAnyWhere;
    UInt32 mPlayState; // 0: unchanged
    Float mRowA[3];    // a, b, c
    Float mRowB[3];    // e, f, g
    UInt32 mRadius;
};

const TutorialRow kTutorialRows[] = {
    {1, 1, "texts:tutorial1_1", Cover::Shown, {80, 50}, {{500, 800}, {-800, 800}, {-800, -800}, {800, -800}, {800, 300}},
     false, 13, 10, Target::FirstHint, 0, 0, false, 0, {1, 1, 0.33f}, {1, 1, 1.1f}, 80},
    {1, 2, "texts:tutorial1_2", Cover::Hidden, {0, 0}, {}, false, -1, 6, Target::ViewScaled, 300, 120, false, 0,
     {1, 1, 0.2f}, {1, 1, 0.9f}, 80},
    {1, 3, "texts:tutorial1_3", Cover::Unchanged, {0, 0}, {}, false, -1, 11, Target::ViewScaled, 320, 50, false, 0,
     {1, 1, 0.0f}, {1, 1, 0.45f}, 80},
    {1, 4, "texts:tutorial1_4", Cover::Unchanged, {0, 0}, {}, false, -1, -1, Target::ViewScaled, 290, 160, false, 0,
     {1, 1, 0.2f}, {1, 1, 1.3f}, 80},
    {10, 1, "texts:tutorial10_1", Cover::Unchanged, {0, 0}, {}, false, -1, -1, Target::Fixed, -180, 100, true,
     PlayerProcessor::PlayTutorialAnywhere, {0, 0, 0}, {0, 0, 0}, 80},
    {10, 2, "texts:tutorial10_2", Cover::Shown, {96, 0}, {{250, -800}, {-800, -800}, {-800, 800}, {250, 800}, {250, 800}},
     true, -1, -1, Target::Fixed, 100, -40, false, PlayerProcessor::PlayTutorialWeapon, {1, -1, -8}, {1, 1, 8}, 10},
};

const TutorialRow* FindRow(UInt32 level, UInt32 step)
{
    for (const TutorialRow& row : kTutorialRows) {
        if (row.mLevel == level && row.mStep == step)
            return &row;
    }
    return nullptr;
}

} // namespace

Bool PlayerProcessor::ShowTutorialStep(UInt32 level, UInt32 step, Logic::IState* state)
{
    const AppProcessor* app = mPlayfield->GetAppProcessor();
    const Float grid = app != nullptr && app->GetUnitsPerPixel() > 0.0f ? app->GetUnitsPerPixel() : 1.0f;
    mTutorialRowA = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    mTutorialRowB = Math::Vector<Float>(0.0f, 0.0f, 0.0f, 1.0f);
    mTutorialAnyWhere = false;
    mTutorialRadius = 80;
    if (Graph::INode* arrow = mTutorialArrow.GetNode())
        arrow->SetActiveAndVisible(true);
    if (Graph::ITransform* text = mTutorialTextTransform.Get()) {
        const Math::Matrix<float>& m = static_cast<const Graph::ITransform*>(text)->GetTransform();
        const Float x = m[12];
        const Float y = m[13];
        text->SetPositionX(AlignToPixelGrid(x, 0.0f, grid));
        text->SetPositionY(AlignToPixelGrid(y, 0.0f, grid));
    }

    const TutorialRow* row = FindRow(level, step);
    if (row == nullptr)
        return false;

    if (row->mCover == Cover::Hidden) {
        mConcealer.Hide();
    } else if (row->mCover == Cover::Shown) {
        mConcealer.ClearCorners();
        mConcealer.SetCentre(row->mCentre[0], row->mCentre[1], 0.0f, 0.0f);
        for (const auto& corner : row->mCorners)
            mConcealer.AddCorner(corner[0], corner[1], 0.0f, 0.0f);
        mConcealer.Show();
        if (level == 1 && mLoadedAnimal != nullptr)
            mLoadedAnimal->SetDepthOrder(RaisedDepthOrder);
        if (level != 1 && mLoadedWeapon != nullptr)
            mLoadedWeapon->SetDepthOrder(RaisedDepthOrder);
    }
    if (row->mHideArrow) {
        if (Graph::INode* arrow = mTutorialArrow.GetNode())
            arrow->SetActiveAndVisible(false);
    }
    if (row->mLoadedKind >= 0 && mLoadedAnimal != nullptr)
        mLoadedAnimal->SetAnimal(row->mLoadedKind);
    if (row->mNextKind >= 0 && mNextAnimal != nullptr)
        mNextAnimal->SetAnimal(row->mNextKind);

    Resource::ICollection* texts = state != nullptr ? state->GetResourceCollection() : nullptr;
    const char* text = texts != nullptr ? texts->GetText(String(row->mTextId)) : nullptr;
    if (Graph::IDisplayText* node = mTutorialText.Get())
        node->SetText(String(text != nullptr ? text : ""));

    Float x = row->mTargetX;
    Float y = row->mTargetY;
    if (row->mTarget == Target::ViewScaled) {
        const Float k = mGameState->GetViewWidth() * 0.5f / 640.0f;
        x *= k;
        y *= k;
    } else if (row->mTarget == Target::FirstHint) {
        x = mGameState->GetViewOffset() == 0.0f ? 260.0f : 270.0f;
        y = mGameState->GetViewOffset() == 0.0f ? mGameState->GetViewHeight() * 0.5f - 200.0f : 210.0f;
    }
    mTutorialTarget.x = AlignToPixelGrid(x, 0.0f, grid);
    mTutorialTarget.y = AlignToPixelGrid(y, 0.0f, grid);
    mTutorialRowA = Math::Vector<Float>(row->mRowA[0], row->mRowA[1], row->mRowA[2], 0.0f);
    mTutorialRowB = Math::Vector<Float>(row->mRowB[0], row->mRowB[1], row->mRowB[2], 0.0f);
    mTutorialRadius = row->mRadius;
    mTutorialAnyWhere = row->mAnyWhere;
    if (row->mPlayState != 0)
        mGameState->SetPlayState(row->mPlayState);
    return true;
}

void PlayerProcessor::SetTutorialTimeScales(Float scale)
{
    SetLauncherTimeScale(scale);
}

void PlayerProcessor::HandleTutorial(Logic::IState* state)
{
    Graph::INode* tutorial = mTutorial.GetNode();
    Graph::ITimeline* timeline = mTutorialTimeline.Get();
    if (tutorial != nullptr && tutorial->IsActiveAndVisible()) {
        // The hint's animation repeats while it shows.
        if (timeline != nullptr && timeline->WasStopped()) {
            timeline->Rewind();
            timeline->Start();
        }
        return;
    }
    if (mNextSizeAnim.GetTimeline()->IsRunning() || mGameState->IsZen())
        return;
    if (ShowTutorialStep(mGameState->GetLevel(), mTutorialStep, state)) {
        if (tutorial != nullptr)
            tutorial->SetActiveAndVisible(true);
        if (timeline != nullptr) {
            timeline->Rewind();
            timeline->Start();
        }
        if (Graph::ITransform* position = mTutorialPosition.Get()) {
            position->SetPositionX(mTutorialTarget.x);
            position->SetPositionY(mTutorialTarget.y);
        }
        SetTutorialTimeScales(0.5f);
        SetAirstrikeButton(false, 0.2f);
        mTutorialDimmed = true;
    } else {
        mConcealer.Hide();
        SetLaunchSpeed(mLaunchSpeed);
        SetAirstrikeButton(true, 1.0f);
        mTutorialDimmed = false;
    }
}

Bool PlayerProcessor::AcceptsTutorialClick(const Math::Vector<Float>& aim, const Weapon* weapon) const
{
    if (mTutorialAnyWhere)
        return weapon != nullptr;
    const Float dx = mTutorialTarget.x - aim.x;
    const Float dy = mTutorialTarget.y - aim.y;
    const Float r = Float(mTutorialRadius);
    if (dx * dx + dy * dy <= r * r)
        return true;
    // Else the click must aim into the wedge between the two slopes (c / a and g / e).
    const Float s = aim.y / aim.x;
    const Float a = mTutorialRowA.x;
    const Float e = mTutorialRowB.x;
    return s * a > mTutorialRowA.z && aim.x * a > 0.0f && mTutorialRowB.z > s * e && aim.x * e > 0.0f;
}

} // namespace App
} // namespace Vorn
