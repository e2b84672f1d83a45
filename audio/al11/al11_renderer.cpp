#include "audio/al11/al11_renderer.h"

#include <AL/al.h>

#include "audio/al11/al11_buffer.h"
#include "audio/al11/al11_listener.h"
#include "audio/al11/al11_playable.h"
#include "audio/al11/al11_stream_buffer.h"

namespace Vorn {
namespace Audio {
namespace Al11 {

namespace {

typedef std::lock_guard<std::mutex> Hold;

// Takes the next entry of a pool that only grows, making one when all are in use.
template <class Entry>
Entry* NextEntry(Array<Entry*>& pool, UInt32& inUse)
{
    if (inUse == UInt32(pool.GetCount()))
        pool.Add(new Entry());
    return pool[SInt32(inUse++)];
}

template <class Entry>
void DeleteEntries(Array<Entry*>& pool)
{
    for (Entry* entry : pool)
        delete entry;
    pool.SetCount(0);
}

struct DistanceModelRow
{
    Enums::DistanceModel model;
    ALenum alModel;
};

const DistanceModelRow kDistanceModels[] = {
    {Enums::DistanceModel::INVERSE, AL_INVERSE_DISTANCE},
    {Enums::DistanceModel::INVERSE_CLAMPED, AL_INVERSE_DISTANCE_CLAMPED},
    {Enums::DistanceModel::LINEAR, AL_LINEAR_DISTANCE},
    {Enums::DistanceModel::LINEAR_CLAMPED, AL_LINEAR_DISTANCE_CLAMPED},
    {Enums::DistanceModel::EXPONENT, AL_EXPONENT_DISTANCE},
    {Enums::DistanceModel::EXPONENT_CLAMPED, AL_EXPONENT_DISTANCE_CLAMPED},
};

ALenum GetAlDistanceModel(Enums::DistanceModel model)
{
    for (const DistanceModelRow& row : kDistanceModels)
        if (row.model == model)
            return row.alModel;
    return AL_INVERSE_DISTANCE_CLAMPED;
}

} // namespace

RendererThread::ListenerEntry::~ListenerEntry()
{
    DeleteEntries(playables);
}

RendererThread::RendererThread(Renderer* renderer)
    : System::Thread(String("AL11Renderer")), mRenderer(renderer), mNumListenerEntries(0),
      mCurrentListenerEntry(nullptr), mNumPlayableEntries(0)
{
}

RendererThread::~RendererThread()
{
    // The renderer has woken and joined the thread; this only waits should it not have.
    Stop();
    Join();
    for (ListenerEntry* entry : mListenerEntries) {
        // The playable entries belong to their own pool.
        entry->playables.SetCount(0);
        delete entry;
    }
    DeleteEntries(mPlayableEntries);
}

void RendererThread::BeginFrame()
{
    Hold hold(mLock);
    mNumListenerEntries = 0;
    mNumPlayableEntries = 0;
    mCurrentListenerEntry = nullptr;
}

void RendererThread::AddListener(Listener* listener, const Math::Matrix<float>& transform)
{
    Hold hold(mLock);
    ListenerEntry* entry = NextEntry(mListenerEntries, mNumListenerEntries);
    mCurrentListenerEntry = entry;
    entry->listener = listener;
    listener->SetTransform(transform);
    entry->numPlayables = 0;
}

void RendererThread::AddPlayable(Playable* playable, const Math::Matrix<float>& transform, Real time)
{
    Hold hold(mLock);
    if (!playable || !mCurrentListenerEntry)
        return;
    PlayableEntry* entry = NextEntry(mPlayableEntries, mNumPlayableEntries);
    entry->playable = playable;
    entry->transform = transform;
    entry->time = Double(time);
    ListenerEntry& listener = *mCurrentListenerEntry;
    if (listener.numPlayables < UInt32(listener.playables.GetCount()))
        listener.playables[SInt32(listener.numPlayables)] = entry;
    else
        listener.playables.Add(entry);
    ++listener.numPlayables;
    const SInt32 position = mPreviouslyActive.Find(playable);
    if (position >= 0)
        mPreviouslyActive.RemoveAt(position);
}

IListener* RendererThread::GetCurrentListener()
{
    Hold hold(mLock);
    return mCurrentListenerEntry ? mCurrentListenerEntry->listener : nullptr;
}

void RendererThread::RemoveObject(IObject* object)
{
    Hold hold(mLock);
    // Only the entries that hold the object are emptied; the thread passes empty ones over.
    if (Playable* playable = dynamic_cast<Playable*>(object)) {
        const SInt32 position = mPreviouslyActive.Find(playable);
        if (position >= 0)
            mPreviouslyActive.RemoveAt(position);
        for (UInt32 i = 0; i < mNumPlayableEntries; ++i)
            if (mPlayableEntries[SInt32(i)]->playable == playable)
                mPlayableEntries[SInt32(i)]->playable = nullptr;
    } else if (Listener* listener = dynamic_cast<Listener*>(object)) {
        for (UInt32 i = 0; i < mNumListenerEntries; ++i) {
            ListenerEntry* entry = mListenerEntries[SInt32(i)];
            if (entry->listener != listener)
                continue;
            entry->listener = nullptr;
            entry->numPlayables = 0;
            if (entry == mCurrentListenerEntry)
                mCurrentListenerEntry = nullptr;
        }
    }
}

Bool RendererThread::Run()
{
    for (;;) {
        mRenderer->mUpdateEvent->Wait();
        if (!IsRunning())
            return true;
        Update();
        mRenderer->mDoneEvent->Signal();
    }
}

void RendererThread::Update()
{
    Hold hold(mLock);
    for (SInt32 i = 0; i < mPreviouslyActive.GetCount(); ++i)
        mPreviouslyActive[i]->Stop();
    mPreviouslyActive.Clear();
    for (UInt32 l = 0; l < mNumListenerEntries; ++l) {
        const ListenerEntry& entry = *mListenerEntries[SInt32(l)];
        if (!entry.listener)
            continue;
        UpdateListener(*entry.listener);
        for (UInt32 p = 0; p < entry.numPlayables; ++p) {
            const PlayableEntry& submitted = *entry.playables[SInt32(p)];
            if (!submitted.playable)
                continue;
            submitted.playable->Process(submitted.transform, submitted.time);
            if (mPreviouslyActive.Find(submitted.playable) < 0)
                mPreviouslyActive.Add(submitted.playable);
        }
    }
}

void RendererThread::UpdateListener(const Listener& listener)
{
    const Math::Matrix<float>& m = listener.GetTransform();
    alDistanceModel(GetAlDistanceModel(listener.GetDistanceModel()));
    alListener3f(AL_POSITION, m[12], m[13], m[14]);
    alListener3f(AL_VELOCITY, 0.0f, 0.0f, 0.0f);
    // "At" is the negated local z axis, "up" the local y axis.
    const ALfloat orientation[6] = {-m[8], -m[9], -m[10], m[4], m[5], m[6]};
    alListenerfv(AL_ORIENTATION, orientation);
}

Renderer::Renderer(IConfiguration* configuration, IAudioInterface* audioInterface)
    : Audio::Renderer(configuration, audioInterface)
{
}

Renderer::~Renderer()
{
    if (mThread)
        DeInit();
}

Bool Renderer::Init()
{
    if (mThread)
        return true;
    RegisterClasses(Buffer::GetClassInfo(), Listener::GetClassInfo(), Playable::GetClassInfo());
    mStreamBufferPool = std::make_unique<StreamBufferPool>();
    mUpdateEvent = std::make_unique<System::Event>();
    mDoneEvent = std::make_unique<System::Event>();
    mThread = std::make_unique<RendererThread>(this);
    mThread->Start();
    // The first BeginFrame must not wait.
    mDoneEvent->Signal();
    return true;
}

Bool Renderer::DeInit()
{
    if (mThread) {
        mThread->Stop();
        mUpdateEvent->Signal();
        mThread->Join();
        mThread.reset();
    }
    mDoneEvent.reset();
    mUpdateEvent.reset();
    mStreamBufferPool.reset();
    UnregisterClasses(Buffer::GetClassInfo(), Listener::GetClassInfo(), Playable::GetClassInfo());
    return true;
}

IObject* Renderer::CreateObject(const String& className)
{
    IObject* object = Audio::Renderer::CreateObject(className);
    if (Object* al11 = dynamic_cast<Object*>(object))
        al11->SetRenderer(this);
    return object;
}

Bool Renderer::DestroyObject(IObject*& object)
{
    RemoveObject(object);
    return Audio::Renderer::DestroyObject(object);
}

void Renderer::RemoveObject(IObject* object)
{
    if (mThread && object)
        mThread->RemoveObject(object);
}

std::unique_lock<std::mutex> Renderer::LockThread()
{
    return mThread ? std::unique_lock<std::mutex>(mThread->GetLock()) : std::unique_lock<std::mutex>();
}

void Renderer::BeginFrame()
{
    if (!mThread)
        return;
    mDoneEvent->Wait();
    mThread->BeginFrame();
}

void Renderer::Render()
{
    if (mThread)
        mUpdateEvent->Signal();
}

void Renderer::AddPlayable(IPlayable* playable, const Math::Matrix<float>& transform, Real time)
{
    if (mThread)
        mThread->AddPlayable(dynamic_cast<Playable*>(playable), transform, time);
}

void Renderer::AddListener(IListener* listener, const Math::Matrix<float>& transform)
{
    Listener* al11 = dynamic_cast<Listener*>(listener);
    if (mThread && al11)
        mThread->AddListener(al11, transform);
}

IListener* Renderer::GetCurrentListener()
{
    return mThread ? mThread->GetCurrentListener() : nullptr;
}

} // namespace Al11
} // namespace Audio
} // namespace Vorn
