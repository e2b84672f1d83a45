// Levels played out by script over the game stage's play objects: a small level file applied by
// the level handler, the animals, course, score and player processors stepped in the stage's
// order with the game state, clicks through the fake device handler, a fixed seed and fixed
// steps. After each shot the chains, the queued events and the run score are as expected; at the
// end the stars and the play state; a second run plays out alike.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animals_processor.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/course_processor.h"
#include "game/play/course_segment.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/level_handler.h"
#include "game/play/play_field.h"
#include "game/play/play_seed.h"
#include "game/play/player_processor.h"
#include "game/play/score_processor.h"
#include "game/play/weapon.h"
#include "game/sound_container.h"
#include "logic/factory.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "tests/support/chain_text.h"
#include "tests/support/fake_loader.h"
#include "tests/support/fake_logic_device_handler.h"
#include "tests/support/level_file_writer.h"
#include "tests/support/play_object_templates.h"
#include "tests/support/play_stage_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

constexpr Double kStep = 1.0 / 60.0;

// A course chunk: one list of kinds from parameter 0, and path pieces of (time, radius a, radius
// b) around the centre, still.
LevelPayload Course(const std::string& kinds, Float x, Float y, const std::vector<std::vector<Float>>& pieces)
{
    LevelPayload payload;
    payload.U32(0).F32(400.0f).U32(3).F32(950.0f).F32(950.0f).U32(1000).F32(0.0f).F32(0.0f).U32(0);
    payload.U32(0).U32(1 | 1 << 16).U32(1).U32(UInt32(pieces.size()));
    payload.F32(0.0f).U32(UInt32(kinds.size()));
    for (char letter : kinds)
        payload.U32(UInt32(KindOf(letter))).U32(0);
    payload.Zeros(2 * (64 - UInt32(kinds.size())));
    for (const std::vector<Float>& piece : pieces) {
        payload.F32(piece[0]);
        const Float values[] = {x, y, piece[1], piece[2]};
        for (Float value : values)
            payload.Optional(true, LevelWord(value));
        payload.Optional(false, 0).Optional(true, LevelWord(0.0f)).Optional(false, 0);
    }
    return payload;
}

// Level 3 is won with one shot: a red into the two reds. Level 4 is lost: its course shrinks
// to nothing within eight seconds while a shot finds no run.
std::vector<UInt8> LevelFile()
{
    LevelFileWriter writer;
    // The first two levels are the tutorial's.
    writer.Level();
    writer.Level();
    writer.Level();
    writer.Chunk("LPRO", LevelPayload().F32(60.0f).F32(90.0f).F32(131.0f).F32(0.0f));
    writer.Chunk("CORS", Course("KRRL", 0.0f, 200.0f, {{0.0f, 300.0f, 120.0f}}));
    writer.Level();
    writer.Chunk("LPRO", LevelPayload().F32(60.0f).F32(90.0f).F32(131.0f).F32(0.0f));
    writer.Chunk("CORS", Course("KRGL", 0.0f, 200.0f, {{0.0f, 300.0f, 120.0f}, {8.0f, 40.0f, 40.0f}}));
    return writer.GetBytes();
}

// The game stage's nodes that the play objects bind, under a camera of one unit per pixel.
std::string StageXml()
{
    std::string xml = "<View><OrthographicCamera id='camera' unitSizeX='1'/><Namespace id='sounds'>";
    for (const char* const* name = PlaySoundNames(); *name != nullptr; ++name)
        xml += std::string("<Namespace id='") + *name +
               "'><Timeline id='timeline' endTime='10'><AudioSequence id='sequence'/></Timeline></Namespace>";
    xml += "</Namespace><Namespace id='stage_game'>" + PlayPoolsXml(40, 2) +
           PlaySignsXml() +
           "<Namespace id='ramp'><Timeline id='timeline' endTime='1'/><Transform id='transform'/>"
           "<Transform id='inner_transform'/><Transform id='rotation'/><Transform id='ramp_shadow'/>"
           "<Transform id='shadow_rotation'/></Namespace>"
           "<Namespace id='tutorial' activeAndVisible='false'><Timeline id='timeline' endTime='1'/>"
           "<Transform id='position'/><Transform id='tutorialarrow'/></Namespace>"
           "<Namespace id='airstrike'><Button id='button_airstrike' sizeX='100' sizeY='100' mouseButton='LEFT'/>"
           "<Parameters id='parameters'/></Namespace>"
           "<Namespace id='tutorial_concealer' activeAndVisible='false'>"
           "<DisplayObject id='display_object' maxNumberOfIndices='10' maxNumberOfVertices='10' "
           "hasTexCoords0='true'/><Timeline id='timeline' endTime='1'/></Namespace>"
           "</Namespace>" +
           FramebufferXml(2) + "</View>";
    return xml;
}

class GamePlayEndToEndTest : public ViewSceneFixture
{
protected:
    GamePlayEndToEndTest()
        : mClasses(mFactory, {{"TestText", &CountingText::Create}}),
          mEngineState(mLogicFactory.CreateState(&mDevices, &mConfiguration, &mLoader, nullptr)),
          mContext(&mLogicFactory, 1280.0f, 800.0f)
    {
    }
    ~GamePlayEndToEndTest() override { mLogicFactory.DestroyState(mEngineState); }

    void SetUp() override
    {
        AddPoolGraphs(mCollection);
        mCollection.AddText("texts:stage", "Stage ");
        mCollection.AddText("texts:game_score_course_remove", "Ring ");
        mScene = Scene(StageXml());
        ASSERT_NE(mScene, nullptr);
        ASSERT_TRUE(RunFrame()); // the camera's projection
        mEngineState->SetGraphRoot(mRoot.get());
        mEngineState->SetResourceCollection(&mCollection);
        mEngineState->SetCurrentTickDuration(kStep);
        mContext.GetSoundContainer()->BuildTable(mScene);
        mFile = LevelFile();
    }
    void TearDown() override
    {
        EXPECT_TRUE(mContext.GetSoundContainer()->DeInit());
        ClearPlaySeed();
    }

    // The play objects of one game stage, made afresh for each run as the stage makes them.
    struct Stage
    {
        explicit Stage(GamePlayEndToEndTest& test)
            : mField(&test.mContext), mAnimals(&test.mLogicFactory, &mField), mCourses(&test.mLogicFactory, &mField),
              mScore(&test.mLogicFactory, &mField), mPlayer(&test.mLogicFactory, &mField),
              mLevels(&mField, &mAnimals, &mCourses, &mPlayer, &mScore)
        {
        }
        Playfield mField;
        AnimalsProcessor mAnimals;
        CourseProcessor mCourses;
        ScoreProcessor mScore;
        PlayerProcessor mPlayer;
        LevelHandler mLevels;
    };

    Logic::IState* State() { return mEngineState->GetState(); }
    GameState* Game() { return mContext.GetGameState(); }

    // One logic step: the game state, then the stage's processors in the stage's order.
    void Step(Stage& stage)
    {
        Game()->Step(kStep);
        for (Logic::BaseChildProcessor* processor :
             {static_cast<Logic::BaseChildProcessor*>(&stage.mAnimals),
              static_cast<Logic::BaseChildProcessor*>(&stage.mCourses),
              static_cast<Logic::BaseChildProcessor*>(&stage.mScore),
              static_cast<Logic::BaseChildProcessor*>(&stage.mPlayer)})
            processor->GetProcessor()->Step(State());
        EXPECT_TRUE(RunLogic());
    }
    void Steps(Stage& stage, int count)
    {
        for (int i = 0; i < count; ++i)
            Step(stage);
    }
    // A click at the scene point: pressed for one step, released for the next.
    void Click(Stage& stage, const Math::Vector<Float>& at)
    {
        mDevices.mMouseX = at.x / 640.0f;
        mDevices.mMouseY = at.y / 400.0f;
        mDevices.mMouseDown = true;
        Step(stage);
        mDevices.mMouseDown = false;
        Step(stage);
    }

    // "state: chain|chain" per course, the events queued since the last look, the run score.
    std::string Describe(Stage& stage, const std::string& events)
    {
        std::ostringstream text;
        const CourseHandler& courses = *stage.mField.GetCourseHandler();
        for (UInt32 i = 0; i < courses.GetCourseCount(); ++i) {
            const CourseAnimator& course = *courses.GetCourse(i);
            text << course.GetState() << ":";
            for (SInt32 s = 0; s < course.GetSegmentCount(); ++s)
                text << (s ? "|" : "") << Kinds(course.GetSegmentAt(s));
            text << " ";
        }
        text << "events" << events << "; score " << Game()->GetRunScore() << "; play " << Game()->GetPlayState()
             << "; flying " << stage.mField.GetFlyingObjectHandler()->GetAnimalCount();
        return text.str();
    }
    // The events the score processor is about to book, in queue order.
    std::string Queued()
    {
        std::ostringstream text;
        const Array<ScoreEvent>& events = Game()->GetScoreEvents();
        for (SInt32 e = 0; e < events.GetCount(); ++e)
            text << " " << events[e].mType << "x" << events[e].mCount;
        return text.str();
    }
    // Steps until the shot has landed, gathering the events before the score processor books
    // them, then lets the chain settle.
    std::string Land(Stage& stage, int settle)
    {
        std::string events;
        for (int i = 0; i < 240 && (i < settle || stage.mField.GetFlyingObjectHandler()->GetAnimalCount() > 0); ++i) {
            Game()->Step(kStep);
            stage.mAnimals.GetProcessor()->Step(State());
            stage.mCourses.GetProcessor()->Step(State());
            events += Queued();
            stage.mScore.GetProcessor()->Step(State());
            stage.mPlayer.GetProcessor()->Step(State());
            EXPECT_TRUE(RunLogic());
        }
        return events;
    }

    // Plays the level by the script of clicks (chain indices of the first course to aim at);
    // the transcript after the start and after each shot, then the stars and the play state.
    std::vector<std::string> Play(UInt32 level, const std::vector<UInt32>& aims, int endSteps)
    {
        SetPlaySeed(4321);
        std::vector<std::string> transcript;
        Stage stage(*this);
        EXPECT_TRUE(stage.mField.Init(mScene, "/stage_game"));
        stage.mPlayer.SetWeaponContainer(stage.mField.GetWeaponContainer());
        for (Logic::BaseChildProcessor* processor :
             {static_cast<Logic::BaseChildProcessor*>(&stage.mAnimals),
              static_cast<Logic::BaseChildProcessor*>(&stage.mCourses),
              static_cast<Logic::BaseChildProcessor*>(&stage.mScore),
              static_cast<Logic::BaseChildProcessor*>(&stage.mPlayer)})
            EXPECT_TRUE(processor->GetProcessor()->Init(State()));
        EXPECT_EQ(LevelData::LoadLevels(mFile.data(), UInt32(mFile.size()), stage.mLevels.GetLevels(), "e2e"), 5u);

        Game()->SetLevel(level, true);
        Game()->SetViewFloats(1280.0f, 800.0f, 0.0f);
        Game()->SetTimeFactor(1.0f);
        stage.mField.Reset();
        stage.mCourses.ResetWarnings();
        stage.mPlayer.Reset();
        EXPECT_TRUE(stage.mLevels.ApplyLevel(level));
        Game()->SetPlayState(1);
        Step(stage);
        Game()->SetPlayState(4);
        Step(stage);
        Game()->SetPlayState(5);
        Steps(stage, 30);
        transcript.push_back(Describe(stage, ""));

        for (UInt32 aim : aims) {
            const CourseAnimator* course = stage.mField.GetCourseHandler()->GetCourse(0);
            if (course == nullptr || course->GetAnimalAt(aim) == nullptr) {
                ADD_FAILURE() << "no animal to aim at: " << aim;
                break;
            }
            Click(stage, course->GetAnimalAt(aim)->GetPosition());
            const std::string events = Land(stage, 60);
            transcript.push_back(Describe(stage, events));
        }
        std::ostringstream end;
        std::vector<UInt32> states;
        for (int i = 0; i < endSteps; ++i) {
            Step(stage);
            if (states.empty() || states.back() != Game()->GetPlayState())
                states.push_back(Game()->GetPlayState());
        }
        end << "stars " << Game()->GetRunStars() << " states";
        for (UInt32 state : states)
            end << " " << state;
        transcript.push_back(end.str());

        stage.mPlayer.Reset();
        for (Logic::BaseChildProcessor* processor :
             {static_cast<Logic::BaseChildProcessor*>(&stage.mPlayer),
              static_cast<Logic::BaseChildProcessor*>(&stage.mScore),
              static_cast<Logic::BaseChildProcessor*>(&stage.mCourses),
              static_cast<Logic::BaseChildProcessor*>(&stage.mAnimals)})
            EXPECT_TRUE(processor->GetProcessor()->DeInit(State()));
        EXPECT_TRUE(stage.mField.DeInit());
        return transcript;
    }

    NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    FakeLogicDeviceHandler mDevices;
    FakeLoader mLoader;
    Logic::IEngineState* mEngineState;
    AppContext mContext;
    Graph::INamespace* mScene = nullptr;
    std::vector<UInt8> mFile;
};

TEST_F(GamePlayEndToEndTest, ALevelWonByOneShotIsRatedByItsTime)
{
    // Events: 0 a shot entered beside a match, 3 a run at a shot, 12 a run removed (with its
    // count), 9 a finished course. 200 for the three reds and 5000 for the course.
    const std::vector<std::string> expected = {
        "3:KRRL events; score 0; play 5; flying 0",
        "4: events 0x1 3x1 12x3 9x1; score 5200; play 12; flying 0",
        "stars 3 states 12",
    };
    const std::vector<std::string> first = Play(3, {1}, 60);
    EXPECT_EQ(first, expected);
    EXPECT_EQ(Play(3, {1}, 60), first);
}

TEST_F(GamePlayEndToEndTest, ALevelWhoseCourseShrinksAwayIsLostAfterTheSkull)
{
    // Events: 0 a shot entered beside one of its colour, 5 a shot without a run.
    const std::vector<std::string> expected = {
        "3:KRGL events; score 0; play 5; flying 0",
        "3:KRGGL events 0x1 5x1; score 0; play 5; flying 0",
        "stars 0 states 5 8 9",
    };
    const std::vector<std::string> first = Play(4, {1}, 600);
    EXPECT_EQ(first, expected);
    EXPECT_EQ(Play(4, {1}, 600), first);
}

} // namespace
} // namespace App
} // namespace Vorn
