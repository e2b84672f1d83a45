#include "graph/audio/audio_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/audio/listener.h"
#include "graph/audio/sound.h"
#include "graph/time/timeline.h"
#include "resource/wav_sound.h"
#include "tests/support/sound_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Graph {
namespace {

using Testing::FakeAudioBuffer;
using Testing::FakePlayable;

class AudioTest : public Testing::ViewSceneFixture
{
protected:
    AudioTest()
    {
        mClock.mStepDuration = 0.25;
        AddWav("p:a", 22050);
        AddWav("p:b", 44100);
    }
    const Resource::ISound* AddWav(const char* id, UInt32 sampleRate)
    {
        Testing::WavFile wav;
        wav.sampleRate = sampleRate;
        wav.samples.assign(64, 0);
        return dynamic_cast<const Resource::ISound*>(
            mCollection.AddObject(id, &Resource::WavSound::Create, wav.Build()));
    }
    // A view with two sounds and a sequence of both under a timeline of the given attributes (by
    // default ending at 100 s).
    Graph::INamespace* SequenceScene(std::string timeline, const std::string& sequence = "soundIds='a,b'")
    {
        if (timeline.find("endTime") == std::string::npos)
            timeline += " endTime='100'";
        Graph::INamespace* scene = Scene("<View><Sound id='a' soundResourceId='p:a'/><Sound id='b' soundResourceId='p:b'/>"
                                         "<Timeline id='tl' " + timeline + "><AudioSequence id='seq' " + sequence +
                                         "/></Timeline></View>");
        if (scene != nullptr) {
            mSequence = Find<AudioSequence>(scene, "seq");
            mTimeline = Find<Timeline>(scene, "tl");
        }
        return scene;
    }
    FakePlayable* Playable() { return dynamic_cast<FakePlayable*>(mSequence->GetPlayableObject()); }
    // One frame with its output; the times handed to the audio renderer in it.
    std::vector<Real> Frame()
    {
        mProcessLogicState.Begin();
        EXPECT_TRUE(RunFrame());
        std::vector<Real> times;
        for (const auto& submission : mAudio.mPlayables)
            times.push_back(submission.time);
        return times;
    }
    static Audio::IBuffer* Buffer(Graph::INamespace* scene, const char* id)
    {
        Graph::INode* node = scene->FindNode(String(id));
        node->RemoveReference();
        return dynamic_cast<ISound*>(node)->GetBufferObject();
    }

    AudioSequence* mSequence = nullptr;
    Timeline* mTimeline = nullptr;
};

TEST_F(AudioTest, ASoundFillsItsBufferFromTheResource)
{
    Graph::INamespace* scene = Scene("<View><Sound id='a' soundResourceId='p:a'/></View>");
    ASSERT_NE(scene, nullptr);
    auto* buffer = dynamic_cast<FakeAudioBuffer*>(Buffer(scene, "a"));
    ASSERT_NE(buffer, nullptr);
    EXPECT_TRUE(buffer->IsInitialized());
    EXPECT_EQ(buffer->mSampleRate, 22050u);
    EXPECT_EQ(buffer->mNumberOfSamples, 32u);
    EXPECT_EQ(buffer->mFormat, Enums::SoundFormat::MONO_16_BIT);
    EXPECT_NE(buffer->mStream, nullptr);
    ASSERT_TRUE(DeInit());
    EXPECT_TRUE(mAudio.mLiveObjects.empty());
}

TEST_F(AudioTest, HandsOverOnlyWhileTheTimelineRunsForwards)
{
    ASSERT_NE(SequenceScene(""), nullptr);
    EXPECT_TRUE(Frame().empty());  // stopped
    mTimeline->Start();
    EXPECT_EQ(Frame(), std::vector<Real>{0.25f});
    EXPECT_EQ(Playable()->mBuffers.size(), 2u);
    EXPECT_EQ(Frame(), std::vector<Real>{0.5f});
    mTimeline->Pause();
    EXPECT_TRUE(Frame().empty());
    EXPECT_LT(mSequence->GetRequestedTime(), 0.0f);
    mTimeline->Start();
    EXPECT_EQ(Frame(), std::vector<Real>{0.75f});
    mTimeline->Stop();
    EXPECT_TRUE(Frame().empty());
    ASSERT_TRUE(DestroyScene());

    // Outside every timeline, and under one that runs backwards.
    ASSERT_NE(Scene("<View><AudioSequence id='seq'/></View>"), nullptr);
    EXPECT_TRUE(Frame().empty());
    ASSERT_TRUE(DestroyScene());
    ASSERT_NE(SequenceScene("startTime='10' endTime='0' startOnActivate='true'"), nullptr);
    EXPECT_TRUE(Frame().empty());
    EXPECT_TRUE(mTimeline->IsRunning());
}

TEST_F(AudioTest, AHandOverCarriesTheVolumeAndTheWorldTransform)
{
    ASSERT_NE(SequenceScene("startOnActivate='true'", "soundIds='a' volume='0.5' xw='3' maxDistance='20'"), nullptr);
    EXPECT_EQ(Playable()->mMaxDistance, 20.0f);
    ASSERT_EQ(Frame().size(), 1u);
    EXPECT_EQ(Playable()->mVolume, 0.5f);
    EXPECT_EQ(mAudio.mPlayables[0].transform.Get(0, 3), 3.0f);
    mSequence->SetVolume(0.25f);
    EXPECT_EQ(Playable()->mVolume, 0.5f);
    Frame();
    EXPECT_EQ(Playable()->mVolume, 0.25f);
}

TEST_F(AudioTest, SoundListChangesRebuildTheBuffersBeforeTheHandOver)
{
    Graph::INamespace* scene = SequenceScene("startOnActivate='true'", "soundIds='a'");
    ASSERT_NE(scene, nullptr);
    Frame();
    ASSERT_EQ(Playable()->mBuffers.size(), 1u);
    ISound* b = dynamic_cast<ISound*>(Find<Sound>(scene, "b"));
    mSequence->InsertSound(b, 0);
    Frame();
    EXPECT_EQ(Playable()->mBuffers, (std::vector<Audio::IBuffer*>{Buffer(scene, "b"), Buffer(scene, "a")}));
    EXPECT_EQ(mSequence->RemoveSoundAt(5), nullptr);
    EXPECT_EQ(mSequence->RemoveSound(b), b);
    EXPECT_EQ(mSequence->GetNumberOfSounds(), 1u);
    Frame();
    EXPECT_EQ(Playable()->mBuffers, std::vector<Audio::IBuffer*>{Buffer(scene, "a")});
    mSequence->RemoveAllSounds();
    Frame();
    EXPECT_TRUE(Playable()->mBuffers.empty());
}

TEST_F(AudioTest, ALanguageChangeRefillsTheSameBufferOnlyForAnotherResource)
{
    Graph::INamespace* scene = Scene("<View><Sound id='a' soundResourceId='p:a'/></View>");
    ASSERT_NE(scene, nullptr);
    auto* buffer = dynamic_cast<FakeAudioBuffer*>(Buffer(scene, "a"));
    IAudioStream* stream = buffer->mStream;
    mConfiguration.SetLanguageChanged(true);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(buffer->mStream, stream);
    const Resource::ISound* other = AddWav("p:a", 11025);
    ASSERT_TRUE(ConfigChanged());
    EXPECT_EQ(Buffer(scene, "a"), buffer);
    EXPECT_EQ(Find<Sound>(scene, "a")->GetSoundResource(), other);
    EXPECT_EQ(buffer->mSampleRate, 11025u);
    EXPECT_TRUE(buffer->IsInitialized());
}

TEST_F(AudioTest, SuspendReleasesOnlyTheKindsTheConfigurationNames)
{
    Graph::INamespace* scene = SequenceScene("");
    ASSERT_NE(scene, nullptr);
    auto* buffer = dynamic_cast<FakeAudioBuffer*>(Buffer(scene, "a"));
    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::AUDIO_PLAYABLE));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    EXPECT_TRUE(buffer->IsInitialized());
    EXPECT_FALSE(Playable()->IsInitialized());
    ASSERT_TRUE(mTop->Resume(&mInitState));
    EXPECT_TRUE(Playable()->IsInitialized());
    mConfiguration.SetSuspendReleaseMask(UInt32(Enums::MemoryObjectType::AUDIO_BUFFER));
    ASSERT_TRUE(mTop->Suspend(&mDeInitState));
    EXPECT_FALSE(buffer->IsInitialized());
    EXPECT_TRUE(Playable()->IsInitialized());
}

TEST_F(AudioTest, RefusesMissingSoundsAndHoldsWhatItFoundUntilDeInit)
{
    struct Case
    {
        const char* body;
        const char* message;
    } const cases[] = {
        {"<View><Sound id='s'/></View>", "Graph::Sound::InitSelf(s): No resource ID specified"},
        {"<View><Sound id='s' soundResourceId='p:none'/></View>", "Failed to get resource sound \"p:none\""},
        {"<View><AudioSequence id='seq' soundIds='none'/></View>", "Failed to get node \"none\""},
        {"<View><Transform id='t'/><AudioSequence id='seq' soundIds='t'/></View>", "Failed to get sound node \"t\""},
    };
    for (const Case& c : cases) {
        std::string log;
        EXPECT_FALSE(InitCapturing(c.body, log)) << c.body;
        EXPECT_NE(log.find(c.message), std::string::npos) << log;
        if (Graph::INode* t = Find<Graph::INode>(dynamic_cast<Graph::INamespace*>(mTop->GetChild(0)), "t")) {
            EXPECT_EQ(static_cast<Node*>(t)->GetReferenceCount(), 1u);
            EXPECT_TRUE(DeInit());
            EXPECT_EQ(static_cast<Node*>(t)->GetReferenceCount(), 0u);
        }
        EXPECT_TRUE(DestroyScene());
    }
}

TEST_F(AudioTest, UnknownEnumerationNamesCountAsAbsent)
{
    Graph::INamespace* scene = Scene("<View><AudioSequence id='seq' sampleFormat='SURROUND'/>"
                                     "<Listener id='l' distanceModel='CUBIC'/></View>");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(dynamic_cast<FakePlayable*>(Find<AudioSequence>(scene, "seq")->GetPlayableObject())->mSampleFormat,
              Enums::SoundFormat(0));
    EXPECT_EQ(Find<Listener>(scene, "l")->GetDistanceModel(), Enums::DistanceModel::INVERSE_CLAMPED);
}

TEST_F(AudioTest, AListenerAttachesToItsViewWithItsVolume)
{
    Graph::INamespace* scene = Scene("<View><Listener id='l' volume='0.5' distanceModel='LINEAR' yw='2'/></View>");
    ASSERT_NE(scene, nullptr);
    Listener* listener = Find<Listener>(scene, "l");
    auto* audio = dynamic_cast<Testing::FakeListener*>(listener->GetListenerObject());
    EXPECT_EQ(audio->mDistanceModel, Enums::DistanceModel::LINEAR);
    listener->SetVolume(0.75f);
    Frame();
    EXPECT_EQ(audio->mVolume, 0.75f);
    ASSERT_EQ(mAudio.mListeners.size(), 1u);
    EXPECT_EQ(mAudio.mListeners[0].object, static_cast<Audio::IListener*>(audio));
    EXPECT_EQ(mAudio.mListeners[0].transform.Get(1, 3), 2.0f);
    ASSERT_TRUE(DestroyScene());

    ASSERT_NE(Scene("<View><Listener/><Listener id='second'/></View>"), nullptr);
    ::testing::internal::CaptureStderr();
    mProcessLogicState.Begin();
    EXPECT_FALSE(RunFrame());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                  "Graph::Listener::PrepareOutputSelf(second): View already has a listener"),
              std::string::npos);
    ASSERT_TRUE(DestroyScene());
    EXPECT_TRUE(mAudio.mLiveObjects.empty());
}

} // namespace
} // namespace Graph
} // namespace Vorn
