#include "core/core_loader.h"

#include <new>

#include "core/core_package.h"
#include "foundation/debug.h"
#include "graph/traversal_state.h"

namespace Vorn {
namespace Core {

namespace {

// Whether the list holds the package.
Bool Contains(const Array<Package*>& list, const Package* package)
{
    for (const Package* entry : list) {
        if (entry == package)
            return true;
    }
    return false;
}

void Remove(Array<Package*>& list, const Package* package)
{
    for (SInt32 i = 0; i < list.GetCount(); ++i) {
        if (list[i] == package) {
            list.RemoveAt(i);
            return;
        }
    }
}

} // namespace

Loader::Loader()
    : mInitState(nullptr),
      mDeInitState(nullptr),
      mLogicState(nullptr),
      mCollection(nullptr),
      mFactory(nullptr),
      mIsSuspended(false),
      mIsStopping(false),
      mThreadRunning(false),
      mThreadWaiting(false),
      mWakeCount(0),
      mServedCount(0)
{
}

Loader::~Loader() {}

Bool Loader::Init(Graph::IInitState* initState, Graph::IDeInitState* deInitState, Resource::ICollection* collection,
                  Graph::Factory* factory)
{
    mInitState = initState;
    mDeInitState = deInitState;
    mCollection = collection;
    mFactory = factory;
    return true;
}

void Loader::SetLogicState(Logic::IEngineState* logicState)
{
    mLogicState = logicState;
}

Bool Loader::DeInit()
{
    Bool done = true;
    Array<Package*> packages;
    {
        Guard guard(this);
        packages = mPackages;
    }
    for (SInt32 i = packages.GetCount() - 1; i >= 0; --i) {
        const String name = packages[i]->GetName();
        if (!DestroyPackage(name)) {
            Debug::Trace("Core::Loader::DeInit(): Failed to destroy package %s", name.GetText());
            done = false;
        }
    }
    Guard guard(this);
    mPackages.Clear();
    if (!mRegistry.IsEmpty()) {
        Debug::Trace("Core::Loader::DeInit(): Packages are still registered");
        return false;
    }
    return done;
}

IPackage* Loader::CreatePackage(const String& name, SInt32 loadMode, Logic::IProcessor* processor)
{
    if (loadMode != kLoadAtStartup && loadMode != kLoadInBackground && loadMode != kLoadOnRequest)
        return nullptr;
    Guard guard(this);
    if (mRegistry.Find(name) >= 0) {
        Debug::Trace("Core::Loader::CreatePackage(): Package '%s' already registered", name.GetText());
        return nullptr;
    }
    Package* package = new (std::nothrow) Package(this, name, loadMode, processor);
    if (package == nullptr)
        return nullptr;
    mPackages.Add(package);
    mUnloadedPackages.Add(package);
    mRegistry.Add(name, package);
    if (loadMode != kLoadOnRequest) {
        package->IncreaseLoadCount();
        mQueue.Add(Request{package, kLoad});
    }
    if (loadMode == kLoadInBackground)
        SignalWork();
    return package;
}

IPackage* Loader::GetPackage(const String& name)
{
    Guard guard(this);
    Package* const* package = mRegistry.FindValue(name);
    return package != nullptr ? *package : nullptr;
}

Bool Loader::LoadPackage(const String& name)
{
    Package* package = static_cast<Package*>(GetPackage(name));
    return package != nullptr && LoadPackage(package);
}

Bool Loader::UnloadPackage(const String& name)
{
    Package* package = static_cast<Package*>(GetPackage(name));
    return package != nullptr && UnloadPackage(package);
}

Bool Loader::DestroyPackage(const String& name)
{
    Guard guard(this);
    const SInt32 position = mRegistry.Find(name);
    if (position < 0) {
        Debug::Trace("Core::Loader::DestroyPackage(): Package '%s' not registered", name.GetText());
        return false;
    }
    Package* package = mRegistry.GetValue(position);
    if (package->GetState() != Package::kUnloaded) {
        Debug::Trace("Core::Loader::DestroyPackage(): Package '%s' not unloaded", name.GetText());
        return false;
    }
    Remove(mPackages, package);
    Remove(mUnloadedPackages, package);
    Remove(mLoadedPackages, package);
    mRegistry.RemoveAt(position);
    delete package;
    return true;
}

Bool Loader::LoadPackage(Package* package)
{
    Guard guard(this);
    if (package->IsLoading())
        return false;
    if (package->IsUnloading()) {
        CancelUnload(package);
        return false;
    }
    if (package->GetState() == Package::kUnloaded) {
        QueueLoad(package);
        return false;
    }
    if (package->GetState() == Package::kLoaded)
        return true;
    Debug::Trace("Core::Loader::LoadPackage(), unexpected state");
    return false;
}

Bool Loader::UnloadPackage(Package* package)
{
    Guard guard(this);
    if (package->IsUnloading())
        return false;
    if (package->IsLoading()) {
        CancelLoad(package);
        return false;
    }
    if (package->GetState() == Package::kLoaded) {
        QueueUnload(package);
        return false;
    }
    if (package->GetState() == Package::kUnloaded)
        return true;
    Debug::Trace("Core::Loader::UnloadPackage(), unexpected state");
    return false;
}

Bool Loader::QueueLoad(Package* package)
{
    Guard guard(this);
    package->IncreaseLoadCount();
    mQueue.Add(Request{package, kLoad});
    SignalWork();
    return true;
}

Bool Loader::QueueUnload(Package* package)
{
    Guard guard(this);
    package->IncreaseUnloadCount();
    mQueue.Add(Request{package, kUnload});
    SignalWork();
    return true;
}

Bool Loader::CancelLoad(Package* package)
{
    Guard guard(this);
    if (mQueue.IsEmpty())
        return false;
    Request& head = mQueue[0];
    if (head.mPackage == package && head.mKind == kLoad) {
        package->DecreaseLoadCount();
        package->IncreaseUnloadCount();
        head.mKind = kLoadTurnedUnload;
        // A sub-graph being initialised finishes; the rest and the logic are left out.
        mInitState->SetCancelled(true);
        SignalWork();
        return true;
    }
    for (SInt32 i = 1; i < mQueue.GetCount(); ++i) {
        if (mQueue[i].mPackage == package && mQueue[i].mKind == kLoad) {
            package->DecreaseLoadCount();
            mQueue.RemoveAt(i);
            return true;
        }
    }
    return false;
}

Bool Loader::CancelUnload(Package* package)
{
    Guard guard(this);
    if (mQueue.IsEmpty())
        return false;
    Request& head = mQueue[0];
    if (head.mPackage == package && head.mKind == kUnload) {
        package->DecreaseUnloadCount();
        package->IncreaseLoadCount();
        head.mKind = kUnloadTurnedLoad;
        SignalWork();
        return true;
    }
    for (SInt32 i = 1; i < mQueue.GetCount(); ++i) {
        if (mQueue[i].mPackage == package && mQueue[i].mKind == kUnload) {
            package->DecreaseUnloadCount();
            mQueue.RemoveAt(i);
            return true;
        }
    }
    return false;
}

Package* Loader::HeadInState(SInt32 state, Bool& forward) const
{
    if (mQueue.IsEmpty() || mQueue[0].mPackage->GetState() != state)
        return nullptr;
    forward = mQueue[0].mKind == kLoad || mQueue[0].mKind == kUnloadTurnedLoad;
    return mQueue[0].mPackage;
}

void Loader::SetState(Package* package, SInt32 state)
{
    Guard guard(this);
    package->SetState(state);
}

void Loader::RemoveHead()
{
    mQueue.RemoveAt(0);
}

void Loader::MoveBetweenLists(Package* package, Array<Package*>& from, Array<Package*>& to)
{
    // A load cancelled before it began never reached the loaded list: listed once, not twice.
    Remove(from, package);
    if (!Contains(to, package))
        to.Add(package);
}

Bool Loader::ProcessUnloadedPackage()
{
    Guard guard(this);
    Bool forward = false;
    Package* package = HeadInState(17, forward);
    if (package == nullptr)
        return true;
    if (forward) {
        package->SetState(0);
        MoveBetweenLists(package, mUnloadedPackages, mLoadedPackages);
    } else {
        package->DecreaseUnloadCount();
        RemoveHead();
        mInitState->SetCancelled(false);
        MoveBetweenLists(package, mLoadedPackages, mUnloadedPackages);
    }
    SignalWork();
    return true;
}

Bool Loader::LoadPackageResources()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(0, forward);
        if (package == nullptr)
            return true;
        if (!forward)
            package->SetState(17);
    }
    if (forward) {
        if (!package->SignalPackageWillBeLoaded(mLogicState))
            return false;
        SetState(package, 1);
        if (!package->LoadResources(mCollection, mFactory, mLogicState))
            return false;
        SetState(package, 2);
    }
    return Wake();
}

Bool Loader::InitPackageGraphs()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(2, forward);
        if (package == nullptr)
            return true;
        package->SetState(forward ? 3 : 15);
    }
    if (forward) {
        mInitState->Begin();
        const Bool initialized = package->InitGraphs(mInitState);
        mInitState->End();
        if (!initialized)
            return false;
        Bool cancelled = false;
        {
            Guard guard(this);
            cancelled = mInitState->IsCancelled();
        }
        if (!cancelled && !package->InitLogic(mLogicState))
            return false;
        SetState(package, 4);
    }
    return Wake();
}

Bool Loader::AddPackagesToInitialize()
{
    Guard guard(this);
    Bool forward = false;
    Package* package = HeadInState(4, forward);
    if (package == nullptr)
        return true;
    package->SetState(forward ? 6 : 13);
    return Wake();
}

Bool Loader::UnlockInitializedPackages()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(6, forward);
        if (package == nullptr)
            return true;
        package->SetState(forward ? 7 : 11);
    }
    if (forward) {
        if (!package->UnlockGraphs(mInitState, mLogicState))
            return false;
        SetState(package, 8);
        if (!package->SignalPackageWasLoaded(mLogicState))
            return false;
    }
    return Wake();
}

Bool Loader::ProcessLoadedPackage()
{
    Guard guard(this);
    Bool forward = false;
    Package* package = HeadInState(8, forward);
    if (package == nullptr)
        return true;
    if (forward) {
        package->DecreaseLoadCount();
        RemoveHead();
    } else {
        package->SetState(9);
    }
    return Wake();
}

Bool Loader::LockPackagesToRemove()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(9, forward);
        if (package == nullptr)
            return true;
        if (forward)
            package->SetState(8);
    }
    if (!forward) {
        if (!package->SignalPackageWillBeUnloaded(mLogicState))
            return false;
        SetState(package, 10);
        if (!package->LockGraphs(mInitState, mLogicState))
            return false;
        SetState(package, 11);
    }
    return Wake();
}

Bool Loader::RemovePackagesToDeInitialize()
{
    Guard guard(this);
    Bool forward = false;
    Package* package = HeadInState(11, forward);
    if (package == nullptr)
        return true;
    package->SetState(forward ? 6 : 13);
    return Wake();
}

Bool Loader::DeInitPackageGraphs()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(13, forward);
        if (package == nullptr)
            return true;
        package->SetState(forward ? 4 : 14);
    }
    if (!forward) {
        if (!package->DeInitLogic(mLogicState))
            return false;
        mDeInitState->Begin();
        const Bool deInitialized = package->DeInitGraphs(mDeInitState);
        mDeInitState->End();
        if (!deInitialized)
            return false;
        SetState(package, 15);
    }
    return Wake();
}

Bool Loader::UnloadPackageResources()
{
    Bool forward = false;
    Package* package = nullptr;
    {
        Guard guard(this);
        package = HeadInState(15, forward);
        if (package == nullptr)
            return true;
        package->SetState(forward ? 2 : 16);
    }
    if (!forward) {
        if (!package->UnloadResources(mCollection, mFactory, mLogicState))
            return false;
        SetState(package, 17);
        if (!package->SignalPackageWasUnloaded(mLogicState))
            return false;
    }
    return Wake();
}

Bool Loader::RunSteps(Bool (Loader::*const* steps)(), UInt32 count)
{
    for (UInt32 i = 0; i < count; ++i) {
        if (!(this->*steps[i])())
            return false;
    }
    return true;
}

Bool Loader::LoadStartupPackages()
{
    static Bool (Loader::*const kSteps[])() = {
        &Loader::ProcessUnloadedPackage, &Loader::LoadPackageResources,      &Loader::InitPackageGraphs,
        &Loader::AddPackagesToInitialize, &Loader::UnlockInitializedPackages, &Loader::ProcessLoadedPackage,
    };
    for (;;) {
        Package* head = nullptr;
        SInt32 headState = 0;
        {
            Guard guard(this);
            if (mQueue.IsEmpty() || mQueue[0].mPackage->GetLoadMode() != kLoadAtStartup)
                return true;
            head = mQueue[0].mPackage;
            headState = head->GetState();
        }
        if (!RunSteps(kSteps, sizeof(kSteps) / sizeof(kSteps[0])))
            return false;
        // A head that these steps cannot move (an unload request) is left to the loader thread.
        Guard guard(this);
        if (!mQueue.IsEmpty() && mQueue[0].mPackage == head && head->GetState() == headState)
            return true;
    }
}

void Loader::ClearQueue()
{
    for (const Request& request : mQueue) {
        if (request.mKind == kLoad || request.mKind == kUnloadTurnedLoad)
            request.mPackage->DecreaseLoadCount();
        else
            request.mPackage->DecreaseUnloadCount();
    }
    mQueue.Clear();
}

void Loader::DropHead()
{
    Package* package = nullptr;
    {
        Guard guard(this);
        package = mQueue[0].mPackage;
        Debug::Trace("Core::Loader::UnloadAllPackages(): Dropping package '%s' left in state %d",
                     package->GetName().GetText(), SInt32(package->GetState()));
    }
    package->Discard(mInitState, mDeInitState, mLogicState, mCollection, mFactory);

    Guard guard(this);
    const Request head = mQueue[0];
    if (head.mKind == kLoad || head.mKind == kUnloadTurnedLoad)
        package->DecreaseLoadCount();
    else
        package->DecreaseUnloadCount();
    RemoveHead();
    mInitState->SetCancelled(false);
    package->SetState(Package::kUnloaded);
    MoveBetweenLists(package, mLoadedPackages, mUnloadedPackages);
}

Bool Loader::UnloadAllPackages()
{
    static Bool (Loader::*const kSteps[])() = {
        &Loader::ProcessLoadedPackage,         &Loader::LockPackagesToRemove,   &Loader::RemovePackagesToDeInitialize,
        &Loader::DeInitPackageGraphs,          &Loader::UnloadPackageResources, &Loader::ProcessUnloadedPackage,
        &Loader::LoadPackageResources,         &Loader::InitPackageGraphs,      &Loader::AddPackagesToInitialize,
        &Loader::UnlockInitializedPackages,
    };
    Bool done = true;
    {
        Guard guard(this);
        mIsStopping = true;
        ClearQueue();
        for (SInt32 i = mLoadedPackages.GetCount() - 1; i >= 0; --i) {
            mLoadedPackages[i]->IncreaseUnloadCount();
            mQueue.Add(Request{mLoadedPackages[i], kLoadTurnedUnload});
        }
    }
    for (;;) {
        Package* head = nullptr;
        SInt32 headState = 0;
        {
            Guard guard(this);
            if (mQueue.IsEmpty())
                return done;
            head = mQueue[0].mPackage;
            headState = head->GetState();
        }
        // A package that a failed step left in progress moves no further: no step takes it.
        Bool failed = !RunSteps(kSteps, sizeof(kSteps) / sizeof(kSteps[0]));
        if (!failed) {
            Guard guard(this);
            failed = !mQueue.IsEmpty() && mQueue[0].mPackage == head && head->GetState() == headState;
        }
        if (failed) {
            DropHead();
            done = false;
        }
    }
}

Bool Loader::Suspend()
{
    {
        Guard guard(this);
        mIsSuspended = true;
    }
    return Wake();
}

Bool Loader::Resume()
{
    {
        Guard guard(this);
        mIsSuspended = false;
    }
    return Wake();
}

Bool Loader::Wake()
{
    return SignalWork();
}

Bool Loader::SignalWork()
{
    Guard guard(this);
    ++mWakeCount;
    return mWakeEvent.Signal();
}

Bool Loader::WaitForWork()
{
    {
        Guard guard(this);
        mThreadWaiting = true;
    }
    const Bool woken = mWakeEvent.Wait();
    Guard guard(this);
    mThreadWaiting = false;
    // The pass that follows serves every wake up to here.
    mServedCount = mWakeCount;
    return woken;
}

void Loader::SetThreadRunning(Bool running)
{
    Guard guard(this);
    mThreadRunning = running;
}

Bool Loader::IsCaughtUp() const
{
    Guard guard(this);
    return !mThreadRunning || (mThreadWaiting && mServedCount == mWakeCount);
}

Bool Loader::IsSuspended() const
{
    Guard guard(this);
    return mIsSuspended;
}

Bool Loader::IsDone() const
{
    Guard guard(this);
    return mIsStopping && mLoadedPackages.IsEmpty();
}

} // namespace Core
} // namespace Vorn
