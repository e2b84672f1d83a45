#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"
#include "game/sound_container.h"
#include "graph/audio/playable.h"
#include "graph/time/timeline.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace App {
namespace {

const char* const kNames[] = {
    "title", "beach", "grass", "winter", "win", "loser", "pause", "fanfare", "click", "ape1", "ape2", "frog1",
    "frog2", "lion1", "panda", "rabbit", "snake1", "bigtranq", "bee", "carrot", "donk3", "beehit", "rockhit",
    "explosion1", "explosion2", "explosion3", "explosion4", "explosion5", "expl_blue", "expl_red", "descent", "pop",
    "pop2_1", "pop2_2", "pop2_3", "pop2_4", "ramp1", "ramp2", "ramp3", "ramp4", "removeanimals", "removeanimals1",
    "removeanimals2", "removeanimals3", "removeanimals4", "removeanimals5", "removeanimals6", "removeanimals7",
    "removeanimals8", "removeanimals9", "removeanimals10", "rhino", "sign", "tranq", "whistle", "jingle1",
    "jingle2", "jingle7", "flute1", "flute2", "flute_combo", "icebreak", "swirl", "bounce", "bounce2", "scratch",
    "scratch2", "scratch3", "rattle", "airstrike", "donk", "excellent", "yourock", "yourule", "zesty", "great", "wow",
    "yihaa", "ohnoes", "uhoh", "dontgiveup", "toobad", "welcomeback", "nice", "hurryup", "watchout",
};

class SoundContainerTest : public Testing::ViewSceneFixture
{
protected:
    void SetUp() override
    {
        // Every sound is a timeline of ten seconds over a sequence at half volume.
        std::string body = "<View><Namespace id='sounds'>";
        for (const char* name : kNames)
            body += std::string("<Namespace id='") + name +
                    "'><Timeline id='timeline' endTime='10'><AudioSequence id='sequence' volume='0.5'/></Timeline>"
                    "</Namespace>";
        body += "</Namespace></View>";
        mScene = Scene(body);
        ASSERT_NE(mScene, nullptr);
        mSounds.BuildTable(mScene);
    }
    void TearDown() override { EXPECT_TRUE(mSounds.DeInit()); }

    Graph::ITimeline* Timeline(const char* name)
    {
        return Find<Graph::ITimeline>(mScene, (std::string("sounds/") + name + "/timeline").c_str());
    }
    Graph::IPlayable* Sequence(const char* name)
    {
        return Find<Graph::IPlayable>(mScene, (std::string("sounds/") + name + "/sequence").c_str());
    }

    Graph::INamespace* mScene = nullptr;
    GameState mGameState;
    SoundContainer mSounds{&mGameState};
};

TEST_F(SoundContainerTest, BuildsEveryEntryWithItsVariants)
{
    EXPECT_EQ(mSounds.GetNumberOfVariants(0), 0u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(1), 1u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(22), 2u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(24), 5u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(29), 4u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(30), 4u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(56), 3u);
    EXPECT_EQ(mSounds.GetNumberOfVariants(74), 1u);
    mSounds.Play(0);
    mSounds.Play(75);
    EXPECT_FALSE(mSounds.IsPlaying(75));
}

TEST_F(SoundContainerTest, PlayUsesAFreeVariantThenTheOneClosestToItsEnd)
{
    for (int i = 0; i < 5; ++i)
        mSounds.Play(24);
    for (const char* name : {"explosion1", "explosion2", "explosion3", "explosion4", "explosion5"})
        EXPECT_TRUE(Timeline(name)->IsRunning()) << name;
    // The oldest variant has advanced furthest.
    Timeline("explosion2")->Stop();
    Timeline("explosion2")->Rewind();
    Timeline("explosion2")->Start();
    ASSERT_TRUE(RunFrame());
    Sequence("explosion3")->SetVolume(0.1f);
    mSounds.Play(24);
    EXPECT_TRUE(Timeline("explosion1")->IsRunning());
    EXPECT_NEAR(Timeline("explosion1")->GetRemainingTime(), 10.0, 1e-6);
    EXPECT_FLOAT_EQ(Sequence("explosion3")->GetVolume(), 0.1f);
}

TEST_F(SoundContainerTest, SoundOffStartsNothingButStillStops)
{
    mSounds.Play(9);
    mGameState.ToggleMuted(); // no file interface: nothing is written
    EXPECT_FALSE(mSounds.IsPlaying(9));
    mSounds.Stop(9);
    EXPECT_FALSE(Timeline("click")->IsRunning());
    mSounds.Play(9);
    mSounds.PlayIfIdle(2, false);
    EXPECT_FALSE(Timeline("click")->IsRunning());
    EXPECT_FALSE(Timeline("beach")->IsRunning());
}

TEST_F(SoundContainerTest, MusicFadesInAndResumesAfterAPause)
{
    Sequence("beach")->SetVolume(0.0f);
    mSounds.PlayIfIdle(2, true);
    EXPECT_TRUE(mSounds.IsPlaying(2));
    mSounds.Step(0.25); // half of the way: a fade takes half a second
    EXPECT_FLOAT_EQ(Sequence("beach")->GetVolume(), 0.25f);
    mSounds.PlayIfIdle(2, false); // running: nothing changes
    EXPECT_FLOAT_EQ(Sequence("beach")->GetVolume(), 0.25f);
    mSounds.Step(0.5);
    EXPECT_FLOAT_EQ(Sequence("beach")->GetVolume(), 0.5f);

    ASSERT_TRUE(RunFrame());
    const Double remaining = Timeline("beach")->GetRemainingTime();
    mSounds.Play(9);
    mSounds.PauseMusic();
    mSounds.StopEffects();
    EXPECT_FALSE(Timeline("beach")->IsRunning());
    EXPECT_FALSE(Timeline("click")->IsRunning());
    mSounds.PlayIfIdle(2, false);
    EXPECT_TRUE(Timeline("beach")->IsRunning());
    EXPECT_NEAR(Timeline("beach")->GetRemainingTime(), remaining, 1e-6);
}

TEST_F(SoundContainerTest, MissingSoundsAreNotAdded)
{
    ::testing::internal::CaptureStderr();
    mSounds.AddVariant(1, mScene, "/sounds/nothing");
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(mSounds.GetNumberOfVariants(1), 1u);
    mSounds.Play(1);
    EXPECT_TRUE(mSounds.IsPlaying(1));
}

} // namespace
} // namespace App
} // namespace Vorn
