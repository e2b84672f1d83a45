// The thread that reads packages and builds and takes down their graphs. It sleeps on the
// loader's wake event; each time it wakes it runs the unload half of the loader's steps, then
// (unless the loader is suspended) the load half, each with the display interface's loader
// context active. A failed step ends the thread, which makes the engine's next frame fail.
#pragma once

#include "foundation/thread.h"

namespace Vorn {

class IDisplayInterface;

namespace Core {

class Engine;
class Loader;

class LoaderThread : public System::Thread
{
public:
    LoaderThread(Engine* engine, Loader* loader, IDisplayInterface* displayInterface);
    // Stops and joins a thread still running.
    ~LoaderThread() override;

    LoaderThread(const LoaderThread&) = delete;
    LoaderThread& operator=(const LoaderThread&) = delete;

protected:
    Bool Run() override;

private:
    // One half of the steps inside the loader context; false when the context or a step failed.
    Bool RunHalf(Bool (Loader::*const* steps)());

    Engine* mEngine;
    Loader* mLoader;
    IDisplayInterface* mDisplayInterface;
};

} // namespace Core
} // namespace Vorn
