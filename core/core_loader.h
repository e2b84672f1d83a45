// The engine's package registry and the queue that moves packages between unloaded and loaded.
// Load and unload requests queue up; only the package at the head of the queue moves, one state
// at a time, through ten steps that the loader thread (reading and building), the engine's
// BeginFrame (unlocking and locking, while the logic thread waits) and EndFrame (handing over
// between the two sides) call. One lock guards the registry, the lists, the queue, the flags and
// every package's state and request counts; it is never held during a package operation.
#pragma once

#include "core/loader.h"
#include "foundation/array.h"
#include "foundation/event.h"
#include "foundation/map.h"
#include "foundation/mutex.h"
#include "foundation/string.h"
#include "foundation/types.h"

namespace Vorn {

namespace Graph {
class Factory;
class IDeInitState;
class IInitState;
} // namespace Graph

namespace Logic {
class IEngineState;
}

namespace Resource {
class ICollection;
}

namespace Core {

class Package;

class Loader : public ILoader
{
public:
    // Request kinds of the queue.
    static constexpr SInt32 kLoad = 1;
    static constexpr SInt32 kUnload = 2;
    static constexpr SInt32 kLoadTurnedUnload = 3;
    static constexpr SInt32 kUnloadTurnedLoad = 4;

    // Holds the loader's lock for a scope.
    class Guard
    {
    public:
        explicit Guard(const Loader* loader) : mLoader(loader) { mLoader->mLock.Lock(); }
        ~Guard() { mLoader->mLock.Unlock(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        const Loader* mLoader;
    };

    Loader();
    // Frees the lists and the registry; destroys no package (DeInit does).
    ~Loader() override;

    Loader(const Loader&) = delete;
    Loader& operator=(const Loader&) = delete;

    // None of the services is owned; the traversal states must outlive the loader's use.
    Bool Init(Graph::IInitState* initState, Graph::IDeInitState* deInitState, Resource::ICollection* collection,
              Graph::Factory* factory);
    // The logic state is made after the loader; the steps need it from the first package on.
    void SetLogicState(Logic::IEngineState* logicState);
    // Destroys every package, the last created first; false when one is not unloaded.
    Bool DeInit();

    IPackage* CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor) override;
    IPackage* GetPackage(const String& name) override;
    Bool LoadPackage(const String& name) override;
    Bool UnloadPackage(const String& name) override;

    // False when the name is not registered or the package is not unloaded.
    Bool DestroyPackage(const String& name);

    // The requests behind the package's own operations; Load and Unload say true only once the
    // package has arrived.
    Bool LoadPackage(Package* package);
    Bool UnloadPackage(Package* package);
    Bool QueueLoad(Package* package);
    Bool QueueUnload(Package* package);
    Bool CancelLoad(Package* package);
    Bool CancelUnload(Package* package);

    // The ten steps: each works on the head of the queue when its package is in the step's
    // state, and returns false only when a package operation failed.
    Bool ProcessUnloadedPackage();
    Bool LoadPackageResources();
    Bool InitPackageGraphs();
    Bool AddPackagesToInitialize();
    Bool UnlockInitializedPackages();
    Bool ProcessLoadedPackage();
    Bool LockPackagesToRemove();
    Bool RemovePackagesToDeInitialize();
    Bool DeInitPackageGraphs();
    Bool UnloadPackageResources();

    // Main thread, before the loader thread runs: loads the queued packages of load mode 0.
    Bool LoadStartupPackages();
    // Main thread, after the loader thread ended: unloads every loaded package, the last loaded
    // first. A package that a failed step left half way is taken apart and dropped; the result
    // is then false.
    Bool UnloadAllPackages();
    Bool Suspend();
    Bool Resume();
    // Signals the wake event; true when signalled.
    Bool Wake();

    // For the loader thread.
    Bool WaitForWork();
    void SetThreadRunning(Bool running);
    // True when the loader thread has done all that the wakes so far asked and waits for more,
    // or does not run: a caller that steps frames by hand waits for this to see the same loader
    // progress in every frame, however busy the machine.
    Bool IsCaughtUp() const;
    Bool IsSuspended() const;
    // Stopping was asked and every package is unloaded.
    Bool IsDone() const;

private:
    struct Request
    {
        Package* mPackage;
        SInt32 mKind;
    };

    // The head's package when it is in the state; null otherwise. Sets forward for kinds 1 and 4.
    Package* HeadInState(SInt32 state, Bool& forward) const;
    // Counts the wake and signals the event.
    Bool SignalWork();
    // Sets the state under the lock.
    void SetState(Package* package, SInt32 state);
    void RemoveHead();
    void MoveBetweenLists(Package* package, Array<Package*>& from, Array<Package*>& to);
    // Empties the queue, taking back the request counts of its entries.
    void ClearQueue();
    // Takes apart whatever a failed load or unload left of the head's package and drops its
    // request; the package ends unloaded.
    void DropHead();
    Bool RunSteps(Bool (Loader::*const* steps)(), UInt32 count);

    Graph::IInitState* mInitState;
    Graph::IDeInitState* mDeInitState;
    Logic::IEngineState* mLogicState;
    Resource::ICollection* mCollection;
    Graph::Factory* mFactory;
    Bool mIsSuspended;
    Bool mIsStopping;
    Bool mThreadRunning;
    Bool mThreadWaiting;
    UInt64 mWakeCount;
    UInt64 mServedCount;
    mutable System::Mutex mLock;
    System::Event mWakeEvent;
    Map<String, Package*> mRegistry;
    Array<Package*> mPackages;
    Array<Package*> mUnloadedPackages;
    Array<Package*> mLoadedPackages;
    Array<Request> mQueue;
};

} // namespace Core
} // namespace Vorn
