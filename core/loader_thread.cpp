#include "core/loader_thread.h"

#include "core/core_engine.h"
#include "core/core_loader.h"
#include "foundation/debug.h"
#include "platform/display_interface.h"

namespace Vorn {
namespace Core {

namespace {

typedef Bool (Loader::*Step)();

const Step kUnloadSteps[] = {&Loader::ProcessLoadedPackage, &Loader::DeInitPackageGraphs,
                             &Loader::UnloadPackageResources, nullptr};
const Step kLoadSteps[] = {&Loader::ProcessUnloadedPackage, &Loader::LoadPackageResources,
                           &Loader::InitPackageGraphs, nullptr};

} // namespace

LoaderThread::LoaderThread(Engine* engine, Loader* loader, IDisplayInterface* displayInterface)
    : System::Thread(String("Loader")), mEngine(engine), mLoader(loader), mDisplayInterface(displayInterface)
{
    // Set before the thread starts, so that no caller sees the loader caught up before its
    // first pass.
    mLoader->SetThreadRunning(true);
}

LoaderThread::~LoaderThread()
{
    Stop();
    mLoader->Wake();
    Join();
    mLoader->SetThreadRunning(false);
}

Bool LoaderThread::RunHalf(const Step* steps)
{
    if (!mDisplayInterface->ActivateLoaderContext())
        return false;
    Bool done = true;
    for (const Step* step = steps; done && *step != nullptr; ++step)
        done = (mLoader->**step)();
    return mDisplayInterface->DeactivateLoaderContext() && done;
}

Bool LoaderThread::Run()
{
    while (IsRunning()) {
        if (!mLoader->WaitForWork()) {
            Debug::Trace("Core::LoaderThread::Run(): Wait failed");
            break;
        }
        if (!RunHalf(kUnloadSteps)) {
            Debug::Trace("Core::LoaderThread::Run(): Package unloading failed");
            break;
        }
        if (!mLoader->IsSuspended() && !RunHalf(kLoadSteps)) {
            Debug::Trace("Core::LoaderThread::Run(): Package loading failed");
            break;
        }
        if (mLoader->IsDone())
            break;
    }
    mLoader->SetThreadRunning(false);
    Stop();
    mEngine->OnLoaderThreadEnded();
    return true;
}

} // namespace Core
} // namespace Vorn
