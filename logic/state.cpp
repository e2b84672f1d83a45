#include "logic/state.h"

namespace Vorn {
namespace Logic {

State::State(IDeviceHandler* deviceHandler, IConfiguration* configuration, ILoader* loader,
             IFileInterface* fileInterface, IFactory* factory)
    : mCurrentTickTime(0.0), mCurrentTickDuration(0.0), mGraphRoot(nullptr), mResourceCollection(nullptr),
      mDeviceHandler(deviceHandler), mConfiguration(configuration), mLoader(loader), mFileInterface(fileInterface),
      mFactory(factory)
{
}

State::~State()
{
}

IFactory* State::GetFactory() const
{
    return mFactory;
}

Double State::GetCurrentTickTime() const
{
    return mCurrentTickTime;
}

Double State::GetCurrentTickDuration() const
{
    return mCurrentTickDuration;
}

IConfiguration* State::GetConfiguration() const
{
    return mConfiguration;
}

IDeviceHandler* State::GetDeviceHandler() const
{
    return mDeviceHandler;
}

IFileInterface* State::GetFileInterface() const
{
    return mFileInterface;
}

Graph::IRoot* State::GetGraphRoot() const
{
    return mGraphRoot;
}

ILoader* State::GetLoader() const
{
    return mLoader;
}

Resource::ICollection* State::GetResourceCollection() const
{
    return mResourceCollection;
}

void State::SetText(const String& text)
{
    mText = text;
}

void State::SetText(const char* text)
{
    mText = String(text);
}

String State::GetText() const
{
    return mText;
}

Bool State::Init()
{
    return true;
}

Bool State::DeInit()
{
    return true;
}

Bool State::Lock()
{
    mLock.Lock();
    return true;
}

Bool State::Unlock()
{
    mLock.Unlock();
    return true;
}

void State::SetCurrentTickTime(Double time)
{
    mCurrentTickTime = time;
}

void State::SetCurrentTickDuration(Double duration)
{
    mCurrentTickDuration = duration;
}

Bool State::AddProcessor(IProcessor* processor)
{
    if (processor == nullptr || mProcessors.Find(processor) >= 0)
        return false;
    mProcessors.Add(processor);
    return true;
}

Bool State::RemoveProcessor(IProcessor* processor)
{
    const SInt32 position = mProcessors.Find(processor);
    if (position < 0)
        return false;
    mProcessors.RemoveAt(position);
    return true;
}

UInt32 State::GetNumberOfProcessors() const
{
    return UInt32(mProcessors.GetCount());
}

IProcessor* State::GetProcessor(UInt32 index) const
{
    return index < GetNumberOfProcessors() ? mProcessors[SInt32(index)] : nullptr;
}

void State::SetGraphRoot(Graph::IRoot* root)
{
    mGraphRoot = root;
}

void State::SetResourceCollection(Resource::ICollection* collection)
{
    mResourceCollection = collection;
}

IState* State::GetState()
{
    return this;
}

} // namespace Logic
} // namespace Vorn
