#include "audio/dummy/dummy_renderer.h"

#include <gtest/gtest.h>

#include "audio/al11/al11_renderer.h"
#include "audio/factory.h"
#include "tests/support/audio_fixture.h"
#include "tests/support/fake_audio_interface.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace Audio {
namespace {

TEST(DummyRendererTest, SequencesAndListenersRunWithoutSound)
{
    Dummy::Renderer renderer(nullptr, nullptr);
    EXPECT_TRUE(renderer.Init());
    EXPECT_TRUE(renderer.Start());
    auto second = Testing::ToneSound(1, 16, 44100, 44100);
    auto half = Testing::ToneSound(1, 16, 22050, 11025);
    IObject* one = Testing::MakeSoundBuffer(renderer, *second);
    IObject* two = Testing::MakeSoundBuffer(renderer, *second);
    IObject* three = Testing::MakeSoundBuffer(renderer, *half);
    EXPECT_FLOAT_EQ(dynamic_cast<Dummy::Buffer*>(three)->GetDuration(), 0.5f);
    IObject* object = Testing::MakeSequencePlayable(renderer, {one, two, three});
    IPlayable* playable = dynamic_cast<IPlayable*>(object);
    EXPECT_EQ(playable->GetNumberOfBuffers(), 3u);
    EXPECT_EQ(playable->GetBufferStartTime(0), 0.0);
    EXPECT_EQ(playable->GetBufferStartTime(1), 1.0);
    EXPECT_EQ(playable->GetBufferStartTime(2), 2.0);
    EXPECT_EQ(playable->GetBufferStartTime(3), 0.0);
    EXPECT_EQ(playable->GetBuffer(1), dynamic_cast<IBuffer*>(two));
    EXPECT_EQ(playable->GetBuffer(3), nullptr);
    EXPECT_TRUE(playable->RemoveAllBuffers());
    EXPECT_TRUE(playable->AddBuffer(dynamic_cast<IBuffer*>(three)));
    EXPECT_EQ(playable->GetNumberOfBuffers(), 1u);
    EXPECT_EQ(playable->GetBufferStartTime(0), 0.0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(playable->AddBuffer(nullptr));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Audio::Dummy::Playable::AddBuffer(): No buffer"),
              std::string::npos);

    IObject* first = Testing::MakeSceneListener(renderer);
    IObject* last = Testing::MakeSceneListener(renderer, Enums::DistanceModel::LINEAR);
    Math::Matrix<float> transform = Math::Matrix<float>::Identity();
    transform.SetTranslation(4, 5, 6);
    for (int frame = 0; frame < 2; ++frame) {
        renderer.BeginFrame();
        renderer.AddListener(dynamic_cast<IListener*>(first), transform);
        renderer.AddListener(dynamic_cast<IListener*>(last), transform);
        renderer.AddPlayable(playable, transform, 0.5f);
        renderer.ProcessObjects();
        renderer.Render();
        EXPECT_EQ(renderer.GetCurrentListener(), dynamic_cast<IListener*>(last));
    }
    IListener* listener = dynamic_cast<IListener*>(last);
    listener->SetTransform(transform);
    EXPECT_EQ(listener->GetInverseTransform()[12], -4.0f);
    EXPECT_EQ(listener->GetDistanceModel(), Enums::DistanceModel::LINEAR);
    EXPECT_TRUE(listener->SetHint(7));

    for (IObject* created : {object, one, two, three, first, last}) {
        EXPECT_TRUE(created->DeInit());
        EXPECT_TRUE(renderer.DestroyObject(created));
    }
    // The listener it held is gone with it.
    EXPECT_EQ(renderer.GetCurrentListener(), nullptr);
    EXPECT_TRUE(renderer.Stop());
    EXPECT_TRUE(renderer.DeInit());
    EXPECT_EQ(renderer.CreateObject(String("Playable")), nullptr);
}

TEST(AudioFactoryTest, OpenAlOnlyWhenConfiguredAndADeviceIsThere)
{
    Testing::FakeConfiguration configuration;
    Testing::FakeAudioInterface audioInterface;
    Factory factory;
    struct Case
    {
        Enums::AudioApi api;
        Bool withInterface;
        Bool openAl;
    };
    for (const Case& test : std::vector<Case>{{Enums::AudioApi::AL11, true, true},
                                              {Enums::AudioApi::AL11, false, false},
                                              {Enums::AudioApi::DEFAULT, true, false},
                                              {Enums::AudioApi::DUMMY, true, false},
                                              {Enums::AudioApi::SLES10, true, false},
                                              {Enums::AudioApi::DX11, true, false}}) {
        SCOPED_TRACE(UInt32(test.api));
        configuration.SetAudioApi(test.api);
        IRenderer* renderer = factory.CreateRenderer(&configuration, test.withInterface ? &audioInterface : nullptr);
        ASSERT_NE(renderer, nullptr);
        EXPECT_EQ(dynamic_cast<Al11::Renderer*>(renderer) != nullptr, test.openAl);
        EXPECT_EQ(dynamic_cast<Dummy::Renderer*>(renderer) != nullptr, !test.openAl);
        factory.DestroyRenderer(renderer);
        EXPECT_EQ(renderer, nullptr);
    }
    IRenderer* none = nullptr;
    factory.DestroyRenderer(none);
    // The OpenAL renderer keeps the interface without calling it.
    EXPECT_EQ(audioInterface.mRenderActivations, 0u);
}

} // namespace
} // namespace Audio
} // namespace Vorn
