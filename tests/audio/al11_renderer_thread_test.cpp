// The OpenAL renderer's frames against a thread that de-initialises and destroys audio objects,
// as a graph torn down on the loader thread does; run under ThreadSanitizer too.
#include "audio/al11/al11_renderer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/al11/al11_stream_buffer.h"
#include "tests/support/al11_fixture.h"

namespace Vorn {
namespace Audio {
namespace Al11 {
namespace {

class Al11RendererThreadTest : public Testing::Al11Fixture
{
};

TEST_F(Al11RendererThreadTest, FramesGoOnWhileAnotherThreadDestroysObjects)
{
    std::vector<std::string> log;
    Testing::RecordingAudioStream streamed(22050, 200000, &log);
    auto tone = Testing::ToneSound(1, 16, 22050, 22050);
    IObject* buffers[2] = {Keep(Testing::MakeRecordedBuffer(mRenderer, streamed)), NewBuffer(*tone)};
    IObject* listener = NewListener();

    // The playables that frames may still submit; the destroyer takes them out first.
    std::mutex liveLock;
    std::vector<IObject*> live;
    for (int i = 0; i < 12; ++i)
        live.push_back(Testing::MakeSequencePlayable(mRenderer, {buffers[i % 2], buffers[(i + 1) % 2]}));

    std::atomic<Bool> done(false);
    std::thread destroyer([&] {
        for (;;) {
            IObject* victim = nullptr;
            {
                std::lock_guard<std::mutex> hold(liveLock);
                if (live.size() <= 2)
                    break;
                victim = live.back();
                live.pop_back();
            }
            victim->DeInit();
            mRenderer.DestroyObject(victim);
            std::this_thread::yield();
        }
        done = true;
    });

    Real time = 0.0f;
    for (UInt32 frame = 0; !done || frame < 40; ++frame) {
        time += 0.01f;
        Begin();
        mRenderer.AddListener(dynamic_cast<IListener*>(listener), Math::Matrix<float>::Identity());
        {
            std::lock_guard<std::mutex> hold(liveLock);
            // Every other playable sits out every other frame and is stopped then.
            for (size_t i = 0; i < live.size(); ++i)
                if ((i + frame) % 2 == 0)
                    mRenderer.AddPlayable(dynamic_cast<IPlayable*>(live[i]), Math::Matrix<float>::Identity(), time);
        }
        mRenderer.Render();
        EndFrame();
    }
    destroyer.join();
    Sync();
    for (IObject* survivor : live) {
        EXPECT_TRUE(survivor->DeInit());
        EXPECT_TRUE(mRenderer.DestroyObject(survivor));
    }
    // Every stream buffer lent out came back.
    const UInt32 created = mRenderer.GetStreamBufferPool()->GetNumberOfCreated();
    EXPECT_GT(created, 0u);
    EXPECT_EQ(mRenderer.GetStreamBufferPool()->GetNumberOfFree(Enums::SoundFormat::MONO_16_BIT), created);
}

} // namespace
} // namespace Al11
} // namespace Audio
} // namespace Vorn
