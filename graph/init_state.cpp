#include "graph/init_state.h"

#include "graph/namespace.h"

namespace Vorn {
namespace Graph {

InitState::InitState(IConfiguration* configuration, Factory* factory, Input::ITouchableHandler* inputDeviceHandler,
                     Output::IDeviceHandler* outputDeviceHandler, Display::IRenderer* displayRenderer,
                     Audio::IRenderer* audioRenderer, Physics::ISimulator* physicsSimulator,
                     Resource::ICollection* resourceCollection)
    : mClock(nullptr), mRoot(nullptr), mCancelled(false), mCounter(0)
{
    mServices.mConfiguration = configuration;
    mServices.mFactory = factory;
    mServices.mInputDeviceHandler = inputDeviceHandler;
    mServices.mOutputDeviceHandler = outputDeviceHandler;
    mServices.mDisplayRenderer = displayRenderer;
    mServices.mAudioRenderer = audioRenderer;
    mServices.mPhysicsSimulator = physicsSimulator;
    mServices.mResourceCollection = resourceCollection;
}

InitState::~InitState() {}

Bool InitState::Init(IClock* clock)
{
    mClock = clock;
    return true;
}

Bool InitState::DeInit() { return true; }

void InitState::SetRoot(IRoot* root) { mRoot = root; }

IRoot* InitState::GetRoot() { return mRoot; }

void InitState::SetCancelled(Bool cancelled) { mCancelled = cancelled; }

Bool InitState::IsCancelled() const { return mCancelled; }

void InitState::Begin()
{
    mFrame.CopyFrom(mClock);
    // A pass that failed half-way leaves its entries behind; the next pass starts clean.
    mNodes.Clear();
    mNamespaces.Clear();
}

void InitState::End() {}

UInt32 InitState::GetFrameCount() const { return mFrame.mFrameCount; }

IConfiguration* InitState::GetConfiguration() { return mServices.mConfiguration; }

Factory* InitState::GetFactory() { return mServices.mFactory; }

Input::ITouchableHandler* InitState::GetInputDeviceHandler() { return mServices.mInputDeviceHandler; }

Output::IDeviceHandler* InitState::GetOutputDeviceHandler() { return mServices.mOutputDeviceHandler; }

Display::IRenderer* InitState::GetDisplayRenderer() { return mServices.mDisplayRenderer; }

Audio::IRenderer* InitState::GetAudioRenderer() { return mServices.mAudioRenderer; }

Physics::ISimulator* InitState::GetPhysicsSimulator() { return mServices.mPhysicsSimulator; }

Resource::ICollection* InitState::GetResourceCollection() { return mServices.mResourceCollection; }

void InitState::PushNode(INode* node) { mNodes.Push(node); }

void InitState::PopNode() { mNodes.Pop(); }

INode* InitState::GetCurrentNode() { return mNodes.GetTop(); }

void InitState::PushNamespace(INamespace* nameSpace) { mNamespaces.Push(nameSpace); }

void InitState::PopNamespace() { mNamespaces.Pop(); }

INamespace* InitState::GetCurrentNamespace() { return mNamespaces.GetTop(); }

INamespace* InitState::GetRootNamespace() { return mNamespaces.GetBottom(); }

INode* InitState::FindNode(const String& path)
{
    INamespace* current = mNamespaces.GetTop();
    return current ? current->FindNode(path) : nullptr;
}

void InitState::ResetCounter() { mCounter = 0; }

void InitState::IncrementCounter() { ++mCounter; }

UInt32 InitState::GetCounter() const { return mCounter; }

} // namespace Graph
} // namespace Vorn
