#include <gtest/gtest.h>

#include <string>

#include "game/app_context.h"
#include "game/game_menu_processor.h"
#include "game/game_state.h"
#include "game/play/play_field.h"
#include "game/player_data.h"
#include "game/popup.h"
#include "graph/display_plane.h"
#include "graph/display_plane_sequence.h"
#include "graph/finish_logic_state.h"
#include "graph/parameters.h"
#include "graph/switch.h"
#include "graph/time/timeline.h"
#include "graph/transform/transform.h"
#include "input/input_device_handler.h"
#include "input/input_touchable_handler.h"
#include "logic/factory.h"
#include "logic/state.h"
#include "resource/native_font.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/fake_text_node.h"
#include "tests/support/font_fixture.h"
#include "tests/support/popup_graph.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

TEST(GameMenuProcessorTest, ZenTimeShowsSecondsMinutesOrHours)
{
    const struct
    {
        UInt32 mSeconds;
        const char* mText;
    } cases[] = {{0, "0 SEC"}, {59, "59 SEC"}, {60, "1:00"}, {3599, "59:59"}, {3600, "1:00:00"}, {3661, "1:01:01"}};
    for (const auto& c : cases)
        EXPECT_EQ(GameMenuProcessor::FormatZenTime(c.mSeconds), String(c.mText)) << c.mSeconds;
}

TEST(GameMenuProcessorTest, DescriptionLinesCountTheBreaks)
{
    EXPECT_EQ(GameMenuProcessor::CountLines(String("")), 0u);
    EXPECT_EQ(GameMenuProcessor::CountLines(String("ONE LINE")), 1u);
    EXPECT_EQ(GameMenuProcessor::CountLines(String("A\nB\nC")), 3u);
}

TEST(GameMenuProcessorTest, OneMissingGlyphSendsTheTextToTheSystemFont)
{
    Testing::FakeDisplayTextNode text;
    text.mGlyphs = {"A", "N", " ", "\xC3\xA9"};
    EXPECT_TRUE(GameMenuProcessor::FontHasAllGlyphs(String("ANNA \xC3\xA9"), &text));
    // Each multi-byte character is asked for whole.
    EXPECT_EQ(text.mAsked.back(), "\xC3\xA9");
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("ANNE"), &text));
    // Stray continuation bytes and a cut lead byte are characters the font lacks, read safely.
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("A\x80"), &text));
    EXPECT_FALSE(GameMenuProcessor::FontHasAllGlyphs(String("A\xC3"), &text));
    EXPECT_TRUE(GameMenuProcessor::FontHasAllGlyphs(String(""), &text));
}


// The tip pictures: picture i is 100 x (i + 1) units wide.
class TipPicture : public Graph::Transform, public Graph::IDisplayPlaneSequence
{
public:
    static Graph::INode* Create() { return new TipPicture(); }
    Bool SetIndex(SInt32 index) override { return mIndex = index, true; }
    SInt32 GetIndex() const override { return mIndex; }
    UInt32 GetNumberOfIndices() const override { return 3; }
    Real GetSizeX(UInt32 index) const override { return 100.0f * Real(index + 1); }
    Real GetCurrentSizeX() const override { return GetSizeX(UInt32(mIndex)); }
    Real GetSizeY(UInt32) const override { return 80.0f; }
    Real GetCurrentSizeY() const override { return 80.0f; }
    SInt32 mIndex = 0;
};

// The Escape key as the logic sees it, set by the test for one step.
class SignDevices : public Testing::FakeLogicDeviceHandler
{
public:
    Bool IsRawKeyboardAvailable() const override { return true; }
    Bool WasRawKeyPressed(UInt32 code) const override { return code == 1 && mEscape; }
    Bool mEscape = false;
};

std::string SignButton(const char* id, int x, int y)
{
    return "<Button id='" + std::string(id) + "' posX='" + std::to_string(x) + "' posY='" + std::to_string(y) +
           "' sizeX='40' sizeY='40' mouseButton='LEFT'/>";
}

std::string Star(const char* id)
{
    return "<Switch id='" + std::string(id) + "'><Node/><Node/></Switch>";
}

// The game screen's signs under a camera of one unit per pixel, every button apart, the long
// sign texture and the pop-up.
std::string SignGraph()
{
    const std::string finished =
        "<Namespace id='mm_sign_finished'>" + Star("star1") + Star("star2") + Star("star3") +
        "<FakeDisplayText id='base_score'/><FakeDisplayText id='total_score'/><FakeDisplayText id='time_bonus'/>"
        "<FakeDisplayText id='best_score'/>" +
        SignButton("button_next", -300, -200) + SignButton("button_replay", -200, -200) +
        SignButton("button_back", -100, -200) + SignButton("button_cancel_win_celebration", 0, -200) + "</Namespace>";
    const std::string failed = "<Namespace id='mm_sign_failed'>" + SignButton("button_replay", 100, -200) +
                               SignButton("button_back", 200, -200) + "</Namespace>";
    const std::string pause = "<Namespace id='mm_sign_pause'>" + SignButton("button_restart", -300, -300) +
                              SignButton("button_resume", -200, -300) + SignButton("button_back", -100, -300) +
                              SignButton("button_resume_everywhere", 0, -300) + SignButton("button_audio", 100, -300) +
                              "<Switch id='mm_music_switch'><Node/><Node/></Switch><FakeDisplayText id='player'/>"
                              "<Namespace id='systemfont'><Parameters id='parameters'/></Namespace></Namespace>";
    const std::string zen = "<Namespace id='mm_sign_zen'>" + SignButton("button_replay", 200, -300) +
                            SignButton("button_back", 300, -300) +
                            "<FakeDisplayText id='score'/><FakeDisplayText id='rings'/><FakeDisplayText id='time'/>"
                            "</Namespace>";
    return "<View><OrthographicCamera id='camera' unitSizeX='1'/>"
           "<Namespace id='systemfont_textures'><FakeText id='tex_sign_long'/></Namespace>"
           "<Namespace id='stage_game'>"
           "<Namespace id='sign' activeAndVisible='false'><Transform id='mm_sign' posX='10.4'/>"
           "<Timeline id='mm_sign_timeline' endTime='30'/>"
           "<Switch id='mm_sign_switch'>" +
           finished + failed + pause + zen +
           "</Switch></Namespace>"
           "<Namespace id='levelstart' activeAndVisible='false'><Timeline id='timeline' endTime='2'/>"
           "<DisplayPlane id='background'/><Transform id='position'/>" +
           SignButton("button_tap", 500, 300) +
           "<Transform id='textposition'/><Timeline id='tap_to_start_timeline' endTime='1'/>"
           "<FakeDisplayText id='stage'/><Scale id='levelname_scale'/><FakeDisplayText id='levelname'/>"
           "<FakeDisplayText id='description'/><Transform id='tap_to_start'/><Transform id='imageposition'/>"
           "<Switch id='atlas_select'><Node/><Node/></Switch><Namespace id='tips1'><TipPicture id='atlas'/></Namespace>"
           "</Namespace>"
           "<Namespace id='scorebar'><Namespace id='bar'><Scale id='levelname_scale'/>"
           "<FakeDisplayText id='levelname'/></Namespace></Namespace>"
           "<Namespace id='airstrike'><Transform id='button_airstrike'/></Namespace>"
           "</Namespace>" +
           Testing::PopupNamespace("p:font") + "</View>";
}

class GameMenuSceneTest : public Testing::ViewSceneFixture
{
protected:
    GameMenuSceneTest()
        : ViewSceneFixture(&mTouchables),
          mTextClasses(mFactory, {{"FakeText", &Testing::TextNode::Create},
                                  {"FakeDisplayText", &Testing::FakeDisplayTextNode::Create},
                                  {"TipPicture", &TipPicture::Create}}),
          mEngineState(mLogicFactory.CreateState(&mLogicDevices, &mConfiguration, &mLoader, nullptr)),
          mFinishLogicState(&mTouchables, nullptr), mContext(&mLogicFactory, 1280.0f, 800.0f), mPlayfield(&mContext),
          mMenu(&mLogicFactory, &mPlayfield)
    {
        mFinishLogicState.Init(&mClock);
        mDevices.Init(&mConfiguration);
        mMouse = mDevices.CreateMouseDevice();
        mClock.mStepDuration = 0.05;
        mProcessLogicState.Begin();
        mCollection.AddObject("p:font", &Resource::NativeFont::Create, Testing::MakeTestFontFile());
        mCollection.AddText("texts:stage", "STAGE ");
        mCollection.AddText("texts:zen_head", "ZEN");
        mCollection.AddText("texts:game_pause_head", ", ENJOY YOUR BREAK!");
        mCollection.AddText("texts:game_finished_best_score", "BEST: ");
        mCollection.AddText("texts:game_finished_new_highscore", "NEW BEST!");
        mCollection.AddText("texts:title_6", "Two lines");
        mCollection.AddText("texts:descr_6", "A\nB");
        mCollection.AddText("texts:descr_1", "one");
        mCollection.AddText("texts:descr_8", "a\nb\nc");
    }
    ~GameMenuSceneTest() override { mLogicFactory.DestroyState(mEngineState); }

    void SetUp() override
    {
        mScene = Scene(SignGraph());
        ASSERT_NE(mScene, nullptr);
        mEngineState->SetGraphRoot(mRoot.get());
        mEngineState->SetResourceCollection(&mCollection);
        mEngineState->SetCurrentTickDuration(0.05);
        mFinishLogicState.SetRoot(mRoot.get());
        GameState* game = Game();
        ASSERT_TRUE(game->Init(nullptr, nullptr));
        game->SetViewFloats(1280.0f, 800.0f, 0.0f);
        ASSERT_TRUE(game->CreatePlayer(0, "ANNA", ""));
        game->GetPlayer(0)->SetLevelCount(102);
        game->StartLevel(3);
        ASSERT_TRUE(mContext.GetPopup()->Init(mScene, Enums::Language::ENGLISH));
        ASSERT_TRUE(mMenu.GetProcessor()->Init(mEngineState->GetState()));
        Step(); // sets the camera's projection up
    }
    void TearDown() override
    {
        EXPECT_TRUE(mMenu.GetProcessor()->DeInit(mEngineState->GetState()));
        EXPECT_TRUE(mContext.GetPopup()->DeInit());
        EXPECT_TRUE(DestroyScene());
    }

    GameState* Game() { return mContext.GetGameState(); }
    // One logic step in the engine's order: the processor reads what the last pass recorded,
    // the finish pass clears the buttons' events, the process pass records new ones.
    void Step()
    {
        mMenu.OnStep(mEngineState->GetState());
        mFinishLogicState.BeginStep();
        EXPECT_TRUE(mRoot->FinishLogic(&mFinishLogicState));
        mDevices.Update();
        EXPECT_TRUE(mDevices.ResetTouchables(&mTouchables));
        EXPECT_TRUE(RunLogic());
        EXPECT_TRUE(mDevices.UpdateTouchables(&mTouchables));
        EXPECT_TRUE(RunOutput());
    }
    void Steps(UInt32 count)
    {
        for (UInt32 i = 0; i < count; ++i)
            Step();
    }
    // A left click at the named button: down in one step, up in the next, read in the one after.
    void Click(const char* path)
    {
        const Math::Matrix<float>& at = Matrix(path);
        const Float x = at[12] / 640.0f;
        const Float y = at[13] / 400.0f;
        mMouse->SetPointer(InputAction::kMove, 5, x, y);
        mMouse->SetPointer(InputAction::kDown, 0, x, y);
        Step();
        mMouse->SetPointer(InputAction::kUp, 0, x, y);
        Step();
        Step();
    }
    void Escape()
    {
        mLogicDevices.mEscape = true;
        Step();
        mLogicDevices.mEscape = false;
    }
    Graph::ITimeline* SignTimeline() { return Find<Graph::ITimeline>(mScene, "stage_game/sign/mm_sign_timeline"); }
    // Steps until the sign's timeline has stopped; false after 400 steps.
    Bool UntilAtRest()
    {
        for (UInt32 i = 0; i < 400 && SignTimeline()->IsRunning(); ++i)
            Step();
        return !SignTimeline()->IsRunning();
    }
    // Holds the running sign timeline at a time of its own (it creeps on by a ten-thousandth).
    void HoldSignAt(Real time)
    {
        Graph::ITimeline* timeline = SignTimeline();
        timeline->SetStartTime(time);
        timeline->SetEndTime(30.0f);
        timeline->SetTimeScale(0.0001f);
        timeline->Rewind();
        timeline->Start();
    }
    const Math::Matrix<float>& Matrix(const char* path)
    {
        return static_cast<const Graph::ITransform*>(Find<Graph::ITransform>(mScene, path))->GetTransform();
    }
    std::string Text(const char* path) { return Find<Graph::IText>(mScene, path)->GetText().GetText(); }
    SInt32 Child(const char* path) { return Find<Graph::ISwitch>(mScene, path)->GetIndex(); }
    Bool Shown(const char* path) { return Find<Graph::INode>(mScene, path)->IsActiveAndVisible(); }
    std::string Stars()
    {
        std::string stars;
        for (const char* star : {"stage_game/sign/mm_sign_finished/star1", "stage_game/sign/mm_sign_finished/star2",
                                 "stage_game/sign/mm_sign_finished/star3"})
            stars += std::to_string(Child(star));
        return stars;
    }
    // The finished sign over a won level with the stars, the total to count to and the stored best.
    void ShowFinished(UInt32 stars, UInt32 total, UInt32 best)
    {
        Game()->SetRunStars(stars);
        Game()->GetCurrentLevelData(3)->AddScore(best);
        mMenu.SetTimeBonusFactor(2);
        mMenu.SetTargetTotal(total);
        mMenu.SetFinishedScores(total / 2);
        mMenu.ShowSign(GameMenuProcessor::kFinished);
    }

    Testing::NodeClassRegistration mTextClasses;
    Input::TouchableHandler mTouchables;
    Input::DeviceHandler mDevices;
    IMouse* mMouse = nullptr;
    Logic::Factory mLogicFactory;
    SignDevices mLogicDevices;
    Testing::FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    Graph::FinishLogicState mFinishLogicState;
    AppContext mContext;
    Playfield mPlayfield;
    GameMenuProcessor mMenu;
    Graph::INamespace* mScene = nullptr;
};

TEST_F(GameMenuSceneTest, EachSignOpensItsWindowAndSwitchChild)
{
    // Bound: the stars start at one, the sign stands on whole pixels, the airstrike is hidden.
    EXPECT_EQ(Stars(), "100");
    EXPECT_EQ(Matrix("stage_game/sign/mm_sign")[12], 10.0f);
    EXPECT_EQ(Matrix("stage_game/sign/mm_sign")[13], 380.0f);
    EXPECT_FALSE(Shown("stage_game/airstrike/button_airstrike"));

    const struct
    {
        GameMenuProcessor::Sign mSign;
        Real mStart;
        Real mEnd;
        SInt32 mChild;
    } signs[] = {{GameMenuProcessor::kFinished, 7.5f, 12.0f, 0},
                 {GameMenuProcessor::kFailed, 5.0f, 15.0f, 1},
                 {GameMenuProcessor::kPause, 10.0f, 12.1f, 2},
                 {GameMenuProcessor::kZen, 5.0f, 12.0f, 3}};
    for (const auto& sign : signs) {
        mMenu.ShowSign(sign.mSign);
        EXPECT_TRUE(Shown("stage_game/sign")) << sign.mSign;
        EXPECT_TRUE(SignTimeline()->IsRunning());
        EXPECT_EQ(SignTimeline()->GetStartTime(), sign.mStart);
        EXPECT_EQ(SignTimeline()->GetEndTime(), sign.mEnd);
        EXPECT_EQ(Child("stage_game/sign/mm_sign_switch"), sign.mChild);
        // Leaving plays 20 to 21.6; the namespace goes once that has stopped.
        mMenu.HideSign();
        EXPECT_EQ(SignTimeline()->GetStartTime(), 20.0f);
        EXPECT_EQ(SignTimeline()->GetEndTime(), 21.6f);
        ASSERT_TRUE(UntilAtRest());
        Step();
        EXPECT_FALSE(Shown("stage_game/sign")) << sign.mSign;
    }

    // The pause sign greets the player; the sign font lacks the letters, so the texture shows it.
    mMenu.ShowSign(GameMenuProcessor::kPause);
    EXPECT_EQ(Text("systemfont_textures/tex_sign_long"), "ANNA, ENJOY YOUR BREAK!");
    EXPECT_FALSE(Shown("stage_game/sign/mm_sign_pause/player"));
    EXPECT_TRUE(Shown("stage_game/sign/mm_sign_pause/systemfont"));
    const Color& color = Find<Graph::IParameters>(mScene, "stage_game/sign/mm_sign_pause/systemfont/parameters")->GetColor(1);
    EXPECT_EQ(color.red, 0.4f);
    EXPECT_EQ(color.green, 0.16f);
    EXPECT_EQ(color.blue, 0.08f);

    // Taken down at once: hidden, the timeline parked at 21.15.
    mMenu.HideSignNow();
    EXPECT_FALSE(Shown("stage_game/sign"));
    EXPECT_EQ(SignTimeline()->GetCurrentTime(), 21.15f);
}

TEST_F(GameMenuSceneTest, ZenSignShowsTheRunAndItsTime)
{
    const struct
    {
        UInt32 mCount;
        Double mSeconds;
        const char* mCountText;
        const char* mTime;
    } cases[] = {{5, 59.9, "4", "59 SEC"}, {1, 60.0, "0", "1:00"}, {0, 3661.5, "0", "1:01:01"}};
    Game()->StartLevel(0);
    for (const auto& c : cases) {
        Game()->GetRun().Reset();
        Game()->SetRunStars(c.mCount);
        Game()->AddRunScore(1234567);
        Game()->GetRun().AddTime(c.mSeconds);
        mMenu.ShowSign(GameMenuProcessor::kZen);
        EXPECT_EQ(Text("stage_game/sign/mm_sign_zen/score"), "1,234,567");
        EXPECT_EQ(Text("stage_game/sign/mm_sign_zen/rings"), c.mCountText) << c.mCount;
        EXPECT_EQ(Text("stage_game/sign/mm_sign_zen/time"), c.mTime);
    }
}

TEST_F(GameMenuSceneTest, LevelStartLayoutFollowsTheDescriptionAndTheTip)
{
    const struct
    {
        UInt32 mLevel;
        SInt32 mTip; // -1: none
        const char* mStageLine;
        Float mPositionY;
        Float mBackground;
        Float mTapY;
        Float mTextX;
    } cases[] = {
        // No tip: centred, the stage line, 0 or 2 lines.
        {5, -1, "STAGE 5", -30.0f, 172.0f, -100.0f, 0.0f},
        {6, -1, "STAGE 6", 20.0f, 272.0f, -200.0f, 0.0f},
        {0, -1, "ZEN", -30.0f, 172.0f, -100.0f, 0.0f},
        // Tips at 1, 8 and 27 show pictures 0, 2 and 1 beside the text, up to 2 lines as for 2.
        {1, 0, "", 0.0f, 222.0f, -150.0f, 20.0f - 275.0f},
        {8, 2, "", 25.0f, 272.0f, -200.0f, 20.0f - 175.0f},
        {27, 1, "", 0.0f, 222.0f, -150.0f, 20.0f - 225.0f},
    };
    for (const auto& c : cases) {
        mMenu.ShowLevelStart(c.mLevel);
        EXPECT_EQ(Text("stage_game/levelstart/stage"), c.mStageLine) << c.mLevel;
        EXPECT_EQ(Matrix("stage_game/levelstart/position")[13], c.mPositionY) << c.mLevel;
        EXPECT_EQ(Find<Graph::IDisplayPlane>(mScene, "stage_game/levelstart/background")->GetScaleFactorY(),
                  c.mBackground)
            << c.mLevel;
        EXPECT_EQ(Matrix("stage_game/levelstart/tap_to_start")[13], c.mTapY) << c.mLevel;
        EXPECT_EQ(Matrix("stage_game/levelstart/textposition")[12], c.mTextX) << c.mLevel;
        EXPECT_EQ(Child("stage_game/levelstart/atlas_select"), c.mTip >= 0 ? 1 : 0) << c.mLevel;
        if (c.mTip >= 0) {
            EXPECT_EQ(Find<Graph::IDisplayPlaneSequence>(mScene, "stage_game/levelstart/tips1/atlas")->GetIndex(), c.mTip);
            EXPECT_EQ(Matrix("stage_game/levelstart/textposition")[13], 50.0f);
            EXPECT_EQ(Matrix("stage_game/levelstart/imageposition")[12], -325.0f);
        }
    }
    // Titles are upper-cased into the score bar too.
    mMenu.ShowLevelStart(6);
    EXPECT_EQ(Text("stage_game/levelstart/levelname"), "TWO LINES");
    EXPECT_EQ(Text("stage_game/scorebar/bar/levelname"), "TWO LINES");
}

TEST_F(GameMenuSceneTest, TheTapStartsPlayOnlyOnceTheSignWaits)
{
    Game()->SetPlayState(1);
    mMenu.ShowSign(GameMenuProcessor::kLevelStart);
    mMenu.ShowLevelStart(3);
    Step();
    EXPECT_TRUE(Shown("stage_game/levelstart"));
    EXPECT_FALSE(Shown("stage_game/levelstart/tap_to_start"));
    Click("stage_game/levelstart/button_tap");
    EXPECT_EQ(Game()->GetPlayState(), 1u);

    Game()->SetPlayState(2);
    Step();
    EXPECT_TRUE(Shown("stage_game/levelstart/tap_to_start"));
    EXPECT_TRUE(Find<Graph::ITimeline>(mScene, "stage_game/levelstart/tap_to_start_timeline")->IsRunning());
    Click("stage_game/levelstart/button_tap");
    EXPECT_EQ(Game()->GetPlayState(), 3u);
    EXPECT_EQ(mMenu.GetSign(), GameMenuProcessor::kNoSign);
    // The sign leaves through 1 to 1.5 and is hidden after.
    Steps(20);
    EXPECT_FALSE(Shown("stage_game/levelstart"));
}

TEST_F(GameMenuSceneTest, ButtonsWorkFromSignTimeElevenUntilTheLeaving)
{
    const struct
    {
        Real mTime;
        Bool mTaken;
    } cases[] = {{10.5f, false}, {11.0f, true}, {18.9f, true}, {19.0f, false}, {20.5f, false}};
    for (const auto& c : cases) {
        Game()->SetPlayState(18);
        mMenu.HideSignNow();
        mMenu.ShowSign(GameMenuProcessor::kPause);
        HoldSignAt(c.mTime);
        Click("stage_game/sign/mm_sign_pause/button_resume");
        EXPECT_EQ(Game()->GetPlayState(), c.mTaken ? 4u : 18u)
            << c.mTime << " at " << SignTimeline()->GetCurrentTime() << (SignTimeline()->IsRunning() ? " running" : "");
        EXPECT_EQ(mMenu.GetSign(), c.mTaken ? GameMenuProcessor::kNoSign : GameMenuProcessor::kPause) << c.mTime;
    }
}

TEST_F(GameMenuSceneTest, EachButtonAsksForItsRequest)
{
    const struct
    {
        GameMenuProcessor::Sign mSign;
        const char* mButton;
        UInt32 mRequest;
        Bool mHides; // back buttons leave the sign to the stage
    } cases[] = {
        {GameMenuProcessor::kPause, "stage_game/sign/mm_sign_pause/button_resume_everywhere", 4, true},
        {GameMenuProcessor::kPause, "stage_game/sign/mm_sign_pause/button_restart", 22, true},
        {GameMenuProcessor::kPause, "stage_game/sign/mm_sign_pause/button_back", 20, false},
        {GameMenuProcessor::kFailed, "stage_game/sign/mm_sign_failed/button_replay", 22, true},
        {GameMenuProcessor::kFailed, "stage_game/sign/mm_sign_failed/button_back", 20, false},
        {GameMenuProcessor::kZen, "stage_game/sign/mm_sign_zen/button_replay", 22, true},
        {GameMenuProcessor::kZen, "stage_game/sign/mm_sign_zen/button_back", 20, false},
        {GameMenuProcessor::kFinished, "stage_game/sign/mm_sign_finished/button_next", 23, true},
        {GameMenuProcessor::kFinished, "stage_game/sign/mm_sign_finished/button_replay", 22, true},
        {GameMenuProcessor::kFinished, "stage_game/sign/mm_sign_finished/button_back", 20, false},
    };
    for (const auto& c : cases) {
        Game()->SetPlayState(0);
        mMenu.ShowSign(c.mSign);
        ASSERT_TRUE(UntilAtRest());
        Click(c.mButton);
        EXPECT_EQ(Game()->GetPlayState(), c.mRequest) << c.mButton;
        EXPECT_EQ(mMenu.GetSign() == GameMenuProcessor::kNoSign, c.mHides) << c.mButton;
        mMenu.HideSignNow();
    }
}

TEST_F(GameMenuSceneTest, EscapeIsBackOnlyOnARestingSign)
{
    Game()->SetPlayState(10);
    mMenu.ShowSign(GameMenuProcessor::kFailed);
    Step();
    Escape();
    EXPECT_EQ(Game()->GetPlayState(), 10u);
    // At rest the failed sign first moves 10 to 11; Escape then asks for the map.
    ASSERT_TRUE(UntilAtRest());
    Step();
    EXPECT_EQ(Game()->GetPlayState(), 11u);
    Escape();
    EXPECT_EQ(Game()->GetPlayState(), 20u);

    // No sign, no back.
    mMenu.HideSignNow();
    Game()->SetPlayState(5);
    Escape();
    EXPECT_EQ(Game()->GetPlayState(), 5u);
}

TEST_F(GameMenuSceneTest, TwoStarsCountUpAfterTwoAndAHalfSecondsAndANewBestShows)
{
    ShowFinished(2, 1000000, 600000);
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/base_score"), "500,000");
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/best_score"), "BEST: 600,000");
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/time_bonus"), "0");
    EXPECT_EQ(Stars(), "000");
    ASSERT_TRUE(UntilAtRest());
    Step(); // the stop starts the finished timer

    // Nothing is counted before 2.5 s; the stars come at 1 and 1.5 s, the third never.
    while (mMenu.GetFinishedTimer() < 2.4f) {
        Step();
        EXPECT_EQ(mMenu.GetShownTotal(), 0u) << mMenu.GetFinishedTimer();
    }
    EXPECT_EQ(Stars(), "110");
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/time_bonus"), "200,000");
    Steps(2);
    EXPECT_GT(mMenu.GetShownTotal(), 0u);
    EXPECT_LT(mMenu.GetShownTotal(), 1000000u);

    // The whole total in about a second, then play state 14 and, half a second on, the new best.
    Steps(40);
    EXPECT_EQ(mMenu.GetShownTotal(), 1000000u);
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/total_score"), "1,000,000");
    EXPECT_EQ(Game()->GetPlayState(), 14u);
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/best_score"), "NEW BEST!");
    EXPECT_EQ(Stars(), "110");
}

TEST_F(GameMenuSceneTest, ASmallTotalStillCountsUpAndEnds)
{
    // A total below one a step and below the fifteen ticks: one point a step, and an end.
    for (UInt32 total : {1u, 7u, 15u}) {
        Game()->SetPlayState(13);
        mMenu.HideSignNow();
        ShowFinished(1, total, 0);
        ASSERT_TRUE(UntilAtRest());
        Steps(80);
        EXPECT_EQ(mMenu.GetShownTotal(), total) << total;
        EXPECT_EQ(Game()->GetPlayState(), 14u) << total;
        // A first completion shows no best line.
        EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/best_score"), "") << total;
    }
}

TEST_F(GameMenuSceneTest, CancellingTheCelebrationShowsTheTotalAndNoNewBest)
{
    ShowFinished(3, 900000, 100);
    ASSERT_TRUE(UntilAtRest());
    Steps(5);
    Click("stage_game/sign/mm_sign_finished/button_cancel_win_celebration");
    EXPECT_EQ(Stars(), "111");
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/time_bonus"), "500,000");
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/total_score"), "900,000");
    EXPECT_EQ(mMenu.GetShownTotal(), 900000u);
    Steps(40);
    EXPECT_EQ(Text("stage_game/sign/mm_sign_finished/best_score"), "BEST: 100");
    EXPECT_NE(Game()->GetPlayState(), 14u);
}

TEST_F(GameMenuSceneTest, ARestingPopupStopsTheGameGraphAndTheSigns)
{
    Game()->SetPlayState(18);
    mMenu.ShowSign(GameMenuProcessor::kPause);
    ASSERT_TRUE(UntilAtRest());
    Popup* popup = mContext.GetPopup();
    popup->ShowTwoButtons(String("test"), String("SURE?"), String("YES"), String("NO"));
    Step();
    // While it opens the game graph still runs.
    EXPECT_TRUE(Find<Graph::INode>(mScene, "stage_game")->IsActive());
    Steps(15);
    EXPECT_FALSE(Find<Graph::INode>(mScene, "stage_game")->IsActive());
    // The sign's buttons are not read, Escape answers the pop-up.
    Escape();
    EXPECT_EQ(Game()->GetPlayState(), 18u);
    EXPECT_EQ(popup->GetResult(), 100u);
    Steps(15);
    EXPECT_FALSE(popup->IsOpen());
    Step();
    EXPECT_TRUE(Find<Graph::INode>(mScene, "stage_game")->IsActive());
    Click("stage_game/sign/mm_sign_pause/button_resume");
    EXPECT_EQ(Game()->GetPlayState(), 4u);
}

} // namespace
} // namespace App
} // namespace Vorn
