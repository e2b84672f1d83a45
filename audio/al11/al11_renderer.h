// The OpenAL 1.1 audio renderer. The main thread collects each frame's listener and playables
// between BeginFrame and Render; Render lets the renderer's own thread ("AL11Renderer") apply
// them to OpenAL while the main thread goes on, and the next BeginFrame waits for it. A playable
// processed in one update and not submitted again before the next is stopped there.
#pragma once

#include <memory>
#include <mutex>

#include "audio/base_renderer.h"
#include "foundation/array.h"
#include "foundation/event.h"
#include "foundation/map.h"
#include "foundation/matrix.h"
#include "foundation/thread.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

class Listener;
class Playable;
class Renderer;
class StreamBufferPool;

class RendererThread : public System::Thread
{
public:
    explicit RendererThread(Renderer* renderer);
    ~RendererThread() override;

    // The per-frame lists, written by the main thread between BeginFrame and Render.
    void BeginFrame();
    void AddListener(Listener* listener, const Math::Matrix<float>& transform);
    void AddPlayable(Playable* playable, const Math::Matrix<float>& transform, Real time);
    IListener* GetCurrentListener();
    // Forgets a playable or listener (any other object is ignored), from any thread.
    void RemoveObject(IObject* object);

    // Guards the lists and the stream buffer pool against other threads.
    std::mutex& GetLock() { return mLock; }

protected:
    Bool Run() override;

private:
    struct PlayableEntry
    {
        Playable* playable = nullptr;
        Math::Matrix<float> transform;
        Double time = 0.0;
    };

    struct ListenerEntry
    {
        ~ListenerEntry();
        Listener* listener = nullptr;
        Array<PlayableEntry*> playables;
        UInt32 numPlayables = 0;
    };

    void Update();
    static void UpdateListener(const Listener& listener);

    Renderer* mRenderer;
    std::mutex mLock;
    // Pools that only grow; the first mNum... entries are in use this frame.
    Array<ListenerEntry*> mListenerEntries;
    UInt32 mNumListenerEntries;
    ListenerEntry* mCurrentListenerEntry;
    Array<PlayableEntry*> mPlayableEntries;
    UInt32 mNumPlayableEntries;
    // The playables processed in the last update and not submitted again since.
    Index<Playable*> mPreviouslyActive;
};

class Renderer : public Audio::Renderer
{
public:
    Renderer(IConfiguration* configuration, IAudioInterface* audioInterface);
    ~Renderer() override;

    // Registers the classes and starts the thread.
    Bool Init() override;
    // Joins the thread and unregisters the classes.
    Bool DeInit() override;
    // The new object is told its renderer.
    IObject* CreateObject(const String& className) override;
    // The thread forgets the object before it is deleted.
    Bool DestroyObject(IObject*& object) override;
    // Waits for the previous frame's update, then starts new lists.
    void BeginFrame() override;
    void ProcessObjects() override {}
    // Lets the thread run one update.
    void Render() override;
    // Ignored without a listener earlier in the frame.
    void AddPlayable(IPlayable* playable, const Math::Matrix<float>& transform, Real time) override;
    void AddListener(IListener* listener, const Math::Matrix<float>& transform) override;
    IListener* GetCurrentListener() override;

    // For the objects: the thread forgets one, and the pool of stream buffers with the lock that
    // guards it (an empty lock and no pool outside Init and DeInit).
    void RemoveObject(IObject* object);
    std::unique_lock<std::mutex> LockThread();
    StreamBufferPool* GetStreamBufferPool() { return mStreamBufferPool.get(); }

private:
    friend class RendererThread;

    std::unique_ptr<RendererThread> mThread;
    std::unique_ptr<System::Event> mUpdateEvent;
    std::unique_ptr<System::Event> mDoneEvent;
    std::unique_ptr<StreamBufferPool> mStreamBufferPool;
};

} // namespace Al11
} // namespace Audio
} // namespace Vorn
