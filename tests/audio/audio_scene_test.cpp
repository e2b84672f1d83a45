// Graphs with a listener, sounds and an audio sequence run unchanged on both audio back-ends: the
// silent one and OpenAL on its default (null) device.
#include <gtest/gtest.h>

#include "audio/al11/al11_playable.h"
#include "audio/al11/al11_renderer.h"
#include "audio/dummy/dummy_renderer.h"
#include "graph/audio/audio_sequence.h"
#include "graph/audio/listener.h"
#include "platform/win32_audio_interface.h"
#include "resource/wav_sound.h"
#include "tests/support/audio_fixture.h"
#include "tests/support/view_scene_fixture.h"

namespace Vorn {
namespace Audio {
namespace {

template <class RendererClass>
class AudioSceneTest : public Testing::ViewSceneFixture
{
protected:
    AudioSceneTest() : ViewSceneFixture(&mInput, &mRenderer), mRenderer(&mConfiguration, &mInterface)
    {
        mClock.mStepDuration = 0.25;
        for (const char* id : {"p:a", "p:b"})
            mCollection.AddObject(id, &Resource::WavSound::Create, Testing::ToneWav(1, 16, 22050, 22050, 440.0));
    }
    void SetUp() override
    {
        ASSERT_TRUE(mInterface.Init());
        ASSERT_TRUE(mInterface.ActivateRenderContext());
        ASSERT_TRUE(mRenderer.Init());
    }
    void TearDown() override
    {
        mRenderer.BeginFrame();
        EXPECT_TRUE(DestroyScene());
        EXPECT_TRUE(mRenderer.DeInit());
        EXPECT_TRUE(mInterface.DeInit());
    }
    // One frame as the engine runs it around the audio renderer.
    void AudioFrame()
    {
        mProcessLogicState.Begin();
        EXPECT_TRUE(RunLogic());
        mRenderer.BeginFrame();
        EXPECT_TRUE(RunOutput());
        mRenderer.ProcessObjects();
        mRenderer.Render();
    }

    Win32::AudioInterface mInterface;
    RendererClass mRenderer;
};

using Renderers = ::testing::Types<Dummy::Renderer, Al11::Renderer>;
TYPED_TEST_SUITE(AudioSceneTest, Renderers);

TYPED_TEST(AudioSceneTest, AListenerAndASequenceRunAndComeApart)
{
    Graph::INamespace* scene = this->Scene(
        "<View><Listener id='l' distanceModel='LINEAR'/><Sound id='a' soundResourceId='p:a'/>"
        "<Sound id='b' soundResourceId='p:b'/><Timeline id='tl' endTime='100' startOnActivate='true'>"
        "<AudioSequence id='seq' soundIds='a,b'/></Timeline></View>");
    ASSERT_NE(scene, nullptr);
    auto* sequence = this->template Find<Graph::AudioSequence>(scene, "seq");
    auto* listener = this->template Find<Graph::Listener>(scene, "l");
    ASSERT_NE(sequence, nullptr);
    IPlayable* playable = dynamic_cast<IPlayable*>(sequence->GetPlayableObject());
    ASSERT_NE(playable, nullptr);
    for (int frame = 0; frame < 3; ++frame) {
        this->AudioFrame();
        EXPECT_EQ(this->mRenderer.GetCurrentListener(), listener->GetListenerObject());
    }
    EXPECT_EQ(playable->GetNumberOfBuffers(), 2u);
    EXPECT_DOUBLE_EQ(playable->GetBufferStartTime(1), 1.0);
    EXPECT_EQ(listener->GetListenerObject()->GetDistanceModel(), Enums::DistanceModel::LINEAR);
    this->mRenderer.BeginFrame();
    if (auto* al11 = dynamic_cast<Al11::Playable*>(playable)) {
        EXPECT_TRUE(al11->IsPlaying());
    }
    this->mRenderer.Render();
}

} // namespace
} // namespace Audio
} // namespace Vorn
