// The state of the Init and Resume passes: the engine services, the stacks of the nodes and
// namespaces being initialised, and the cancel flag of a package load.
#pragma once

#include "graph/state_stacks.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Graph {

class InitState : public IInitState
{
public:
    InitState(IConfiguration* configuration, Factory* factory, Input::ITouchableHandler* inputDeviceHandler,
              Output::IDeviceHandler* outputDeviceHandler, Display::IRenderer* displayRenderer,
              Audio::IRenderer* audioRenderer, Physics::ISimulator* physicsSimulator,
              Resource::ICollection* resourceCollection);
    ~InitState() override;

    Bool Init(IClock* clock) override;
    Bool DeInit() override;
    void SetRoot(IRoot* root) override;
    IRoot* GetRoot() override;

    void SetCancelled(Bool cancelled) override;
    Bool IsCancelled() const override;
    void Begin() override;
    void End() override;
    UInt32 GetFrameCount() const override;

    IConfiguration* GetConfiguration() override;
    Factory* GetFactory() override;
    Input::ITouchableHandler* GetInputDeviceHandler() override;
    Output::IDeviceHandler* GetOutputDeviceHandler() override;
    Display::IRenderer* GetDisplayRenderer() override;
    Audio::IRenderer* GetAudioRenderer() override;
    Physics::ISimulator* GetPhysicsSimulator() override;
    Resource::ICollection* GetResourceCollection() override;

    void PushNode(INode* node) override;
    void PopNode() override;
    INode* GetCurrentNode() override;
    void PushNamespace(INamespace* nameSpace) override;
    void PopNamespace() override;
    INamespace* GetCurrentNamespace() override;
    INamespace* GetRootNamespace() override;
    INode* FindNode(const String& path) override;

    void ResetCounter() override;
    void IncrementCounter() override;
    UInt32 GetCounter() const override;

private:
    IClock* mClock;
    IRoot* mRoot;
    EngineServices mServices;
    Bool mCancelled;
    FrameValues mFrame;
    PointerStack<INode> mNodes;
    PointerStack<INamespace> mNamespaces;
    UInt32 mCounter;
};

} // namespace Graph
} // namespace Vorn
