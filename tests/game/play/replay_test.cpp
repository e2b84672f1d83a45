// A level played by script: a two-course level file, a fixed seed, animals shot at chain points,
// stepped as the logic thread does. After each shot the chains, the score events and the loss
// answers are as expected, and a second run plays out alike.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/array.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/course_segment.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/play_seed.h"
#include "tests/support/chain_text.h"
#include "tests/support/level_file_writer.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/play_templates.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

// A course chunk: start trigger, one list of kinds from its start position, one still path piece.
LevelPayload Course(UInt32 startTrigger, const std::string& kinds, Float x, Float y, Float a, Float b, Float speed)
{
    LevelPayload payload;
    payload.U32(startTrigger).F32(400.0f).U32(3).F32(950.0f).F32(950.0f).U32(1000).F32(0.0f).F32(0.0f).U32(0);
    payload.U32(startTrigger).U32(1 | 1 << 16).U32(1).U32(1);
    payload.F32(0.0f).U32(UInt32(kinds.size()));
    for (char letter : kinds)
        payload.U32(UInt32(KindOf(letter))).U32(0);
    payload.Zeros(2 * (64 - UInt32(kinds.size())));
    payload.F32(0.0f);
    const Float values[] = {x, y, a, b};
    for (Float value : values)
        payload.Optional(true, LevelWord(value));
    payload.Optional(false, 0).Optional(true, LevelWord(speed)).Optional(false, 0);
    return payload;
}

std::vector<UInt8> TwoCourseLevel()
{
    LevelFileWriter writer;
    writer.Level();
    writer.Chunk("CORS", Course(0, "KRBBGGBRL", -250.0f, 0.0f, 250.0f, 180.0f, 20.0f));
    writer.Chunk("CORS", Course(1, "KYYRRL", 300.0f, 0.0f, 200.0f, 150.0f, 20.0f));
    return writer.GetBytes();
}

class ReplayTest : public ViewSceneFixture
{
protected:
    void SetUp() override
    {
        mCollection.AddGraph("p:animal", AnimalTemplate().c_str());
        mCollection.AddGraph("p:course", CourseTemplate().c_str());
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                       "<Instance id='animal_container' graphResourceId='p:animal' replications='60'/>"
                       "<Instance id='course_container' graphResourceId='p:course' replications='2'/></View>");
        ASSERT_NE(mScene, nullptr);
        mClock.mStepDuration = PlayStepHarness::kStep;
        mClock.Update();
        mProcessLogicState.Init(&mClock);
        const std::vector<UInt8> file = TwoCourseLevel();
        ASSERT_EQ(LevelData::LoadLevels(file.data(), UInt32(file.size()), mLevels, "replay"), 2u);
        ASSERT_EQ(mLevels[1].mCourses.GetCount(), 2);
    }
    void TearDown() override { ClearPlaySeed(); }

    // Plays the script once from a fresh play field; the transcript of every shot.
    std::vector<std::string> Play()
    {
        SetPlaySeed(1234);
        GameState gameState;
        gameState.StartLevel(1);
        gameState.SetViewFloats(1280.0f, 800.0f, 0.0f);
        RecordingExplosionHandler effects;
        FlyingObjectHandler flying;
        AnimalContainer animals(&gameState, &effects);
        CourseHandler courses(&gameState, &animals, &effects, &flying, nullptr);
        EXPECT_TRUE(animals.Init(mScene, ""));
        EXPECT_TRUE(courses.Init(mScene, ""));
        mShotSource = &animals;
        const LevelData& level = mLevels[1];
        for (SInt32 i = 0; i < level.mCourses.GetCount(); ++i)
            courses.AppendCourse()->Setup(&level.mCourses[i], UInt32(i + 1), false);
        PlayStepHarness harness(gameState, courses, animals, flying);
        harness.mGraphPass = [this] { EXPECT_TRUE(RunLogic()); };
        std::vector<std::string> transcript;
        gameState.SetPlayState(4);
        harness.Step();
        gameState.SetPlayState(5);
        harness.Steps(30);
        transcript.push_back(Describe(gameState, courses, harness));

        // Green into the greens: they go, the blues close in and go, the reds stay two.
        Shoot(courses, flying, 1, 4, "G");
        Settle(harness, flying);
        transcript.push_back(Describe(gameState, courses, harness));
        // Red into the reds: the first course holds no colour any more, finishes and starts the
        // second; once its strip has played, it leaves.
        Shoot(courses, flying, 1, 1, "R");
        Settle(harness, flying);
        gameState.SetPlayState(4);
        harness.Step();
        gameState.SetPlayState(5);
        transcript.push_back(Describe(gameState, courses, harness));
        // Yellow into the yellows of the second course: key and red do not match when they meet.
        Shoot(courses, flying, 2, 1, "Y");
        Settle(harness, flying);
        transcript.push_back(Describe(gameState, courses, harness));
        // A blue where nothing matches.
        Shoot(courses, flying, 2, 1, "B");
        Settle(harness, flying);
        transcript.push_back(Describe(gameState, courses, harness));

        EXPECT_TRUE(courses.DeInit());
        EXPECT_TRUE(animals.DeInit());
        return transcript;
    }

    // A shot of the kind flying in from outside the course at the chain animal of the index.
    void Shoot(CourseHandler& courses, FlyingObjectHandler& flying, UInt32 key, UInt32 index, const char* kind)
    {
        CourseAnimator* course = courses.FindCourseByKey(key);
        ASSERT_NE(course, nullptr);
        const Animal* target = course->GetAnimalAt(index);
        ASSERT_NE(target, nullptr);
        Animal* shot = mShotSource->ObtainAnimal(KindOf(kind[0]));
        ASSERT_NE(shot, nullptr);
        shot->mCheckMatch = true;
        shot->mShot = true;
        const Math::Vector<Float>& centre = course->GetEllipsis().GetCentre();
        Float dx = target->mPosition.x - centre.x;
        Float dy = target->mPosition.y - centre.y;
        const Float length = std::sqrt(dx * dx + dy * dy);
        dx /= length;
        dy /= length;
        shot->SetPosition(target->mPosition.x + dx * 90.0f, target->mPosition.y + dy * 90.0f);
        FlyingAnimal* record = flying.SpawnAnimal(shot);
        record->mVelocity = Math::Vector<Float>(-dx * 600.0f, -dy * 600.0f, 0.0f, 0.0f);
    }

    static void Settle(PlayStepHarness& harness, FlyingObjectHandler& flying)
    {
        for (int i = 0; i < 120 && flying.GetAnimalCount() > 0; ++i)
            harness.Step();
        harness.Steps(180);
    }

    // "key:state chain|chain" per course, then the score events since the last look, then the
    // loss and win answers.
    std::string Describe(GameState& gameState, CourseHandler& courses, const PlayStepHarness& harness)
    {
        std::ostringstream text;
        for (UInt32 i = 0; i < courses.GetCourseCount(); ++i) {
            const CourseAnimator& course = *courses.GetCourse(i);
            text << course.GetCourseKey() << ":" << course.GetState() << " ";
            for (SInt32 s = 0; s < course.GetSegmentCount(); ++s)
                text << (s ? "|" : "") << Kinds(course.GetSegmentAt(s));
            text << "; ";
        }
        Array<ScoreEvent>& events = gameState.GetScoreEvents();
        text << "events";
        for (SInt32 e = 0; e < events.GetCount(); ++e)
            text << " " << events[e].mType << "x" << events[e].mCount;
        events.Clear();
        text << "; closed " << harness.mClosed << " collapsed " << harness.mCollapsed << " won " << harness.mWon;
        return text.str();
    }

    Graph::INamespace* mScene = nullptr;
    Array<LevelData> mLevels;
    AnimalContainer* mShotSource = nullptr;
};

TEST_F(ReplayTest, PlaysTheScriptAlikeTwice)
{
    // Events: 0/1 a shot entered beside a match or not, 3 a run at a shot, 4 a chain reaction,
    // 5 a shot without a run, 7 a gap closed after a removal, 9 a finished course, 12 a run
    // removed (with its count).
    const std::vector<std::string> expected = {
        "1:3 KRBBGGBRL; 2:0 ; events; closed 0 collapsed 0 won 0",
        "1:3 KRRL; 2:0 ; events 0x1 3x1 12x3 7x1 4x1 12x3 7x1; closed 0 collapsed 0 won 0",
        "2:3 KYYRRL; events 0x1 3x1 12x3 9x1; closed 0 collapsed 0 won 0",
        "2:3 KRRL; events 0x1 3x1 12x3 7x1; closed 0 collapsed 0 won 0",
        "2:3 KRBRL; events 1x1 5x1; closed 0 collapsed 0 won 0",
    };
    const std::vector<std::string> first = Play();
    EXPECT_EQ(first, expected);
    EXPECT_EQ(Play(), first);
}

} // namespace
} // namespace App
} // namespace Vorn
