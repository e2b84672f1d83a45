#include "audio/al11/al11_renderer.h"

#include <gtest/gtest.h>

#include <AL/al.h>

#include <fstream>
#include <numbers>
#include <string>

#include "audio/al11/al11_buffer.h"
#include "audio/al11/al11_listener.h"
#include "tests/support/al11_fixture.h"

#ifdef __linux__
#include <dirent.h>
#endif

namespace Vorn {
namespace Audio {
namespace Al11 {
namespace {

using Testing::ToneSound;

class Al11RendererTest : public Testing::Al11Fixture
{
};

// How many threads of this process carry the name (Linux only; -1 elsewhere).
int CountThreadsNamed(const std::string& name)
{
#ifdef __linux__
    int count = 0;
    DIR* tasks = opendir("/proc/self/task");
    while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string line;
        if (std::getline(comm, line) && line == name)
            ++count;
    }
    if (tasks)
        closedir(tasks);
    return count;
#else
    (void)name;
    return -1;
#endif
}

TEST_F(Al11RendererTest, InitStartsTheThreadAndDeInitJoinsIt)
{
    // A thread names itself once it runs: count after an update of each renderer.
    Frame(nullptr, {});
    Sync();
    Audio::Al11::Renderer renderer(&mConfiguration, &mInterface);
    EXPECT_TRUE(renderer.Init());
    // The first frame does not wait.
    renderer.BeginFrame();
    renderer.Render();
    renderer.BeginFrame();
    const int running = CountThreadsNamed("AL11Renderer");
    EXPECT_TRUE(renderer.DeInit());
    if (running >= 0) {
        EXPECT_EQ(running, 2);
        EXPECT_EQ(CountThreadsNamed("AL11Renderer"), 1);
    }
    EXPECT_EQ(renderer.CreateObject(String("Buffer")), nullptr);
    EXPECT_TRUE(renderer.DeInit());
}

IObject* MakeNothing()
{
    return nullptr;
}

TEST_F(Al11RendererTest, ClassRegistry)
{
    const ClassInfo extra{String("Extra"), &MakeNothing};
    EXPECT_FALSE(mRenderer.RegisterObjectClass(Buffer::GetClassInfo()));
    EXPECT_TRUE(mRenderer.RegisterObjectClass(extra));
    EXPECT_FALSE(mRenderer.RegisterObjectClass(extra));
    EXPECT_EQ(mRenderer.CreateObject(String("Extra")), nullptr);
    EXPECT_TRUE(mRenderer.UnregisterObjectClass(extra));
    EXPECT_FALSE(mRenderer.UnregisterObjectClass(extra));
    EXPECT_EQ(mRenderer.CreateObject(String("Sound")), nullptr);
    for (const char* name : {"Buffer", "Playable", "Listener"}) {
        IObject* object = mRenderer.CreateObject(String(name));
        EXPECT_NE(object, nullptr) << name;
        EXPECT_TRUE(mRenderer.DestroyObject(object));
        EXPECT_EQ(object, nullptr);
    }
    IObject* none = nullptr;
    EXPECT_TRUE(mRenderer.DestroyObject(none));
}

ALint DistanceModel()
{
    return alGetInteger(AL_DISTANCE_MODEL);
}

TEST_F(Al11RendererTest, TheListenerSetsDistanceModelPositionAndOrientation)
{
    const std::vector<std::pair<UInt32, ALint>> models = {
        {0, AL_INVERSE_DISTANCE},        {1, AL_INVERSE_DISTANCE_CLAMPED},
        {2, AL_LINEAR_DISTANCE},         {3, AL_LINEAR_DISTANCE_CLAMPED},
        {4, AL_EXPONENT_DISTANCE},       {5, AL_EXPONENT_DISTANCE_CLAMPED},
        {6, AL_INVERSE_DISTANCE_CLAMPED}, {0xFFFFFFFF, AL_INVERSE_DISTANCE_CLAMPED},
    };
    IObject* listener = NewListener();
    // A quarter turn about y, placed at (1, 2, 3): local z is world x, local y is world y.
    Math::Matrix<float> transform = Math::Matrix<float>::Identity();
    transform.SetRotation(0.0f, float(std::numbers::pi / 2), 0.0f);
    transform.SetTranslation(1, 2, 3);
    for (const auto& [model, alModel] : models) {
        dynamic_cast<IListener*>(listener)->SetDistanceModel(Enums::DistanceModel(model));
        Frame(listener, {}, transform);
        Sync();
        EXPECT_EQ(DistanceModel(), alModel) << model;
    }
    ALfloat position[3], orientation[6];
    alGetListenerfv(AL_POSITION, position);
    alGetListenerfv(AL_ORIENTATION, orientation);
    EXPECT_FLOAT_EQ(position[0], 1.0f);
    EXPECT_FLOAT_EQ(position[1], 2.0f);
    EXPECT_FLOAT_EQ(position[2], 3.0f);
    const float expected[6] = {-transform[8], -transform[9], -transform[10], transform[4], transform[5], transform[6]};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(orientation[i], expected[i], 1e-6f) << i;
    EXPECT_NEAR(orientation[0], -1.0f, 1e-6f);
    EXPECT_NEAR(orientation[4], 1.0f, 1e-6f);
    // The inverse takes the listener's position to the origin.
    const Math::Vector<float> local =
        dynamic_cast<IListener*>(listener)->GetInverseTransform() * Math::Vector<float>(1, 2, 3, 1);
    EXPECT_NEAR(local.x, 0.0f, 1e-5f);
    EXPECT_NEAR(local.y, 0.0f, 1e-5f);
    EXPECT_NEAR(local.z, 0.0f, 1e-5f);
}

TEST_F(Al11RendererTest, TheListenerSubmittedLastEndsTheUpdate)
{
    IObject* first = NewListener(Enums::DistanceModel::LINEAR);
    IObject* second = NewListener(Enums::DistanceModel::EXPONENT);
    Math::Matrix<float> far = Math::Matrix<float>::Identity();
    far.SetTranslation(0, 0, 50);
    Begin();
    mRenderer.AddListener(dynamic_cast<IListener*>(first), Math::Matrix<float>::Identity());
    mRenderer.AddListener(dynamic_cast<IListener*>(second), far);
    EXPECT_EQ(mRenderer.GetCurrentListener(), dynamic_cast<IListener*>(second));
    mRenderer.Render();
    EndFrame();
    Sync();
    EXPECT_EQ(DistanceModel(), AL_EXPONENT_DISTANCE);
    ALfloat position[3];
    alGetListenerfv(AL_POSITION, position);
    EXPECT_EQ(position[2], 50.0f);
}

TEST_F(Al11RendererTest, PlayablesLeftOutOfAFrameStopAtTheNextUpdate)
{
    auto sound = ToneSound(1, 16, 22050, 22050);
    IObject* buffer = NewBuffer(*sound);
    IObject* listener = NewListener();
    Playable* kept = AsPlayable(NewPlayable({buffer}));
    Playable* dropped = AsPlayable(NewPlayable({buffer}));
    Frame(listener, {{kept, 0.1f}, {dropped, 0.1f}});
    Sync();
    EXPECT_TRUE(kept->IsPlaying());
    EXPECT_TRUE(dropped->IsPlaying());
    Frame(listener, {{kept, 0.2f}});
    Sync();
    EXPECT_TRUE(kept->IsPlaying());
    EXPECT_FALSE(dropped->IsPlaying());
    // Without a listener a frame processes nothing and stops everything processed before.
    Frame(nullptr, {{kept, 0.3f}});
    Sync();
    EXPECT_FALSE(kept->IsPlaying());
}

TEST_F(Al11RendererTest, DestroyedObjectsLeaveTheFrame)
{
    auto sound = ToneSound(1, 16, 22050, 22050);
    IObject* buffer = NewBuffer(*sound);
    IObject* listener = NewListener();
    IObject* playable = NewPlayable({buffer});
    IObject* other = NewPlayable({buffer});
    Frame(listener, {{playable, 0.1f}});
    Sync();

    // Destroyed while submitted in this frame and processed in the last: the thread never sees it.
    Forget(playable);
    mRenderer.AddListener(dynamic_cast<IListener*>(listener), Math::Matrix<float>::Identity());
    mRenderer.AddPlayable(dynamic_cast<IPlayable*>(playable), Math::Matrix<float>::Identity(), 0.2f);
    mRenderer.AddPlayable(dynamic_cast<IPlayable*>(other), Math::Matrix<float>::Identity(), 0.2f);
    EXPECT_TRUE(playable->DeInit());
    EXPECT_TRUE(mRenderer.DestroyObject(playable));
    mRenderer.Render();
    EndFrame();
    Sync();
    EXPECT_TRUE(AsPlayable(other)->IsPlaying());

    // Destroying the current listener leaves none, and the frame's later playables are ignored.
    Forget(listener);
    mRenderer.AddListener(dynamic_cast<IListener*>(listener), Math::Matrix<float>::Identity());
    EXPECT_TRUE(listener->DeInit());
    EXPECT_TRUE(mRenderer.DestroyObject(listener));
    EXPECT_EQ(mRenderer.GetCurrentListener(), nullptr);
    mRenderer.AddPlayable(dynamic_cast<IPlayable*>(other), Math::Matrix<float>::Identity(), 0.3f);
    mRenderer.Render();
    EndFrame();
    Sync();
    EXPECT_FALSE(AsPlayable(other)->IsPlaying());
}

} // namespace
} // namespace Al11
} // namespace Audio
} // namespace Vorn
