#include "game/play/course_processor.h"

#include "foundation/configuration.h"
#include "foundation/enums.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/flying_object.h"
#include "game/play/play_field.h"
#include "game/play/play_seed.h"
#include "game/sound_container.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "logic/state.h"

namespace Vorn {
namespace App {

namespace {

// Play states this processor reads or writes.
constexpr UInt32 kLevelBegins = 1;
constexpr UInt32 kStarting = 4;
constexpr UInt32 kPlaying = 5;
constexpr UInt32 kLostSign = 8;
constexpr UInt32 kLost = 9;
constexpr UInt32 kSignHidden = 11;
constexpr UInt32 kWon = 12;
constexpr UInt32 kWonShown = 13;

constexpr UInt32 kSoundExplosion = 24;
constexpr UInt32 kSoundDescent = 27;
constexpr UInt32 kSoundExcellent = 60;
constexpr UInt32 kSoundHurryUp = 73;

} // namespace

CourseProcessor::CourseProcessor(Logic::IFactory* factory, Playfield* playfield)
    : PlayProcessor(factory, playfield), mHurryUpShown(false), mTimeOver(false), mLostTimer(0.0f)
{
    mRandom.Seed(GetPlaySeed());
}

CourseProcessor::~CourseProcessor() {}

Bool CourseProcessor::OnInit(Logic::IState* state)
{
    Graph::IRoot* root = state->GetGraphRoot();
    mProcessor->AddGraphNode(mHurryUp.GetReference(root, String("/stage_game/hurryup")));
    mProcessor->AddGraphNode(mHurryUpTimeline.GetReference(root, String("/stage_game/hurryup/timeline")));
    mProcessor->AddGraphNode(mSkull.GetReference(root, String("/stage_game/skull")));
    mProcessor->AddGraphNode(mSkullTimeline.GetReference(root, String("/stage_game/skull/timeline")));
    mProcessor->AddGraphNode(mSkullPosition.GetReference(root, String("/stage_game/skull/position")));
    return mPlayfield != nullptr;
}

Bool CourseProcessor::OnDeInit(Logic::IState*)
{
    return true;
}

void CourseProcessor::OnStep(Logic::IState* state)
{
    Step(state->GetCurrentTickDuration());
}

void CourseProcessor::OnAnimate(Logic::IState* state)
{
    const IConfiguration* configuration = state->GetConfiguration();
    if (configuration == nullptr || configuration->GetAppRunState() != Enums::AppRunState::RUNNING)
        return;
    if (mPlayfield->GetGameState()->IsRunning())
        mPlayfield->GetCourseHandler()->UpdateCourseStates();
}

void CourseProcessor::ResetWarnings()
{
    mHurryUpShown = false;
    mTimeOver = false;
}

void CourseProcessor::Step(Double dt)
{
    GameState* gameState = mPlayfield->GetGameState();
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    const UInt32 playState = gameState->GetPlayState();
    if (playState == kLevelBegins || playState == kStarting) {
        courses->StartPendingCourses();
        courses->UpdateCourseStates();
        ShowSign(mSkull, false);
    }
    if (playState == kStarting || playState == kPlaying) {
        PlayingStep(dt);
        return;
    }
    if (playState == kLostSign) {
        if (mLostTimer > 0.0f)
            mLostTimer -= Float(dt);
        if (!(mLostTimer > 0.0f)) {
            EndCourses();
            gameState->SetPlayState(kLost);
            PlaySound(kSoundExplosion);
        }
    } else if (playState == kSignHidden) {
        ShowSign(mSkull, false);
    } else if (playState == kWonShown) {
        courses->StepCourses(dt);
    }
}

void CourseProcessor::PlayingStep(Double dt)
{
    GameState* gameState = mPlayfield->GetGameState();
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    courses->FinishClearedCourses();
    courses->StepCourses(dt);
    courses->CollideCourses();
    courses->JoinCourses();
    courses->MatchCourses();
    if (!CheckWon() && !CheckLost())
        CheckTime();
    // A level won or lost in this step is decided; the launcher is reached only in play.
    if (gameState->IsRunning() && IsLauncherReached()) {
        gameState->SetPlayState(kLost);
        EndCourses();
        ShowSign(mHurryUp, false);
    }
    PlayIdleAnimations();
}

Bool CourseProcessor::CheckWon()
{
    GameState* gameState = mPlayfield->GetGameState();
    const FlyingObjectHandler* flying = mPlayfield->GetFlyingObjectHandler();
    if (mPlayfield->GetCourseHandler()->CountUnfinishedCourses() != 0 || flying->GetAnimalCount() != 0 ||
        flying->GetWeaponCount() != 0)
        return false;
    gameState->SetRunStars(gameState->StarsForTime(gameState->GetRunTime()));
    gameState->SetPlayState(kWon);
    mPlayfield->GetExplosionHandler()->StartFinishEffect(gameState->GetPosition());
    ShowSign(mHurryUp, false);
    PlaySound(kSoundExcellent);
    return true;
}

Bool CourseProcessor::CheckLost()
{
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    Math::Vector<Float> position(0.0f, 0.0f, 0.0f, 1.0f);
    if (!courses->IsAnyChainClosed(position) && !courses->FindCourseAtCentre(position))
        return false;
    mPlayfield->GetGameState()->SetPlayState(kLostSign);
    ShowSign(mSkull, true);
    if (Graph::ITransform* transform = mSkullPosition.Get()) {
        transform->SetPositionX(position.x);
        transform->SetPositionY(position.y);
    }
    RestartTimeline(mSkullTimeline);
    mLostTimer = kLostDelay;
    ShowSign(mHurryUp, false);
    PlaySound(kSoundDescent);
    return true;
}

void CourseProcessor::CheckTime()
{
    const GameState* gameState = mPlayfield->GetGameState();
    const Float limit = gameState->GetFourthStarTime();
    if (!(limit > 0.0f))
        return;
    const Float elapsed = gameState->GetRunTime();
    CourseHandler* courses = mPlayfield->GetCourseHandler();
    if (elapsed >= limit) {
        if (!mTimeOver) {
            mTimeOver = true;
            courses->StartCollapse();
        }
    } else if (!(elapsed + kHurryUpTime < limit)) {
        if (!mHurryUpShown) {
            mHurryUpShown = true;
            ShowSign(mHurryUp, true);
            RestartTimeline(mHurryUpTimeline);
            PlaySound(kSoundHurryUp);
        }
        courses->ShakeAnimals();
    } else if (mHurryUpShown && mHurryUp.GetNode() != nullptr && mHurryUp.GetNode()->IsActiveAndVisible() &&
               mHurryUpTimeline.Get() != nullptr && mHurryUpTimeline.Get()->WasStopped()) {
        ShowSign(mHurryUp, false);
    }
}

void CourseProcessor::EndCourses()
{
    const Math::Vector<Float> position = mPlayfield->GetGameState()->GetPosition();
    mPlayfield->GetCourseHandler()->ScatterAndRemoveAll(position);
}

Bool CourseProcessor::IsLauncherReached() const
{
    return false;
}

Bool CourseProcessor::DrawIdle(UInt32 count, UInt32& index)
{
    const UInt64 range = 25ull * (UInt64(count) + 20ull) + 1ull;
    index = UInt32((UInt64(mRandom.Rand()) * range) >> 32);
    return index < count;
}

void CourseProcessor::PlayIdleAnimations()
{
    const GameState* gameState = mPlayfield->GetGameState();
    if (gameState->GetTranqTime() > 0.0f || gameState->GetBigTranqTime() > 0.0f)
        return;
    const CourseHandler* courses = mPlayfield->GetCourseHandler();
    for (UInt32 i = 0; i < courses->GetCourseCount(); ++i) {
        const CourseAnimator* course = courses->GetCourse(i);
        if (!course->IsRunning())
            continue;
        UInt32 index = 0;
        if (DrawIdle(course->CountAnimals(), index))
            course->GetAnimalAt(index)->PlayIdle();
    }
}

void CourseProcessor::ShowSign(Logic::GraphNodeT<Graph::INamespace>& sign, Bool show)
{
    if (Graph::INode* node = sign.GetNode())
        node->SetActiveAndVisible(show);
}

void CourseProcessor::RestartTimeline(Logic::GraphNodeT<Graph::ITimeline>& timeline)
{
    if (Graph::ITimeline* node = timeline.Get()) {
        node->Rewind();
        node->Start();
    }
}

void CourseProcessor::PlaySound(UInt32 entry)
{
    if (SoundContainer* sounds = mPlayfield->GetSoundContainer())
        sounds->PlayIfIdle(entry, false);
}

} // namespace App
} // namespace Vorn
