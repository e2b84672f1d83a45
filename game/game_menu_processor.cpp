#include "game/game_menu_processor.h"

#include <cstdio>

#include "foundation/enums.h"
#include "foundation/math.h"
#include "game/app_context.h"
#include "game/game_state.h"
#include "game/graph_position_object.h"
#include "game/helpers.h"
#include "game/play/explosion_handler.h"
#include "game/play/particles.h"
#include "game/play/play_field.h"
#include "game/player_data.h"
#include "game/popup.h"
#include "game/sound_container.h"
#include "game/text_case.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/display_text.h"
#include "graph/input/button.h"
#include "graph/input/button_event.h"
#include "graph/namespace.h"
#include "graph/node.h"
#include "graph/parameters.h"
#include "graph/root.h"
#include "graph/switch.h"
#include "graph/text.h"
#include "graph/time/timeline.h"
#include "graph/transform/scalable.h"
#include "graph/transform/transform.h"
#include "logic/device_handler.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "resource/collection.h"

namespace Vorn {
namespace App {

namespace {

// Play states shared with the game stage.
constexpr UInt32 kSignOpening = 1;
constexpr UInt32 kSignWaiting = 2;
constexpr UInt32 kStartPlay = 3;
constexpr UInt32 kResume = 4;
constexpr UInt32 kLostShown = 10;
constexpr UInt32 kFailedShown = 11;
constexpr UInt32 kCountDone = 14;
constexpr UInt32 kBackToMap = 20;
constexpr UInt32 kReplay = 22;
constexpr UInt32 kNextLevel = 23;

constexpr UInt32 kEscapeKey = 1;
constexpr Float kPi = 3.14159265358979f;

// Windows of the sign timeline, in its own time.
struct SignWindow
{
    Real mStart;
    Real mEnd;
    SInt32 mSwitchIndex;
};
constexpr SignWindow kFinishedWindow = {7.5f, 12.0f, 0};
constexpr SignWindow kFailedWindow = {5.0f, 15.0f, 1};
constexpr SignWindow kPauseWindow = {10.0f, 12.1f, 2};
constexpr SignWindow kZenWindow = {5.0f, 12.0f, 3};
constexpr Real kLeaveStart = 20.0f;
constexpr Real kLeaveEnd = 21.6f;
constexpr Real kHiddenTime = 21.15f;
// Buttons work from the end of a sign's arrival to the start of its leaving.
constexpr Double kButtonsFrom = 11.0;
constexpr Double kButtonsUntil = 19.0;

constexpr UInt32 kMusicEntries = 8;
constexpr UInt32 kClickSound = 9;
constexpr UInt32 kWinJingle = 5;
constexpr UInt32 kLoseJingle = 6;
constexpr UInt32 kPauseMusic = 7;
constexpr UInt32 kSignSound = 43;
constexpr UInt32 kCountTick = 29;

// The stars of the finished sign appear one after another, each with its sound and bonus.
struct StarStep
{
    UInt32 mStars;
    Float mFrom;
    UInt32 mSound;
    UInt32 mBonus;
};
constexpr StarStep kStarSteps[] = {
    {1, 1.0f, 35, 50000},
    {2, 1.5f, 37, 100000},
    {3, 2.0f, 39, 250000},
    {3, 2.5f, 47, 0},
};
constexpr UInt32 kTimeBonus[] = {0, 50000, 100000, 250000};

struct TipRow
{
    UInt32 mLevel;
    UInt32 mTip;
};
constexpr TipRow kTips[] = {{1, 0}, {8, 2}, {27, 1}};

Float Snap(Float position)
{
    return AlignToPixelGrid(position, 0.0f);
}

String Decimal(UInt32 value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%u", unsigned(value));
    return String(text);
}

String TwoDigits(UInt32 value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%02u", unsigned(value));
    return String(text);
}

// A uniform draw in [0, 1).
Float Unit(Util::Rng& rng)
{
    return Float(Double(rng.Rand()) / 4294967296.0);
}

} // namespace

const Float GameMenuProcessor::kSystemFontColor[4] = {0.4f, 0.16f, 0.08f, 1.0f};

GameMenuProcessor::GameMenuProcessor(Logic::IFactory* factory, Playfield* playfield)
    : Logic::BaseChildProcessor(factory),
      mPlayfield(playfield),
      mPopup(playfield->GetContext() != nullptr ? playfield->GetContext()->GetPopup() : nullptr),
      mRepositionSigns(false),
      mSignKind(kNoSign),
      mFinishedTimer(0.0f),
      mCountDoneTime(0.0f),
      mShownTotal(0),
      mTargetTotal(0),
      mBestScore(0),
      mTimeBonusFactor(1),
      mBaseScore(0),
      mPauseEffectAccumulator(0.0f),
      mLastViewWidth(0.0f),
      mLastViewHeight(0.0f),
      mLastViewOffset(0.0f),
      mUseSignFont(false),
      mBound(false),
      mMusicOff(false),
      mTexts(nullptr)
{
}

GameMenuProcessor::~GameMenuProcessor() {}

GameState* GameMenuProcessor::GetGameState() const
{
    return mPlayfield->GetGameState();
}

SoundContainer* GameMenuProcessor::GetSounds() const
{
    return mPlayfield->GetSoundContainer();
}

String GameMenuProcessor::Text(const String& id) const
{
    const char* text = mTexts != nullptr ? mTexts->GetText(id) : nullptr;
    return String(text != nullptr ? text : "");
}

Bool GameMenuProcessor::OnInit(Logic::IState* state)
{
    mBound = false;
    mTexts = state->GetResourceCollection();
    Graph::IRoot* root = state->GetGraphRoot();
    const struct
    {
        Logic::GraphINode* mNode;
        const char* mPath;
    } bindings[] = {
        {&mGameGraph, "/stage_game"},
        {&mSignNamespace, "/stage_game/sign"},
        {&mLevelStartNamespace, "/stage_game/levelstart"},
        {&mLevelStartTimeline, "/stage_game/levelstart/timeline"},
        {&mLevelStartBackground, "/stage_game/levelstart/background"},
        {&mLevelStartPosition, "/stage_game/levelstart/position"},
        {&mTapButton, "/stage_game/levelstart/button_tap"},
        {&mTextPosition, "/stage_game/levelstart/textposition"},
        {&mTapToStartTimeline, "/stage_game/levelstart/tap_to_start_timeline"},
        {&mStageLine, "/stage_game/levelstart/stage"},
        {&mLevelNameScale, "/stage_game/levelstart/levelname_scale"},
        {&mLevelName, "/stage_game/levelstart/levelname"},
        {&mDescription, "/stage_game/levelstart/description"},
        {&mTapToStart, "/stage_game/levelstart/tap_to_start"},
        {&mImagePosition, "/stage_game/levelstart/imageposition"},
        {&mTipSwitch, "/stage_game/levelstart/atlas_select"},
        {&mTipPicture, "/stage_game/levelstart/tips1/atlas"},
        {&mSignTransform, "/stage_game/sign/mm_sign"},
        {&mSignTimeline, "/stage_game/sign/mm_sign_timeline"},
        {&mSignSwitch, "/stage_game/sign/mm_sign_switch"},
        {&mStars[0], "/stage_game/sign/mm_sign_finished/star1"},
        {&mStars[1], "/stage_game/sign/mm_sign_finished/star2"},
        {&mStars[2], "/stage_game/sign/mm_sign_finished/star3"},
        {&mBaseScoreText, "/stage_game/sign/mm_sign_finished/base_score"},
        {&mTotalScoreText, "/stage_game/sign/mm_sign_finished/total_score"},
        {&mTimeBonusText, "/stage_game/sign/mm_sign_finished/time_bonus"},
        {&mBestScoreText, "/stage_game/sign/mm_sign_finished/best_score"},
        {&mNextButton, "/stage_game/sign/mm_sign_finished/button_next"},
        {&mFinishedReplayButton, "/stage_game/sign/mm_sign_finished/button_replay"},
        {&mFinishedBackButton, "/stage_game/sign/mm_sign_finished/button_back"},
        {&mFinishedBackTransform, "/stage_game/sign/mm_sign_finished/button_back"},
        {&mCancelCelebrationButton, "/stage_game/sign/mm_sign_finished/button_cancel_win_celebration"},
        {&mFailedReplayButton, "/stage_game/sign/mm_sign_failed/button_replay"},
        {&mFailedBackButton, "/stage_game/sign/mm_sign_failed/button_back"},
        {&mRestartButton, "/stage_game/sign/mm_sign_pause/button_restart"},
        {&mResumeButton, "/stage_game/sign/mm_sign_pause/button_resume"},
        {&mPauseBackButton, "/stage_game/sign/mm_sign_pause/button_back"},
        {&mResumeEverywhereButton, "/stage_game/sign/mm_sign_pause/button_resume_everywhere"},
        {&mMusicSwitch, "/stage_game/sign/mm_sign_pause/mm_music_switch"},
        {&mAudioButton, "/stage_game/sign/mm_sign_pause/button_audio"},
        {&mPlayerText, "/stage_game/sign/mm_sign_pause/player"},
        {&mPlayerSystemFont, "/stage_game/sign/mm_sign_pause/systemfont"},
        {&mBarLevelNameScale, "/stage_game/scorebar/bar/levelname_scale"},
        {&mBarLevelName, "/stage_game/scorebar/bar/levelname"},
        {&mZenReplayButton, "/stage_game/sign/mm_sign_zen/button_replay"},
        {&mZenBackButton, "/stage_game/sign/mm_sign_zen/button_back"},
        {&mZenScoreText, "/stage_game/sign/mm_sign_zen/score"},
        {&mZenCountText, "/stage_game/sign/mm_sign_zen/rings"},
        {&mZenTimeText, "/stage_game/sign/mm_sign_zen/time"},
        {&mAirstrikeButton, "/stage_game/airstrike/button_airstrike"},
    };
    for (const auto& binding : bindings) {
        mProcessor->AddGraphNode(binding.mNode->GetReference(root, String(binding.mPath)));
        if (binding.mNode == &mLevelStartNamespace)
            AlignTransformsToPixelGrid(mSignNamespace.GetNode());
    }
    // The long sign texture is optional; a node of another kind there means the signs draw every
    // text with their own font.
    mUseSignFont = false;
    if (Graph::INode* texture = root->FindNode(String("/systemfont_textures/tex_sign_long"))) {
        if (dynamic_cast<Graph::IText*>(texture) != nullptr)
            mProcessor->AddGraphNode(mLongSignTexture.GetReference(texture));
        else
            mUseSignFont = true;
        texture->RemoveReference();
    }
    if (!mProcessor->AreGraphNodesValid())
        return false;
    mBound = true;

    UpdateMusicSwitch(true);
    mRepositionSigns = false;
    mSignKind = kNoSign;
    mSignSwitch.Get()->SetIndex(0);
    mStars[0].Get()->SetIndex(1);
    mStars[1].Get()->SetIndex(0);
    mStars[2].Get()->SetIndex(0);
    mSignTimeline.Get()->SetTimeScale(3.0f);
    mLastViewWidth = 0.0f;
    mLastViewHeight = 0.0f;
    mLastViewOffset = 0.0f;
    Show(mAirstrikeButton, false);
    mPauseHeadText = Text(String("texts:game_pause_head"));
    return true;
}

Bool GameMenuProcessor::OnDeInit(Logic::IState*)
{
    mBound = false;
    return true;
}

Bool GameMenuProcessor::WasClicked(const ButtonEvents& button)
{
    return button.GetEvent() != nullptr && button.GetEvent()->WasReleasedInside();
}

void GameMenuProcessor::Show(const Logic::GraphINode& node, Bool shown)
{
    if (node.GetNode() != nullptr)
        node.GetNode()->SetActiveAndVisible(shown);
}

Bool GameMenuProcessor::IsShown(const Logic::GraphINode& node)
{
    return node.GetNode() != nullptr && node.GetNode()->IsActiveAndVisible();
}

void GameMenuProcessor::PlayTimeline(Graph::ITimeline* timeline, Real startTime, Real endTime)
{
    timeline->SetStartTime(startTime);
    timeline->SetEndTime(endTime);
    timeline->Rewind();
    timeline->Start();
}

void GameMenuProcessor::AlignTransformsToPixelGrid(Graph::INode* node)
{
    if (node == nullptr)
        return;
    for (UInt32 i = 0; i < node->GetNumberOfChildren(); ++i) {
        Graph::INode* child = node->GetChild(i);
        if (Graph::ITransform* transform = dynamic_cast<Graph::ITransform*>(child)) {
            const Math::Matrix<float>& matrix = transform->GetTransform();
            const Float x = matrix[12];
            const Float y = matrix[13];
            if (x != 0.0f)
                transform->SetPositionX(Snap(x));
            if (y != 0.0f)
                transform->SetPositionY(Snap(y));
        }
        AlignTransformsToPixelGrid(child);
    }
}

void GameMenuProcessor::ShowSign(Sign sign)
{
    mSignKind = sign;
    mRepositionSigns = true;
    if (!IsBound())
        return;
    GameState* game = GetGameState();
    Graph::ITimeline* timeline = mSignTimeline.Get();
    auto open = [&](const SignWindow& window) {
        timeline->SetStartTime(window.mStart);
        timeline->SetEndTime(window.mEnd);
        mSignSwitch.Get()->SetIndex(window.mSwitchIndex);
    };
    switch (sign) {
    case kLevelStart:
        Show(mLevelStartNamespace, true);
        PlayTimeline(mLevelStartTimeline.Get(), 0.0f, 1.0f);
        return;
    case kFinished:
        open(kFinishedWindow);
        for (Logic::GraphNodeT<Graph::ISwitch>& star : mStars)
            star.Get()->SetIndex(0);
        mTimeBonusText.Get()->SetText(String("0"));
        break;
    case kFailed:
        open(kFailedWindow);
        break;
    case kPause: {
        open(kPauseWindow);
        const PlayerData* player = game->GetCurrentPlayer();
        SetSignText((player != nullptr ? player->GetName() : String("")) + mPauseHeadText, mPlayerText,
                    mPlayerSystemFont);
        break;
    }
    case kZen: {
        open(kZenWindow);
        mZenScoreText.Get()->SetText(FormatScore(game->GetRunScore()));
        const UInt32 count = game->GetLevel() == 0 ? game->GetRunStars() : 0;
        mZenCountText.Get()->SetText(Decimal(count >= 1 ? count - 1 : 0));
        const Float seconds = game->GetRunTime();
        SetZenTime(seconds > 0.0f ? UInt32(seconds) : 0);
        break;
    }
    default:
        break;
    }
    Show(mSignNamespace, true);
    timeline->Rewind();
    timeline->Start();
}

void GameMenuProcessor::HideSign()
{
    if (IsBound()) {
        if (mSignKind == kLevelStart)
            PlayTimeline(mLevelStartTimeline.Get(), 1.0f, 1.5f);
        else
            PlayTimeline(mSignTimeline.Get(), kLeaveStart, kLeaveEnd);
    }
    mSignKind = kNoSign;
}

void GameMenuProcessor::HideSignNow()
{
    mSignKind = kNoSign;
    if (!IsBound())
        return;
    Graph::ITimeline* timeline = mSignTimeline.Get();
    timeline->SetStartTime(kHiddenTime);
    timeline->SetEndTime(kHiddenTime);
    timeline->Rewind();
    Show(mSignNamespace, false);
}

void GameMenuProcessor::SetStars(UInt32 count)
{
    if (!IsBound())
        return;
    for (UInt32 k = 0; k < 3; ++k)
        mStars[k].Get()->SetIndex(count > k ? 1 : 0);
}

void GameMenuProcessor::UpdateSignPosition()
{
    const GameState* game = GetGameState();
    const Float width = game->GetViewWidth();
    const Float height = game->GetViewHeight();
    const Float offset = game->GetLevel() == 0 ? game->GetViewOffset() : 0.0f;
    if (width == mLastViewWidth && height == mLastViewHeight && offset == mLastViewOffset && !mRepositionSigns)
        return;
    mLastViewWidth = width;
    mLastViewHeight = height;
    mLastViewOffset = offset;
    mRepositionSigns = false;
    mSignTransform.Get()->SetPositionY(Snap(380.0f - (800.0f - height) * 0.25f - offset * 0.25f));
}

void GameMenuProcessor::UpdateMusicSwitch(Bool force)
{
    const Bool off = GetGameState()->IsMuted();
    if (off == mMusicOff && !force)
        return;
    mMusicOff = off;
    SoundContainer* sounds = GetSounds();
    if (off) {
        mMusicSwitch.Get()->SetIndex(0);
        sounds->StopEffects();
        sounds->PauseMusic();
    } else {
        mMusicSwitch.Get()->SetIndex(1);
    }
}

Bool GameMenuProcessor::FontHasAllGlyphs(const String& text, const Graph::IDisplayText* displayText)
{
    const char* bytes = text.GetText();
    const UInt32 length = UInt32(text.GetLength());
    UInt32 i = 0;
    while (i < length) {
        UInt32 end = i + 1;
        // A lead byte takes the continuation bytes that follow it.
        if ((UInt8(bytes[i]) & 0xC0) == 0xC0) {
            while (end < length && (UInt8(bytes[end]) & 0xC0) == 0x80)
                ++end;
        }
        if (!displayText->HasGlyph(String(bytes + i, SInt32(end - i))))
            return false;
        i = end;
    }
    return true;
}

void GameMenuProcessor::SetSignText(const String& text, Logic::GraphNodeT<Graph::IDisplayText>& displayText,
                                    Logic::GraphNodeT<Graph::INamespace>& systemFont)
{
    if (mUseSignFont || FontHasAllGlyphs(text, displayText.Get())) {
        Show(displayText, true);
        Show(systemFont, false);
        displayText.Get()->SetText(text);
        return;
    }
    Show(displayText, false);
    Show(systemFont, true);
    Graph::INode* found = systemFont.GetNode()->FindChild(String("parameters"));
    Graph::IParameters* parameters = dynamic_cast<Graph::IParameters*>(found);
    if (parameters == nullptr)
        return;
    if (mLongSignTexture.Get() != nullptr)
        mLongSignTexture.Get()->SetText(text);
    parameters->SetColor(1, Color{kSystemFontColor[0], kSystemFontColor[1], kSystemFontColor[2], kSystemFontColor[3]});
}

UInt32 GameMenuProcessor::CountLines(const String& text)
{
    if (text.GetLength() == 0)
        return 0;
    UInt32 lines = 1;
    for (SInt32 i = 0; i < text.GetLength(); ++i)
        lines += text[i] == '\n' ? 1 : 0;
    return lines;
}

void GameMenuProcessor::ShowLevelStart(UInt32 level)
{
    for (const TipRow& row : kTips) {
        if (row.mLevel == level) {
            SetupLevelStartSign(level, true, row.mTip);
            return;
        }
    }
    SetupLevelStartSign(level, false, 0);
}

void GameMenuProcessor::SetupLevelStartSign(UInt32 level, Bool hasTip, UInt32 tipIndex)
{
    if (!IsBound())
        return;
    const String title = Text(String("texts:title_") + Decimal(level));
    const String description = ToUpperCase(Text(String("texts:descr_") + Decimal(level)));
    mBarLevelName.Get()->SetText(ToUpperCase(title));
    mLevelName.Get()->SetText(ToUpperCase(title));
    mDescription.Get()->SetText(description);
    mTipSwitch.Get()->SetIndex(hasTip ? 1 : 0);
    const Float lines = Float(CountLines(description));
    Graph::IDisplayText* texts[] = {mStageLine.Get(), mLevelName.Get(), mDescription.Get()};
    const Enums::TextAlignmentX alignment = hasTip ? Enums::TextAlignmentX::LEFT : Enums::TextAlignmentX::CENTER;
    for (Graph::IDisplayText* text : texts) {
        text->SetHorizontalTextAlignment(alignment);
        text->SetHorizontalContainerAlignment(alignment);
    }
    if (!hasTip) {
        mStageLine.Get()->SetText(level == 0 ? Text(String("texts:zen_head"))
                                             : Text(String("texts:stage")) + Decimal(level));
        mTextPosition.Get()->SetPosition(0.0f, 0.0f, 0.0f);
        mLevelStartPosition.Get()->SetPositionY(Snap(lines * 25.0f - 30.0f));
        mLevelStartBackground.Get()->SetScaleFactorY(Snap(lines * 50.0f + 172.0f));
        mTapToStart.Get()->SetPositionY(Snap((-2.0f - lines) * 50.0f));
        return;
    }
    mTipPicture.Get()->SetIndex(SInt32(tipIndex));
    const Float width = mTipPicture.Get()->GetCurrentSizeX();
    mStageLine.Get()->SetText(String(""));
    const Float x = (650.0f - width) * 0.5f;
    mTextPosition.Get()->SetPosition(Snap(20.0f - x), Snap(50.0f), 0.0f);
    mImagePosition.Get()->SetPositionX(Snap(-x - width * 0.5f));
    if (lines > 2.0f) {
        mLevelStartPosition.Get()->SetPositionY(Snap((lines - 2.0f) * 25.0f));
        mLevelStartBackground.Get()->SetScaleFactorY(Snap(lines * 50.0f + 122.0f));
        mTapToStart.Get()->SetPositionY(Snap((-5.0f - lines) * 25.0f));
    } else {
        mLevelStartPosition.Get()->SetPositionY(0.0f);
        mLevelStartBackground.Get()->SetScaleFactorY(Snap(222.0f));
        mTapToStart.Get()->SetPositionY(Snap(-150.0f));
    }
}

void GameMenuProcessor::SetFinishedScores(UInt32 baseScore)
{
    mBaseScore = baseScore;
    mShownTotal = 0;
    GameState* game = GetGameState();
    const PlayerLevelData* record = game->GetCurrentLevelData(game->GetLevel());
    mBestScore = record != nullptr ? record->GetScore() : 0;
    if (!IsBound())
        return;
    mBaseScoreText.Get()->SetText(FormatScore(baseScore));
    mTotalScoreText.Get()->SetText(String("0"));
    mBestScoreText.Get()->SetText(mBestScore == 0 ? String("")
                                                  : Text(String("texts:game_finished_best_score")) +
                                                        FormatScore(mBestScore));
}

String GameMenuProcessor::FormatZenTime(UInt32 seconds)
{
    if (seconds >= 3600)
        return Decimal(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
    if (seconds >= 60)
        return Decimal(seconds / 60) + ":" + TwoDigits(seconds % 60);
    return Decimal(seconds) + " SEC";
}

void GameMenuProcessor::SetZenTime(UInt32 seconds)
{
    mZenTimeText.Get()->SetText(FormatZenTime(seconds));
}

void GameMenuProcessor::SetTimeBonus(UInt32 stars)
{
    if (stars >= 1 && stars <= 3)
        mTimeBonusText.Get()->SetText(FormatScore(mTimeBonusFactor * kTimeBonus[stars]));
}

void GameMenuProcessor::StartEntry(UInt32 entry)
{
    GetSounds()->PlayIfIdle(entry, false);
}

void GameMenuProcessor::ReleaseParticles()
{
    if (ParticleContainer* particles = mPlayfield->GetContext()->GetParticleContainer())
        particles->ReleaseAll();
}

void GameMenuProcessor::OnStep(Logic::IState* state)
{
    if (!IsBound())
        return;
    const Double dt = state->GetCurrentTickDuration();
    Logic::IDeviceHandler* devices = state->GetDeviceHandler();
    GameState* game = GetGameState();

    UpdateSignPosition();
    UpdateMusicSwitch(false);
    const Bool escapePressed = devices->IsRawKeyboardAvailable() && devices->WasRawKeyPressed(kEscapeKey);
    const Bool endSign = mSignKind == kFinished || mSignKind == kFailed || mSignKind == kPause || mSignKind == kZen;
    const Bool escapeBack = escapePressed && !mSignTimeline.Get()->IsRunning() && endSign;

    // A pop-up takes the input; the game stands still while it rests.
    if (mPopup != nullptr && mPopup->IsOpen()) {
        mPopup->Process(escapePressed);
        mGameGraph.GetNode()->SetActive(!mPopup->IsAnimationDone());
        return;
    }
    mGameGraph.GetNode()->SetActive(true);

    StepTapToStart(game->GetPlayState());
    if (game->GetPlayState() == kSignWaiting && mSignKind == kLevelStart && WasClicked(mTapButton)) {
        game->SetPlayState(kStartPlay);
        ReleaseParticles();
        HideSign();
    }

    const Graph::ITimeline* signTimeline = mSignTimeline.Get();
    const Double signTime = signTimeline->GetCurrentTime();
    if (!signTimeline->IsRunning() || (signTime >= kButtonsFrom && signTime < kButtonsUntil))
        StepButtons(escapeBack);

    StepSignSequence(dt);

    if (mSignKind != kLevelStart && mLevelStartTimeline.Get()->WasStopped())
        Show(mLevelStartNamespace, false);
    if (signTimeline->IsRunning() && mSignKind != kNoSign && mSignKind != kLevelStart &&
        signTimeline->GetCurrentTime() > 10.1 && signTimeline->GetCurrentTime() < 10.3)
        StartEntry(kSignSound);

    if (WasClicked(mAudioButton)) {
        GetSounds()->Play(kClickSound);
        game->ToggleMuted();
        UpdateMusicSwitch(false);
    }
}

void GameMenuProcessor::StepTapToStart(UInt32 request)
{
    Graph::ITimeline* timeline = mTapToStartTimeline.Get();
    if (request == kSignOpening) {
        if (IsShown(mTapToStart))
            Show(mTapToStart, false);
    } else if (request == kSignWaiting) {
        // The prompt's animation loops while the sign waits.
        if (!IsShown(mTapToStart)) {
            Show(mTapToStart, true);
            timeline->Rewind();
            timeline->Start();
        } else if (!timeline->IsRunning()) {
            timeline->Rewind();
            timeline->Start();
        }
    }
}

void GameMenuProcessor::StepButtons(Bool escapeBack)
{
    GameState* game = GetGameState();
    SoundContainer* sounds = GetSounds();
    auto leave = [&](UInt32 request, Bool hide) {
        sounds->Play(kClickSound);
        game->SetPlayState(request);
        ReleaseParticles();
        if (hide)
            HideSign();
    };
    if (WasClicked(mResumeButton) || WasClicked(mResumeEverywhereButton))
        leave(kResume, true);
    if (WasClicked(mFinishedReplayButton) || WasClicked(mFailedReplayButton) || WasClicked(mRestartButton) ||
        WasClicked(mZenReplayButton))
        leave(kReplay, true);
    if (WasClicked(mNextButton))
        leave(kNextLevel, true);
    if (WasClicked(mFinishedBackButton) || WasClicked(mFailedBackButton) || WasClicked(mPauseBackButton) ||
        WasClicked(mZenBackButton) || escapeBack)
        leave(kBackToMap, false);
    // Leaving the finished sign early shows its end figures at once.
    if (WasClicked(mNextButton) || WasClicked(mFinishedBackButton) || WasClicked(mCancelCelebrationButton)) {
        const UInt32 stars = game->GetRunStars();
        SetStars(stars);
        SetTimeBonus(stars);
        mTotalScoreText.Get()->SetText(FormatScore(mTargetTotal));
        mShownTotal = mTargetTotal;
        mFinishedTimer = 200.0f;
    }
}

void GameMenuProcessor::StepSignSequence(Double dt)
{
    GameState* game = GetGameState();
    SoundContainer* sounds = GetSounds();
    Graph::ITimeline* timeline = mSignTimeline.Get();
    const Bool running = timeline->IsRunning();
    switch (mSignKind) {
    case kNoSign:
    case kLevelStart:
        if (timeline->WasStopped())
            Show(mSignNamespace, false);
        break;
    case kFailed:
        if (timeline->WasStopped() && game->GetPlayState() == kLostShown) {
            game->SetPlayState(kFailedShown);
            Util::TT800 voice;
            sounds->PlayIfIdle(67 + voice.RandUInt(0, 3), false);
        } else if (running && timeline->GetRemainingTime() < 3.5) {
            StartEntry(kLoseJingle);
        } else if (timeline->GetCurrentTime() > 5.0 && timeline->GetCurrentTime() < 10.0 &&
                   mRng.RandUInt(0, 100) < 20) {
            if (mRng.RandUInt(0, 100) < 60)
                sounds->Play(24);
            else
                sounds->PlayIfIdle(10 + mRng.RandUInt(0, 7), false);
        }
        break;
    case kZen:
        if (running && timeline->GetRemainingTime() < 3.5) {
            StartEntry(kWinJingle);
        } else if (timeline->GetRemainingTime() > 5.0 && mRng.RandUInt(0, 100) < 4) {
            if (mRng.RandUInt(0, 100) < 75)
                sounds->Play(24);
            else
                sounds->Play(10 + mRng.RandUInt(0, 7));
        }
        break;
    case kFinished:
        if (timeline->WasStopped())
            mFinishedTimer = 0.0f;
        else if (running && timeline->GetRemainingTime() < 1.5)
            StartEntry(kWinJingle);
        else if (!running)
            StepCountUp(dt);
        break;
    case kPause:
        if (timeline->GetCurrentTime() < 12.0)
            StartEntry(kPauseMusic);
        if (!running) {
            mPauseEffectAccumulator += Float(dt * 30.0);
            EmitPauseParticles();
        }
        break;
    }
    if (mSignKind != kPause && SoundContainer::NumberOfEntries > kMusicEntries - 1)
        sounds->FadeOut(kPauseMusic);
}

void GameMenuProcessor::StepCountUp(Double dt)
{
    GameState* game = GetGameState();
    SoundContainer* sounds = GetSounds();
    const Float old = mFinishedTimer;
    mFinishedTimer = Float(Double(mFinishedTimer) + dt);
    if (old < 0.5f && mFinishedTimer >= 0.5f)
        // The fireworks fall over the whole screen; they take no position.
        mPlayfield->GetExplosionHandler()->StartFinishEffect(Math::Vector<Float>());

    const UInt32 stars = game->GetRunStars();
    for (const StarStep& step : kStarSteps) {
        if (stars >= step.mStars && mFinishedTimer > step.mFrom && mFinishedTimer < step.mFrom + 0.1f) {
            if (step.mBonus != 0) {
                SetStars(step.mStars);
                SetTimeBonus(step.mStars);
            }
            StartEntry(step.mSound);
            break;
        }
    }

    if (mFinishedTimer <= Float(stars) * 0.5f + 1.5f)
        return;
    if (mShownTotal < mTargetTotal) {
        // At least one point a step, so that a small total still counts up.
        UInt32 add = UInt32(dt * Double(mTargetTotal));
        if (add < 1)
            add = 1;
        UInt32 next = mTargetTotal - mShownTotal > add ? mShownTotal + add : mTargetTotal;
        if (next >= mTargetTotal) {
            next = mTargetTotal;
            mCountDoneTime = mFinishedTimer + 0.5f;
            game->SetPlayState(kCountDone);
        }
        const UInt32 tick = mTargetTotal / 15 > 0 ? mTargetTotal / 15 : 1;
        if (mShownTotal / tick != next / tick)
            sounds->Play(kCountTick);
        mShownTotal = next;
        mTotalScoreText.Get()->SetText(FormatScore(mShownTotal));
        return;
    }
    if (mFinishedTimer > mCountDoneTime && mFinishedTimer < mCountDoneTime + 0.1f && mBestScore != 0 &&
        mShownTotal > mBestScore) {
        mBestScoreText.Get()->SetText(Text(String("texts:game_finished_new_highscore")));
        StartEntry(36);
        StartEntry(37);
        StartEntry(38);
    }
}

void GameMenuProcessor::EmitPauseParticles()
{
    ParticleContainer* particles = mPlayfield->GetContext()->GetParticleContainer();
    const auto interpolation = Enums::InterpolationType::LINEAR;
    while (mPauseEffectAccumulator > 1.0f) {
        mPauseEffectAccumulator -= 1.0f;
        ParticleAnimator* particle = particles != nullptr ? particles->Obtain() : nullptr;
        if (particle == nullptr)
            continue;
        particle->SetDepthOrder(900010);
        particle->SetImage(mRng.RandBool() ? 36 : 35);
        const Float angle = Unit(mRng) * 2.0f * kPi;
        const Float spread = 1.0f + 0.5f * Unit(mRng);
        const Float dx = Math::Cos(angle) * spread;
        const Float dy = Math::Sin(angle) * spread;
        const Float keys[5][3] = {{0.0f, 10, 5}, {0.25f, 50, 20}, {0.5f, 90, 35}, {0.75f, 130, 50}, {1.0f, 180, 65}};
        for (const auto& key : keys)
            particle->GetPositionTrack().AppendKey(
                key[0], Math::Vector<float>(dx * key[1], dy * key[2] + 100.0f, 0.0f, 1.0f), interpolation);
        const Float axis0 = Unit(mRng);
        const Float turn0 = (Unit(mRng) - 0.5f) * kPi;
        const Float axis1 = Unit(mRng);
        const Float turn1 = (Unit(mRng) - 0.5f) * 2.0f * kPi;
        particle->GetRotationTrack().AppendKey(0.0f, Math::Vector<float>(0.0f, 0.0f, axis0, turn0), interpolation);
        particle->GetRotationTrack().AppendKey(1.0f, Math::Vector<float>(0.0f, 0.0f, axis1, turn1), interpolation);
        const Float alphas[4][2] = {{0.0f, 0.0f}, {0.1f, 1.0f}, {0.8f, 1.0f}, {1.0f, 0.0f}};
        for (const auto& alpha : alphas)
            particle->GetColorTrack().AppendKey(alpha[0], Math::Vector<float>(1.0f, 1.0f, 1.0f, alpha[1]),
                                                interpolation);
        const Float speed = (0.8f + 0.2f * Unit(mRng)) / 0.7f;
        for (ParticleTrack* track : {&particle->GetPositionTrack(), &particle->GetRotationTrack(),
                                     &particle->GetColorTrack(), &particle->GetScaleTrack()}) {
            track->GetTimeline()->SetEndTime(1.0f);
            track->GetTimeline()->SetTimeScale(speed);
        }
        particle->Start();
    }
}

} // namespace App
} // namespace Vorn
