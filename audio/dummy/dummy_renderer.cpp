#include "audio/dummy/dummy_renderer.h"

#include "foundation/debug.h"

namespace Vorn {
namespace Audio {
namespace Dummy {

namespace {

template <class Object>
IObject* Make()
{
    return new Object();
}

} // namespace

const ClassInfo& Buffer::GetClassInfo()
{
    static const ClassInfo info{String("Buffer"), &Make<Buffer>};
    return info;
}

Bool Buffer::SetSampleRate(UInt32 rate)
{
    mSampleRate = rate;
    return true;
}

Bool Buffer::SetNumberOfSamples(UInt32 count)
{
    mNumberOfSamples = count;
    return true;
}

const ClassInfo& Playable::GetClassInfo()
{
    static const ClassInfo info{String("Playable"), &Make<Playable>};
    return info;
}

Bool Playable::RemoveAllBuffers()
{
    mNumEntries = 0;
    mTotalDuration = 0.0;
    return true;
}

Bool Playable::AddBuffer(IBuffer* buffer)
{
    Buffer* silent = dynamic_cast<Buffer*>(buffer);
    if (!silent) {
        Debug::Trace("Audio::Dummy::Playable::AddBuffer(): %s", buffer ? "Not a buffer of this renderer" : "No buffer");
        return false;
    }
    const Entry entry{silent, mTotalDuration};
    if (mNumEntries < UInt32(mEntries.GetCount()))
        mEntries[SInt32(mNumEntries)] = entry;
    else
        mEntries.Add(entry);
    ++mNumEntries;
    mTotalDuration += silent->GetDuration();
    return true;
}

IBuffer* Playable::GetBuffer(UInt32 index)
{
    return index < mNumEntries ? mEntries[SInt32(index)].buffer : nullptr;
}

Double Playable::GetBufferStartTime(UInt32 index) const
{
    return index < mNumEntries ? mEntries[SInt32(index)].startTime : 0.0;
}

const ClassInfo& Listener::GetClassInfo()
{
    static const ClassInfo info{String("Listener"), &Make<Listener>};
    return info;
}

Renderer::Renderer(IConfiguration* configuration, IAudioInterface* audioInterface)
    : Audio::Renderer(configuration, audioInterface), mCurrentListener(nullptr)
{
}

Renderer::~Renderer() = default;

Bool Renderer::Init()
{
    RegisterClasses(Buffer::GetClassInfo(), Listener::GetClassInfo(), Playable::GetClassInfo());
    return true;
}

Bool Renderer::DeInit()
{
    UnregisterClasses(Buffer::GetClassInfo(), Listener::GetClassInfo(), Playable::GetClassInfo());
    mCurrentListener = nullptr;
    return true;
}

void Renderer::AddListener(IListener* listener, const Math::Matrix<float>&)
{
    mCurrentListener = listener;
}

Bool Renderer::DestroyObject(IObject*& object)
{
    if (object && dynamic_cast<IListener*>(object) == mCurrentListener)
        mCurrentListener = nullptr;
    return Audio::Renderer::DestroyObject(object);
}

} // namespace Dummy
} // namespace Audio
} // namespace Vorn
