// The OpenAL renderer over the platform's audio interface on the default device, with the frame
// protocol of the engine: one frame submits a listener and playables and lets the renderer
// thread update; Sync waits for that update. Objects made through it are given back at the end.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "audio/al11/al11_playable.h"
#include "audio/al11/al11_renderer.h"
#include "platform/win32_audio_interface.h"
#include "tests/support/audio_fixture.h"
#include "tests/support/fake_configuration.h"

namespace Vorn {
namespace Testing {

class Al11Fixture : public ::testing::Test
{
protected:
    Al11Fixture() : mRenderer(&mConfiguration, &mInterface) {}

    void SetUp() override
    {
        ASSERT_TRUE(mInterface.Init());
        ASSERT_TRUE(mInterface.ActivateRenderContext());
        ASSERT_TRUE(mRenderer.Init());
    }
    void TearDown() override { Finish(); }

    // Gives every kept object back, ends the renderer and closes the device; the test may call
    // it early (to read what the device wrote), and it runs once.
    void Finish()
    {
        if (mFinished)
            return;
        mFinished = true;
        Sync();
        for (auto object = mObjects.rbegin(); object != mObjects.rend(); ++object) {
            if (*object) {
                (*object)->DeInit();
                mRenderer.DestroyObject(*object);
            }
        }
        EXPECT_TRUE(mRenderer.DeInit());
        EXPECT_TRUE(mInterface.DeInit());
    }

    // Keeps an object for the end of the test.
    Audio::IObject* Keep(Audio::IObject* object)
    {
        mObjects.push_back(object);
        return object;
    }
    Audio::IObject* NewBuffer(const SoundResource& sound) { return Keep(MakeSoundBuffer(mRenderer, sound)); }
    Audio::IObject* NewPlayable(const std::vector<Audio::IObject*>& buffers,
                             Enums::SoundFormat format = Enums::SoundFormat(0))
    {
        return Keep(MakeSequencePlayable(mRenderer, buffers, format));
    }
    Audio::IObject* NewListener(Enums::DistanceModel model = Enums::DistanceModel::INVERSE_CLAMPED)
    {
        return Keep(MakeSceneListener(mRenderer, model));
    }
    // Forgets a kept object that the test gives back itself.
    void Forget(Audio::IObject* object)
    {
        for (Audio::IObject*& kept : mObjects)
            if (kept == object)
                kept = nullptr;
    }

    // One frame: the listener (when given) with its transform, then each playable at its time.
    void Frame(Audio::IObject* listener, const std::vector<std::pair<Audio::IObject*, Real>>& playables,
               const Math::Matrix<float>& listenerTransform = Math::Matrix<float>::Identity())
    {
        Begin();
        if (listener)
            mRenderer.AddListener(dynamic_cast<Audio::IListener*>(listener), listenerTransform);
        for (const auto& [playable, time] : playables)
            mRenderer.AddPlayable(dynamic_cast<Audio::IPlayable*>(playable), Math::Matrix<float>::Identity(), time);
        mRenderer.ProcessObjects();
        mRenderer.Render();
        mBegun = false;
    }
    // Waits for the update of the last frame.
    void Sync() { Begin(); }
    // For tests that submit on their own between Sync (or Begin) and Render: the frame is over.
    void EndFrame() { mBegun = false; }

    static Audio::Al11::Playable* AsPlayable(Audio::IObject* object)
    {
        return dynamic_cast<Audio::Al11::Playable*>(object);
    }

    FakeConfiguration mConfiguration;
    Win32::AudioInterface mInterface;
    Audio::Al11::Renderer mRenderer;

    // Begins a frame unless Sync began it already.
    void Begin()
    {
        if (!mBegun)
            mRenderer.BeginFrame();
        mBegun = true;
    }

private:

    std::vector<Audio::IObject*> mObjects;
    Bool mBegun = false;
    Bool mFinished = false;
};

} // namespace Testing
} // namespace Vorn
