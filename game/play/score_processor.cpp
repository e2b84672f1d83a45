#include "game/play/score_processor.h"

#include <cmath>

#include "foundation/debug.h"
#include "foundation/random.h"
#include "foundation/text.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/play_field.h"
#include "game/play/play_seed.h"
#include "game/play/score_text.h"
#include "game/player_data.h"
#include "game/sound_container.h"
#include "graph/indexed.h"
#include "graph/input/button.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/root.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/transform/transform.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

namespace {

constexpr UInt32 kStarting = 4;
constexpr UInt32 kPlaying = 5;
constexpr UInt32 kWonShown = 13;
constexpr UInt32 kLeaving = 20;

constexpr UInt32 kMusicBeach = 2;
constexpr UInt32 kMusicGrass = 3;
constexpr UInt32 kMusicWinter = 4;
constexpr UInt32 kSoundDonk3 = 21;
constexpr UInt32 kSoundPop = 28;
constexpr UInt32 kSoundFirstRemoval = 32;
constexpr UInt32 kSoundIceBreak = 52;
constexpr UInt32 kSoundDonk = 59;
constexpr UInt32 kSoundFirstPraise = 61;
constexpr UInt32 kNumberOfPraises = 6;

const char* const kTextNames[ScoreProcessor::kNumberOfTexts] = {"value_rings", "value_score", "word_pause",
                                                                "word_rings",  "word_score",  "word_stage"};

// Points by the number of animals a removal took, from 1 to 10 and more.
const UInt32 kCountPoints[] = {25, 75, 200, 500, 1000, 2000, 3000, 4000, 5000, 6000};

// Events that score a fixed number of points; a value of 0 takes the event's value.
struct FixedScore
{
    UInt32 mType;
    UInt32 mPoints;
    UInt32 mSound;
    const char* mText;
};
const FixedScore kFixedScores[] = {
    {9, 0, 0, "texts:game_score_course_remove"},
    {10, 0, 0, "texts:game_score_bee_remove"},
    {11, 500, kSoundPop, nullptr},
    {14, 100, kSoundIceBreak, nullptr},
    {15, 150, 0, nullptr},
    {19, 500, 0, nullptr},
};

// The pop-up's look by the points, from the highest band down.
struct PopupLook
{
    UInt32 mLeast;
    Float mScale;
    Float mRed;
    Float mGreen;
    Float mBlue;
    Float mDuration;
};
const PopupLook kPopupLooks[] = {
    {10000, 2.0f, 1.0f, 0.28f, 0.28f, 1.0f},
    {2500, 1.5f, 0.5f, 0.9f, 1.0f, 1.0f},
    {500, 1.0f, 1.0f, 1.0f, 1.0f, 0.9f},
    {0, 0.8f, 1.0f, 1.0f, 1.0f, 0.8f},
};

String LookUpText(Resource::ICollection* texts, const char* id)
{
    const char* text = texts != nullptr ? texts->GetText(String(id)) : nullptr;
    return text != nullptr ? String(text) : String();
}

Float Snap(Float position)
{
    return AlignToPixelGrid(position, 0.0f);
}

} // namespace

ScoreProcessor::ScoreProcessor(Logic::IFactory* factory, Playfield* playfield)
    : PlayProcessor(factory, playfield),
      mTexts(),
      mTextNodes(),
      mLevelShown(-1),
      mScoreShown(-1),
      mCoursesShown(-1),
      mLayoutWidth(0.0f),
      mLayoutHeight(0.0f),
      mMusic(0),
      mRemovalStep(0)
{
}

ScoreProcessor::~ScoreProcessor()
{
    ReleaseTexts();
}

Bool ScoreProcessor::OnInit(Logic::IState* state)
{
    Graph::IRoot* root = state->GetGraphRoot();
    const String bar("/stage_game/scorebar");
    mProcessor->AddGraphNode(mPlayfieldTransform.GetReference(root, String("/stage_game/playfield")));
    mProcessor->AddGraphNode(mAnchor.GetReference(root, bar + "/position"));
    mProcessor->AddGraphNode(mSelect.GetReference(root, bar + "/select"));
    mProcessor->AddGraphNode(mBandPicture.GetReference(root, bar + "/bar/ipadscorebar"));
    mProcessor->AddGraphNode(mBandPauseButton.GetReference(root, bar + "/bar/pause_button"));
    mProcessor->AddGraphNode(mPauseButton.GetReference(root, bar + "/normal/pause_button"));
    mProcessor->AddGraphNode(mWordScore.GetReference(root, bar + "/normal/word_score"));
    mProcessor->AddGraphNode(mWordRings.GetReference(root, bar + "/normal/word_rings"));
    mProcessor->AddGraphNode(mWordPause.GetReference(root, bar + "/normal/word_pause"));
    mProcessor->AddGraphNode(mValueScore.GetReference(root, bar + "/normal/value_score"));
    mProcessor->AddGraphNode(mValueRings.GetReference(root, bar + "/normal/value_rings"));
    mProcessor->AddGraphNode(mPauseButtonTransform.GetReference(root, bar + "/normal/pause_button"));
    if (!mProcessor->AreGraphNodesValid())
        return false;
    SnapChildren(mAnchor.GetNode());
    mProcessor->AddStepable(mPlayfield->GetScoreTextContainer());
    ResetShownValues();
    mLayoutWidth = 0.0f;
    mLayoutHeight = 0.0f;
    mMusic = 0;
    mRemovalStep = 0;
    if (!Layout()) {
        Debug::Trace("App::ScoreProcessor::OnInit(): Score bar texts missing");
        return false;
    }
    return true;
}

Bool ScoreProcessor::OnDeInit(Logic::IState*)
{
    ReleaseTexts();
    return true;
}

void ScoreProcessor::OnStep(Logic::IState* state)
{
    Step(state->GetResourceCollection());
}

void ScoreProcessor::SnapChildren(Graph::INode* node)
{
    if (node == nullptr)
        return;
    for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i) {
        Graph::INode* child = node->GetChild(i);
        if (auto* transform = dynamic_cast<Graph::ITransform*>(child)) {
            const Math::Matrix<float>& matrix = transform->GetTransform();
            const Float x = matrix.Get(0, 3);
            const Float y = matrix.Get(1, 3);
            if (x != 0.0f)
                transform->SetPositionX(Snap(x));
            if (y != 0.0f)
                transform->SetPositionY(Snap(y));
        }
        SnapChildren(child);
    }
}

void ScoreProcessor::ReleaseTexts()
{
    for (UInt32 i = 0; i < kNumberOfTexts; ++i) {
        if (mTextNodes[i] != nullptr)
            mTextNodes[i]->RemoveReference();
        mTextNodes[i] = nullptr;
        mTexts[i] = nullptr;
    }
}

Bool ScoreProcessor::BindTexts(SInt32 child)
{
    ReleaseTexts();
    Graph::ISwitch* select = mSelect.Get();
    if (select == nullptr)
        return false;
    select->SetIndex(child);
    auto* bar = dynamic_cast<Graph::INamespace*>(select->GetSelectedChild());
    if (bar == nullptr)
        return false;
    for (UInt32 i = 0; i < kNumberOfTexts; ++i) {
        Graph::INode* node = bar->FindNode(String(kTextNames[i]));
        if (node == nullptr)
            return false;
        mTextNodes[i] = node;
        mTexts[i] = dynamic_cast<Graph::IText*>(node);
        if (mTexts[i] == nullptr)
            return false;
    }
    ResetShownValues();
    return true;
}

void ScoreProcessor::ResetShownValues()
{
    mLevelShown = -1;
    mScoreShown = -1;
    mCoursesShown = -1;
}

Bool ScoreProcessor::Layout()
{
    const GameState* gameState = mPlayfield->GetGameState();
    const Float width = gameState->GetViewWidth();
    const Float height = gameState->GetPlayHeight();
    if (width == mLayoutWidth && height == mLayoutHeight)
        return true;
    mLayoutWidth = width;
    mLayoutHeight = height;
    const Float band = gameState->GetViewOffset();
    Graph::ITransform* anchor = mAnchor.Get();
    Graph::ITransform* playfield = mPlayfieldTransform.Get();
    if (!gameState->IsZen() && band != 0.0f) {
        const Bool bound = BindTexts(1);
        if (anchor != nullptr) {
            anchor->SetPositionY(Snap((band + height) * 0.5f));
            anchor->SetDepthOrder(700000);
        }
        if (playfield != nullptr)
            playfield->SetPositionY(Snap(-0.5f * band));
        return bound;
    }
    const Bool bound = BindTexts(0);
    if (anchor != nullptr) {
        anchor->SetPositionY(Snap(height * 0.5f - 24.0f));
        anchor->SetDepthOrder(850000);
    }
    if (playfield != nullptr)
        playfield->SetPositionY(0.0f);
    const Float x = Snap(width * 0.5f - 10.0f);
    for (Graph::ITransform* right : {mWordScore.Get(), mValueScore.Get()}) {
        if (right != nullptr)
            right->SetPositionX(x);
    }
    if (Graph::ITransform* pause = mWordPause.Get())
        pause->SetPositionX(Snap(-x));
    if (Graph::ITransform* button = mPauseButtonTransform.Get())
        button->SetPositionX(Snap(-x + 20.0f));
    return bound;
}

void ScoreProcessor::SetText(TextSlot slot, const String& text)
{
    if (mTexts[slot] != nullptr)
        mTexts[slot]->SetText(text);
}

void ScoreProcessor::Step(Resource::ICollection* texts)
{
    GameState* gameState = mPlayfield->GetGameState();
    SoundContainer* sounds = mPlayfield->GetSoundContainer();
    const UInt32 playState = gameState->GetPlayState();
    Layout();

    if (sounds != nullptr) {
        if (playState == kLeaving)
            sounds->Stop(mMusic);
        else
            sounds->PlayIfIdle(mMusic, false);
    }

    Array<ScoreEvent>& events = gameState->GetScoreEvents();
    UInt32 points = 0;
    for (SInt32 i = 0; i < events.GetCount(); ++i)
        points += AddScoreEvent(events[i], texts);
    events.Clear();
    gameState->AddRunScore(points);

    const UInt32 level = gameState->GetLevel();
    if (mTexts[kWordStage] != nullptr && SInt32(level) != mLevelShown) {
        mLevelShown = SInt32(level);
        SetText(kWordStage, level == 0 ? LookUpText(texts, "texts:title_0")
                                       : LookUpText(texts, "texts:stage") + Util::UInt32ToString(level));
    }

    const UInt32 score = gameState->GetRunScore();
    if (playState != kWonShown && SInt32(score) != mScoreShown) {
        mScoreShown = SInt32(score);
        SetText(kValueScore, FormatScore(score));
    }

    SInt32 courses = -1;
    if (gameState->IsZen()) {
        const UInt32 stage = gameState->GetRunStars();
        if (stage > 0)
            courses = SInt32(stage - 1);
    } else {
        const CourseHandler* handler = mPlayfield->GetCourseHandler();
        courses = 0;
        for (UInt32 i = 0; i < handler->GetCourseCount(); ++i) {
            const CourseAnimator* course = handler->GetCourse(i);
            if (course->IsActive() && !course->IsFinished())
                ++courses;
        }
    }
    if (courses >= 0 && courses != mCoursesShown) {
        mCoursesShown = courses;
        SetText(kWordRings, LookUpText(texts, gameState->IsZen() ? "texts:game_score_rings_cleared"
                                                                 : "texts:game_score_rings_to_clear"));
        SetText(kValueRings, Util::UInt32ToString(UInt32(courses)));
    }

    const Bool paused = playState == kStarting || playState == kPlaying;
    for (Graph::IButton* button : {mBandPauseButton.Get(), mPauseButton.Get()}) {
        if (button != nullptr)
            button->SetEnabled(paused);
    }
    if (playState == kStarting)
        mRemovalStep = 0;
}

void ScoreProcessor::SetBackground(UInt32 kind)
{
    if (Graph::IIndexed* band = mBandPicture.Get())
        band->SetIndex(SInt32(kind));
    SoundContainer* sounds = mPlayfield->GetSoundContainer();
    if (sounds != nullptr)
        sounds->Stop(mMusic);
    mMusic = kind == 1 ? kMusicBeach : kind == 3 ? kMusicWinter : kMusicGrass;
}

void ScoreProcessor::PlayPraise()
{
    Util::TT800 random;
    random.Seed(GetPlaySeed());
    if (SoundContainer* sounds = mPlayfield->GetSoundContainer())
        sounds->PlayIfIdle(kSoundFirstPraise + random.RandUInt(0, kNumberOfPraises - 1), false);
}

UInt32 ScoreProcessor::AddScoreEvent(const ScoreEvent& event, Resource::ICollection* texts)
{
    GameState* gameState = mPlayfield->GetGameState();
    SoundContainer* sounds = mPlayfield->GetSoundContainer();
    auto play = [sounds](UInt32 entry) {
        if (sounds != nullptr)
            sounds->Play(entry);
    };
    switch (event.mType) {
    case 0:
        gameState->GetRun().IncrementCounter(1);
        return 0;
    case 1:
        return 0;
    case 2:
        gameState->ClearComboCounter();
        gameState->ClearComboAnimals();
        mRemovalStep = 0;
        return 0;
    case 3:
        gameState->IncrementComboCounter();
        gameState->ResetChainCounter();
        return 0;
    case 4:
        gameState->IncrementChainCounter();
        return 0;
    case 5:
        gameState->ClearComboCounter();
        gameState->ResetChainCounter();
        gameState->ClearComboAnimals();
        mRemovalStep = 0;
        if (sounds != nullptr)
            sounds->PlayIfIdle(kSoundDonk3, false);
        return 0;
    case 6:
        if (gameState->GetChainCounter() >= 3)
            PlayPraise();
        gameState->ResetChainCounter();
        return 0;
    case 7:
        play(kSoundDonk);
        return 0;
    case 8:
        play(kSoundDonk3);
        return 0;
    default:
        break;
    }

    String text;
    Double points = 0.0;
    const FixedScore* fixed = nullptr;
    for (const FixedScore& row : kFixedScores) {
        if (row.mType == event.mType)
            fixed = &row;
    }
    if (fixed != nullptr) {
        points = fixed->mPoints != 0 ? fixed->mPoints : event.mValue;
        if (fixed->mSound != 0)
            play(fixed->mSound);
        if (fixed->mText != nullptr)
            text = LookUpText(texts, fixed->mText);
    } else {
        const UInt32 count = event.mCount;
        if (count == 0)
            return 0;
        const UInt32 base = kCountPoints[count < 10 ? count - 1 : 9];
        gameState->AddComboAnimals(event.mType == 13 ? 2 * count : count);
        Double factor = 1.0;
        Bool bigPraise = false;
        if (event.mType == 16) {
            factor = 2.0;
            text = LookUpText(texts, "texts:game_score_blue_nuke");
        } else if (event.mType == 17) {
            factor = 2.0;
            text = LookUpText(texts, "texts:game_score_hambone");
        } else if (event.mType == 18) {
            factor = 2.0;
        } else {
            const UInt32 chain = gameState->GetChainCounter();
            const UInt32 combo = gameState->GetComboCounter();
            if (chain >= 2) {
                text = LookUpText(texts, "texts:game_score_chain") + Util::PrintToString(String("%.0f"), Double(chain)) +
                       "\n";
                factor = chain >= 5 ? 20.0 : 4.0 * chain;
                ++mRemovalStep;
            } else if (combo >= 2) {
                text = Util::PrintToString(String("%.0f"), Double(gameState->GetComboAnimals())) +
                       LookUpText(texts, "texts:game_score_combo");
                factor = combo >= 5 ? 10.0 : 2.0 * combo;
                if (event.mType != 13 && combo >= 5) {
                    if (combo % 5 == 0) {
                        bigPraise = true;
                    } else {
                        Util::TT800 random;
                        random.Seed(GetPlaySeed());
                        bigPraise = random.RandUInt(0, 100) < 20;
                    }
                }
                ++mRemovalStep;
            }
            play(kSoundFirstRemoval + (mRemovalStep < 9 ? mRemovalStep : 9));
            if (bigPraise && Double(base) * factor >= 2000.0)
                PlayPraise();
        }
        points = Double(base) * factor;
    }

    UInt32 earned = UInt32(std::trunc(points));
    if (gameState->GetLevel() >= 1) {
        const PlayerData* player = gameState->GetCurrentPlayer();
        earned *= player != nullptr ? player->GetPass() : 1;
    }
    text = text + FormatScore(earned);
    const PopupLook* look = &kPopupLooks[0];
    while (earned < look->mLeast)
        ++look;
    Math::Vector<Float> position = event.mPosition;
    mPlayfield->GetScoreTextContainer()->ShowScore(text, position,
                                                   Math::Vector<Float>(look->mRed, look->mGreen, look->mBlue, 1.0f),
                                                   look->mDuration, look->mScale);
    return earned;
}

} // namespace App
} // namespace Vorn
