// Every campaign level of the built level file is played out on the course model with a simple
// aiming routine under a fixed seed: it shoots the colour that completes the run nearest the
// front of the first running chain (a pair, else a single animal), as a shot that flies in from
// just outside the course. Only colours the launcher brings are shot. The test reports how many
// levels it wins within their time limit and fails for a level that cannot be won this way.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/array.h"
#include "game/game_state.h"
#include "game/play/animal.h"
#include "game/play/animal_container.h"
#include "game/play/course_animator.h"
#include "game/play/course_handler.h"
#include "game/play/flying_object.h"
#include "game/play/level_data.h"
#include "game/play/play_seed.h"
#include "tests/support/play_step_harness.h"
#include "tests/support/play_templates.h"
#include "tests/support/recording_explosion_handler.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;
namespace fs = std::filesystem;

constexpr UInt32 kMaxShots = 400;

fs::path LevelFilePath()
{
    const char* given = std::getenv("VORN_CONTENT_PACKAGES");
    return (given != nullptr ? fs::path(given) : fs::path("..") / "content" / "packages") / "SkarvelLevels.vorn";
}

Bool IsColour(SInt32 kind)
{
    return kind >= 5 && kind <= 13;
}

enum class Outcome
{
    kWon,
    kLost,
    kOutOfTime,
    kStuck,
};

class ContentWinnableTest : public ViewSceneFixture
{
protected:
    void SetUp() override
    {
        mCollection.AddGraph("p:animal", AnimalTemplate().c_str());
        mCollection.AddGraph("p:course", CourseTemplate().c_str());
        mScene = Scene("<View><PerspectiveCamera fieldOfViewX='1' zw='100'/>"
                       "<Instance id='animal_container' graphResourceId='p:animal' replications='200'/>"
                       "<Instance id='course_container' graphResourceId='p:course' replications='8'/></View>");
        ASSERT_NE(mScene, nullptr);
        mClock.mStepDuration = PlayStepHarness::kStep;
        mClock.Update();
        mProcessLogicState.Init(&mClock);
        std::ifstream file(LevelFilePath(), std::ios::binary);
        const std::vector<UInt8> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        ASSERT_FALSE(bytes.empty()) << "no level file at " << LevelFilePath();
        ASSERT_EQ(LevelData::LoadLevels(bytes.data(), UInt32(bytes.size()), mLevels, "SkarvelLevels.vorn"), 102u);
    }
    void TearDown() override { ClearPlaySeed(); }

    // Where to shoot and with what: the animal before which (or beside which) the shot lands.
    struct Aim {
        CourseAnimator* mCourse = nullptr;
        UInt32 mIndex = 0;
        SInt32 mKind = -1;
    };

    // The run nearest the front of the first running chain that a brought colour completes.
    static Aim ChooseAim(const CourseHandler& courses, const LevelData& level)
    {
        Aim single;
        for (UInt32 c = 0; c < courses.GetCourseCount(); ++c) {
            CourseAnimator* course = courses.GetCourse(c);
            if (!course->IsRunning())
                continue;
            const UInt32 count = course->CountAnimals();
            for (UInt32 i = count; i-- > 0;) {
                const Animal* animal = course->GetAnimalAt(i);
                if (animal == nullptr || !IsColour(animal->mKind) || level.mKindWeights[animal->mKind - 5] == 0)
                    continue;
                const Animal* next = i + 1 < count ? course->GetAnimalAt(i + 1) : nullptr;
                if (next != nullptr && next->mKind == animal->mKind)
                    return {course, i, animal->mKind};
                if (single.mCourse == nullptr)
                    single = {course, i, animal->mKind};
            }
            if (single.mCourse != nullptr)
                return single;
        }
        return single;
    }

    void Shoot(FlyingObjectHandler& flying, AnimalContainer& animals, const Aim& aim)
    {
        const Animal* target = aim.mCourse->GetAnimalAt(aim.mIndex);
        Animal* shot = animals.ObtainAnimal(aim.mKind);
        ASSERT_NE(shot, nullptr);
        shot->mCheckMatch = true;
        shot->mShot = true;
        const Math::Vector<Float>& centre = aim.mCourse->GetEllipsis().GetCentre();
        Float dx = target->mPosition.x - centre.x;
        Float dy = target->mPosition.y - centre.y;
        const Float length = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
        dx /= length;
        dy /= length;
        shot->SetPosition(target->mPosition.x + dx * 90.0f, target->mPosition.y + dy * 90.0f);
        FlyingAnimal* record = flying.SpawnAnimal(shot);
        record->mVelocity = Math::Vector<Float>(-dx * 900.0f, -dy * 900.0f, 0.0f, 0.0f);
    }

    Outcome PlayLevel(UInt32 number, UInt32& shots)
    {
        SetPlaySeed(1000 + number);
        const LevelData& level = mLevels[number];
        GameState gameState;
        gameState.SetViewFloats(1280.0f, 800.0f, 0.0f);
        gameState.StartLevel(number);
        gameState.SetTimeFactor(1.0f);
        RecordingExplosionHandler effects;
        FlyingObjectHandler flying;
        AnimalContainer animals(&gameState, &effects);
        CourseHandler courses(&gameState, &animals, &effects, &flying, nullptr);
        EXPECT_TRUE(animals.Init(mScene, ""));
        EXPECT_TRUE(courses.Init(mScene, ""));
        for (SInt32 i = 0; i < level.mCourses.GetCount(); ++i)
            courses.AppendCourse()->Setup(&level.mCourses[i], UInt32(i + 1), false);
        PlayStepHarness harness(gameState, courses, animals, flying);
        harness.mGraphPass = [this] { EXPECT_TRUE(RunLogic()); };
        const Double limit = level.mLevelProps[3] > 0.0f ? level.mLevelProps[3] : 1e9;
        Double time = 0.0;
        auto steps = [&](int count) {
            for (int i = 0; i < count; ++i) {
                harness.Step();
                time += PlayStepHarness::kStep;
            }
        };
        // Courses that wait for another start in play state 4.
        auto startPending = [&] {
            gameState.SetPlayState(4);
            steps(1);
            gameState.SetPlayState(5);
        };
        startPending();
        steps(30);
        Outcome outcome = Outcome::kStuck;
        for (shots = 0; shots < kMaxShots; ++shots) {
            if (harness.mWon) {
                outcome = Outcome::kWon;
                break;
            }
            if (harness.mClosed || harness.mCollapsed) {
                outcome = Outcome::kLost;
                break;
            }
            if (time > limit) {
                outcome = Outcome::kOutOfTime;
                break;
            }
            const Aim aim = ChooseAim(courses, level);
            if (aim.mCourse == nullptr) {
                // Nothing to shoot at: a course may be waiting for its trigger.
                startPending();
                steps(60);
                if (ChooseAim(courses, level).mCourse == nullptr && !harness.mWon)
                    break;
                continue;
            }
            Shoot(flying, animals, aim);
            for (int i = 0; i < 120 && flying.GetAnimalCount() > 0; ++i)
                steps(1);
            steps(50);
            startPending();
        }
        EXPECT_TRUE(courses.DeInit());
        EXPECT_TRUE(animals.DeInit());
        return outcome;
    }

    Graph::INamespace* mScene = nullptr;
    Array<LevelData> mLevels;
};

TEST_F(ContentWinnableTest, EveryCampaignLevelIsWonByTheSimpleAim)
{
    UInt32 won = 0;
    for (UInt32 number = 1; number < 102; ++number) {
        UInt32 shots = 0;
        const Outcome outcome = PlayLevel(number, shots);
        if (outcome == Outcome::kWon) {
            ++won;
            // Chains start without a run: nothing is cleared without a shot per course.
            EXPECT_GE(shots, UInt32(mLevels[number].mCourses.GetCount())) << "level " << number << " won too soon";
        } else
            ADD_FAILURE() << "level " << number << " not won (" << int(outcome) << ") after " << shots << " shots";
    }
    std::printf("content: the simple aim wins %u of 101 campaign levels\n", won);
}

} // namespace
} // namespace App
} // namespace Vorn
