// The engine's unit of loading: one resource package found by name, the sub-graphs built from
// its instances with the place where each one hangs, and an optional logic processor. The loader
// makes and destroys packages and moves each one through its numbered states one step at a time;
// the flags are the package's own guard, so an operation refuses when the package is not ready
// for it whatever the state number says. Every change that the logic thread or the renderers can
// see happens under the graph root's lock or the logic state's lock.
#pragma once

#include "core/package.h"
#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

namespace Graph {
class Factory;
class IDeInitState;
class IInitState;
class INode;
} // namespace Graph

namespace Logic {
class IEngineState;
class IState;
} // namespace Logic

namespace Resource {
class ICollection;
class IPackage;
} // namespace Resource

namespace Core {

class Loader;

class Package : public IPackage
{
public:
    // The numbered states: forward from 17 (unloaded) to 8 (loaded), backward from 8 to 17. Even
    // states are rests, odd ones steps in progress; 5 and 12 are passed within one step.
    static constexpr SInt32 kUnloaded = 17;
    static constexpr SInt32 kLoaded = 8;

    Package(Loader* loader, const String& name, SInt32 loadMode, Logic::IProcessor* processor);
    // Frees what the package still holds: a package is destroyed only unloaded, or after the
    // loader discarded a failed load.
    ~Package() override;

    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const String& GetName() const override;
    Logic::IProcessor* GetProcessor() const override;
    Bool Load() override;
    Bool Unload() override;
    Bool QueueLoad() override;
    Bool QueueUnload() override;
    Bool CancelLoad() override;
    Bool CancelUnload() override;
    Bool IsBusy() const override;
    Bool IsLoading() const override;
    Bool IsUnloading() const override;
    Bool IsLoaded() const override;
    Bool IsUnloaded() const override;

    SInt32 GetLoadMode() const;

    // Loader thread, no lock held: reads the resource package and builds one disabled sub-graph
    // per instance. A failure keeps what was made, for UnloadResources.
    Bool AreResourcesLoaded() const;
    Bool LoadResources(Resource::ICollection* collection, Graph::Factory* factory, Logic::IEngineState* logicState);
    Bool UnloadResources(Resource::ICollection* collection, Graph::Factory* factory, Logic::IEngineState* logicState);

    // Hangs each sub-graph under its parent and initialises it inside the namespaces above that
    // parent; stops after the current sub-graph when the init state is cancelled.
    Bool AreGraphsInitialized() const;
    Bool InitGraphs(Graph::IInitState* initState);
    // Takes down every sub-graph that was hung, also after a cancelled or failed InitGraphs.
    Bool DeInitGraphs(Graph::IDeInitState* deInitState);

    Bool IsLogicInitialized() const;
    Bool InitLogic(Logic::IEngineState* logicState);
    Bool DeInitLogic(Logic::IEngineState* logicState);

    // Main thread, at a frame boundary: enable the sub-graphs and register the processor, and back.
    Bool AreGraphsUnlocked() const;
    Bool UnlockGraphs(Graph::IInitState* initState, Logic::IEngineState* logicState);
    Bool LockGraphs(Graph::IInitState* initState, Logic::IEngineState* logicState);

    // Takes apart whatever a failed load or unload left, whichever part refuses: the package ends
    // with nothing hung, registered or held.
    void Discard(Graph::IInitState* initState, Graph::IDeInitState* deInitState, Logic::IEngineState* logicState,
                 Resource::ICollection* collection, Graph::Factory* factory);

    // Tell every registered processor, under the logic state's lock.
    Bool SignalPackageWillBeLoaded(Logic::IEngineState* logicState);
    Bool SignalPackageWasLoaded(Logic::IEngineState* logicState);
    Bool SignalPackageWillBeUnloaded(Logic::IEngineState* logicState);
    Bool SignalPackageWasUnloaded(Logic::IEngineState* logicState);

    // Read and written under the loader's lock.
    void IncreaseLoadCount();
    void DecreaseLoadCount();
    void IncreaseUnloadCount();
    void DecreaseUnloadCount();
    void SetState(SInt32 state);
    SInt32 GetState() const;

private:
    typedef void (Logic::IProcessor::*Signal)(Logic::IState* state, IPackage* package);
    Bool SendSignal(Logic::IEngineState* logicState, Signal signal, const char* method);
    // Destroys the sub-graphs made so far and forgets their places.
    void DestroySubGraphs();

    Loader* mLoader;
    SInt32 mLoadMode;
    String mName;
    Logic::IProcessor* mProcessor;
    Array<Graph::INode*> mSubGraphs;
    Array<String> mParentNodeIds;
    // The parent of each sub-graph that is hung, in sub-graph order.
    Array<Graph::INode*> mParentNodes;
    Resource::IPackage* mResourcePackage;
    Resource::ICollection* mCollection;
    UInt32 mLoadRequestCount;
    UInt32 mUnloadRequestCount;
    Bool mResourcesLoaded;
    Bool mGraphsInitialized;
    Bool mLogicInitialized;
    Bool mGraphsUnlocked;
    SInt32 mState;
};

} // namespace Core
} // namespace Vorn
