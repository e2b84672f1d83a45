// The eight traversal states: the one argument of every pass over the scene graph. A state
// hands the nodes the engine's services, the frame's times and the context stacks of their
// ancestors. The engine creates one of each and reuses it for every run of its pass.
//
// Pops never check for an empty stack: every push is paired with a pop by the same node.
// The counters count objects handled for the engine's statistics.
#pragma once

#include "foundation/matrix.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "foundation/vector.h"

namespace Vorn {

class IClock;
class IConfiguration;

namespace Resource {
class ICollection;
}
namespace Input {
class ITouchableHandler;
}
namespace Output {
class IDeviceHandler;
}
namespace Display {
class IRenderer;
}
namespace Audio {
class IRenderer;
}
namespace Physics {
class ISimulator;
}

namespace Graph {

class Factory;
class ICuller;
class INamespace;
class INode;
class IProcessable;
class IRenderable;
class IRoot;
class IView;

// Init and Resume passes.
class IInitState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    // While set, INode::Init returns true at once: a cancelled package load stops initialising.
    virtual void SetCancelled(Bool cancelled) = 0;
    virtual Bool IsCancelled() const = 0;
    virtual void Begin() = 0;
    virtual void End() = 0;
    // The clock's frame count taken by Begin.
    virtual UInt32 GetFrameCount() const = 0;

    virtual IConfiguration* GetConfiguration() = 0;
    virtual Factory* GetFactory() = 0;
    virtual Input::ITouchableHandler* GetInputDeviceHandler() = 0;
    virtual Output::IDeviceHandler* GetOutputDeviceHandler() = 0;
    virtual Display::IRenderer* GetDisplayRenderer() = 0;
    virtual Audio::IRenderer* GetAudioRenderer() = 0;
    virtual Physics::ISimulator* GetPhysicsSimulator() = 0;
    virtual Resource::ICollection* GetResourceCollection() = 0;

    virtual void PushNode(INode* node) = 0;
    virtual void PopNode() = 0;
    // Null when the stack is empty.
    virtual INode* GetCurrentNode() = 0;
    virtual void PushNamespace(INamespace* nameSpace) = 0;
    virtual void PopNamespace() = 0;
    // Null when the stack is empty.
    virtual INamespace* GetCurrentNamespace() = 0;
    // The bottom entry, or null.
    virtual INamespace* GetRootNamespace() = 0;
    // Looks the path up from the current namespace; takes one reference on the node found.
    // Null when not found or when no namespace is current.
    virtual INode* FindNode(const String& path) = 0;

    // Nodes initialised; Begin leaves it.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IInitState() {}
};

// DeInit and Suspend passes.
class IDeInitState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    virtual void Begin() = 0;
    virtual void End() = 0;
    virtual UInt32 GetFrameCount() const = 0;

    virtual IConfiguration* GetConfiguration() = 0;
    virtual Factory* GetFactory() = 0;
    virtual Input::ITouchableHandler* GetInputDeviceHandler() = 0;
    virtual Output::IDeviceHandler* GetOutputDeviceHandler() = 0;
    virtual Display::IRenderer* GetDisplayRenderer() = 0;
    virtual Audio::IRenderer* GetAudioRenderer() = 0;
    virtual Physics::ISimulator* GetPhysicsSimulator() = 0;
    virtual Resource::ICollection* GetResourceCollection() = 0;

    // Nodes de-initialised, cumulative: Begin leaves it.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IDeInitState() {}
};

// ConfigChanged pass.
class IConfigChangedState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    // Also resets the counter.
    virtual void Begin() = 0;
    virtual void End() = 0;
    // A node records it after a successful ConfigChangedSelf.
    virtual UInt32 GetFrameCount() const = 0;

    virtual IConfiguration* GetConfiguration() = 0;
    virtual Factory* GetFactory() = 0;
    virtual Input::ITouchableHandler* GetInputDeviceHandler() = 0;
    virtual Output::IDeviceHandler* GetOutputDeviceHandler() = 0;
    virtual Display::IRenderer* GetDisplayRenderer() = 0;
    virtual Audio::IRenderer* GetAudioRenderer() = 0;
    virtual Physics::ISimulator* GetPhysicsSimulator() = 0;
    virtual Resource::ICollection* GetResourceCollection() = 0;

    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IConfigChangedState() {}
};

// ProcessLogic pass, once per logic step.
class IProcessLogicState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    // Copies the frame values from the clock.
    virtual void Begin() = 0;
    virtual void End() = 0;
    // Clears the stacks and the counter; the timeline values stay.
    virtual void BeginStep() = 0;
    // Logic time += step duration.
    virtual void EndStep() = 0;

    virtual UInt32 GetFrameCount() const = 0;
    virtual Double GetFrameTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual UInt32 GetStepCount() const = 0;
    // The start of the current step.
    virtual Double GetLogicTime() const = 0;
    virtual Double GetStepDuration() const = 0;
    virtual UInt32 GetNumberOfSteps() const = 0;

    // Time and run state of the nearest enclosing timeline: 0 not running, 1 forwards,
    // 2 backwards. Both 0 outside every timeline.
    virtual void SetTimelineTime(Double time) = 0;
    virtual void SetTimelineState(SInt32 state) = 0;
    virtual Double GetTimelineTime() const = 0;
    virtual SInt32 GetTimelineState() const = 0;

    virtual Input::ITouchableHandler* GetInputDeviceHandler() = 0;
    virtual Physics::ISimulator* GetPhysicsSimulator() = 0;

    // The current flags are the OR of the pushed node flag words; bit 5 is "just activated".
    virtual void PushFlags(UInt32 flags) = 0;
    virtual void PopFlags() = 0;
    virtual UInt32 GetFlags() const = 0;

    virtual void PushView(IView* view) = 0;
    virtual void PopView() = 0;
    virtual IView* GetCurrentView() = 0;

    virtual void PushTransform(const Math::Matrix<float>& matrix) = 0;
    virtual void PushRelativeTransform(const Math::Matrix<float>& matrix) = 0;
    virtual void PopTransform() = 0;
    // Product of the entries since the last absolute push.
    virtual const Math::Matrix<float>& GetRelativeTransform() = 0;
    virtual const Math::Matrix<float>& GetTransform() = 0;

    virtual void PushScaleFactor(const Math::Vector<float>& scale) = 0;
    virtual void PushRelativeScaleFactor(const Math::Vector<float>& scale) = 0;
    virtual void PopScaleFactor() = 0;
    virtual const Math::Vector<float>& GetScaleFactor() = 0;

    virtual void SetDepthOrder(SInt32 order) = 0;
    virtual void AddDepthOrder(SInt32 order) = 0;
    virtual void PopDepthOrder() = 0;
    virtual SInt32 GetDepthOrder() const = 0;

    // Registers the object with the root for the coming FinishLogic pass.
    virtual void AddProcessable(IProcessable* processable) = 0;

    // Nodes processed.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IProcessLogicState() {}

    // Absolute push of the identity.
    virtual void ResetTransform() = 0;
};

// FinishLogic pass over the root's processables, once per logic step.
class IFinishLogicState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    virtual void Begin() = 0;
    virtual void End() = 0;
    // Resets the counter.
    virtual void BeginStep() = 0;
    // Logic time += step duration.
    virtual void EndStep() = 0;

    virtual UInt32 GetFrameCount() const = 0;
    virtual Double GetFrameTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual UInt32 GetStepCount() const = 0;
    virtual Double GetLogicTime() const = 0;
    virtual Double GetStepDuration() const = 0;
    virtual UInt32 GetNumberOfSteps() const = 0;

    virtual Input::ITouchableHandler* GetInputDeviceHandler() = 0;
    virtual Physics::ISimulator* GetPhysicsSimulator() = 0;

    // Processables finished.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IFinishLogicState() {}
};

// PrepareOutput pass, once per frame after the logic steps.
class IPrepareOutputState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    // Copies the frame values, clears the stacks and the counter, and empties the root's list
    // of renderable views.
    virtual void Begin() = 0;
    virtual void End() = 0;

    virtual UInt32 GetFrameCount() const = 0;
    virtual Double GetFrameTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual UInt32 GetNumberOfSteps() const = 0;

    virtual Output::IDeviceHandler* GetOutputDeviceHandler() = 0;

    // Bit 6 of the flags is "just made visible".
    virtual void PushFlags(UInt32 flags) = 0;
    virtual void PopFlags() = 0;
    virtual UInt32 GetFlags() const = 0;

    // Also registers the view with the root, so that it is culled and enqueued this frame.
    virtual void PushView(IView* view) = 0;
    virtual void PopView() = 0;
    virtual IView* GetCurrentView() = 0;

    virtual void PushTransform(const Math::Matrix<float>& matrix) = 0;
    virtual void PushRelativeTransform(const Math::Matrix<float>& matrix) = 0;
    virtual void PopTransform() = 0;
    virtual const Math::Matrix<float>& GetTransform() = 0;

    virtual void PushScaleFactor(const Math::Vector<float>& scale) = 0;
    virtual void PushRelativeScaleFactor(const Math::Vector<float>& scale) = 0;
    virtual void PopScaleFactor() = 0;
    virtual const Math::Vector<float>& GetScaleFactor() = 0;

    virtual void SetDepthOrder(SInt32 order) = 0;
    virtual void AddDepthOrder(SInt32 order) = 0;
    virtual void PopDepthOrder() = 0;
    virtual SInt32 GetDepthOrder() const = 0;

    // Registers the object with the current view (nothing without one): placed objects with
    // the current world transform, scale factor and depth order, to be culled.
    virtual void AddRenderable(IRenderable* renderable, Bool placed) = 0;

    // Nodes prepared.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IPrepareOutputState() {}
};

// CullOutput pass over the root's renderable views.
class ICullOutputState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    virtual void Begin() = 0;
    virtual void End() = 0;

    virtual UInt32 GetFrameCount() const = 0;
    virtual Double GetFrameTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual UInt32 GetNumberOfSteps() const = 0;

    virtual void PushView(IView* view) = 0;
    virtual void PopView() = 0;
    virtual IView* GetCurrentView() = 0;
    // A null culler culls nothing.
    virtual void PushCuller(ICuller* culler) = 0;
    virtual void PopCuller() = 0;
    virtual ICuller* GetCurrentCuller() = 0;
    virtual void PushObject(void* object) = 0;
    virtual void PopObject() = 0;
    virtual void* GetCurrentObject() = 0;

    // Set by the view for each renderable it culls: its world transform and scale factor as
    // registered, and the culled result, which the renderable sets when it cannot be seen.
    virtual void SetItemValue1(const Math::Matrix<float>* transform) = 0;
    virtual void SetItemValue2(const Math::Vector<float>* scale) = 0;
    virtual void SetItemFlag(Bool culled) = 0;
    virtual const Math::Matrix<float>* GetItemValue1() const = 0;
    virtual const Math::Vector<float>* GetItemValue2() const = 0;
    virtual Bool GetItemFlag() const = 0;

    // Items culled.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~ICullOutputState() {}
};

// EnqueueOutput pass over the root's renderable views, on the main thread.
class IEnqueueOutputState
{
public:
    virtual Bool Init(IClock* clock) = 0;
    virtual Bool DeInit() = 0;
    virtual void SetRoot(IRoot* root) = 0;
    virtual IRoot* GetRoot() = 0;

    virtual void Begin() = 0;
    virtual void End() = 0;

    virtual UInt32 GetFrameCount() const = 0;
    virtual Double GetFrameTime() const = 0;
    virtual Double GetFrameDuration() const = 0;
    virtual UInt32 GetNumberOfSteps() const = 0;

    virtual void PushView(IView* view) = 0;
    virtual void PopView() = 0;
    virtual IView* GetCurrentView() = 0;

    virtual Display::IRenderer* GetDisplayRenderer() = 0;
    virtual Audio::IRenderer* GetAudioRenderer() = 0;

    // Set by the view for each renderable it enqueues: world transform, scale factor and depth
    // order as registered.
    virtual void SetItemValue1(const Math::Matrix<float>* transform) = 0;
    virtual void SetItemValue2(const Math::Vector<float>* scale) = 0;
    virtual void SetItemValue3(SInt32 depthOrder) = 0;
    virtual const Math::Matrix<float>* GetItemValue1() const = 0;
    virtual const Math::Vector<float>* GetItemValue2() const = 0;
    virtual SInt32 GetItemValue3() const = 0;

    // Items enqueued.
    virtual void ResetCounter() = 0;
    virtual void IncrementCounter() = 0;
    virtual UInt32 GetCounter() const = 0;

    virtual ~IEnqueueOutputState() {}
};

} // namespace Graph
} // namespace Vorn
