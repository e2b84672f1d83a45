#include "game/play/play_field.h"

#include <gtest/gtest.h>

#include "game/app_context.h"
#include "game/game_state.h"
#include "game/play/course_animator.h"
#include "logic/factory.h"
#include "tests/support/course_records.h"
#include "tests/support/play_stage_fixture.h"
#include "tests/support/play_templates.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

using namespace Testing;

class PlayfieldTest : public ViewSceneFixture
{
protected:
    PlayfieldTest()
        : mClasses(mFactory, {{"TestText", &CountingText::Create}}), mContext(&mLogicFactory, 1280.0f, 800.0f),
          mField(&mContext)
    {
    }

    void SetUp() override { AddPoolGraphs(mCollection); }

    // The stage graph under "/stage_game", without the nodes named missing.
    Graph::INamespace* MakeScene(const std::string& missing)
    {
        std::string body = "<PerspectiveCamera fieldOfViewX='1' zw='100'/>";
        if (missing != "framebuffer")
            body += "<Node id='framebuffer'/>";
        if (missing != "animal_container")
            body += "<Instance id='animal_container' graphResourceId='p:animal' replications='3'/>";
        if (missing != "course_container")
            body += "<Instance id='course_container' graphResourceId='p:course' replications='2'/>";
        if (missing != "clouds_container")
            body += "<Instance id='clouds_container' graphResourceId='p:clouds' replications='2'/>";
        if (missing != "scoretext_container")
            body += "<Instance id='scoretext_container' graphResourceId='p:scores' replications='2'/>";
        return Scene("<View><Namespace id='stage_game'>" + body + "</Namespace></View>");
    }

    NodeClassRegistration mClasses;
    Logic::Factory mLogicFactory;
    AppContext mContext;
    Playfield mField;
};

TEST_F(PlayfieldTest, InitBindsThePoolsInOrderAndStopsAtTheFirstMissing)
{
    const struct
    {
        const char* mMissing;
        Bool mResult;
        UInt32 mAnimals;
        UInt32 mCourses;
    } cases[] = {
        {"", true, 3, 2},
        {"framebuffer", true, 3, 2},
        {"scoretext_container", false, 3, 2},
        {"course_container", false, 3, 0},
        // The course pool after it stays unbound.
        {"animal_container", false, 0, 0},
    };
    for (const auto& c : cases) {
        Playfield field(&mContext);
        Graph::INamespace* scene = MakeScene(c.mMissing);
        ASSERT_NE(scene, nullptr);
        EXPECT_EQ(field.Init(scene, "/stage_game"), c.mResult) << c.mMissing;
        EXPECT_EQ(field.GetAnimalContainer()->GetCount(), c.mAnimals) << c.mMissing;
        EXPECT_EQ(field.GetCourseHandler()->GetCourseContainer().GetCount(), c.mCourses) << c.mMissing;
        EXPECT_EQ(field.GetFramebuffer() != nullptr, std::string(c.mMissing) != "framebuffer") << c.mMissing;
        // De-initialising runs every step, bound or not.
        EXPECT_TRUE(field.DeInit()) << c.mMissing;
        EXPECT_EQ(field.GetFramebuffer(), nullptr);
        ASSERT_TRUE(DestroyScene());
    }
    EXPECT_FALSE(mField.Init(nullptr, "/stage_game"));
}

TEST_F(PlayfieldTest, ResetEmptiesEveryPoolAndCounterForANewLevel)
{
    ASSERT_TRUE(mField.Init(MakeScene(""), "/stage_game"));
    EXPECT_EQ(mField.GetGameState(), mContext.GetGameState());
    EXPECT_EQ(mField.GetSoundContainer(), mContext.GetSoundContainer());

    const CourseRecord record = Record("RGB");
    for (int round = 0; round < 2; ++round) {
        ASSERT_NE(mField.GetAnimalContainer()->ObtainAnimal(5), nullptr);
        ASSERT_NE(mField.GetFlyingObjectHandler()->SpawnAnimal(mField.GetAnimalContainer()->ObtainAnimal(6)), nullptr);
        mField.GetCourseHandler()->AppendCourse()->Setup(&record, 1, false);
        mField.GetAnimalSelector()->Set(7, 3);
        mContext.GetGameState()->SetPosition(5.0f, 6.0f);

        mField.Reset();
        mField.Reset();
        EXPECT_EQ(mField.GetAnimalContainer()->GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetFlyingObjectHandler()->GetAnimalCount(), 0u);
        EXPECT_EQ(mField.GetCourseHandler()->GetCourseCount(), 0u);
        EXPECT_EQ(mField.GetCourseHandler()->GetCourseContainer().GetNumUsed(), 0u);
        EXPECT_EQ(mField.GetAnimalSelector()->Get(7), 0u);
        EXPECT_EQ(mContext.GetGameState()->GetPosition().x, 0.0f);
    }
    EXPECT_TRUE(mField.DeInit());
}

} // namespace
} // namespace App
} // namespace Vorn
