// The thread on which the game's logic runs. Once per frame, released by the engine's logic-go
// event, it runs the logic steps that the clock chose, each under the logic state's lock and then
// the graph root's lock, then the processors' animation and the prepare-output and cull-output
// passes, and signals logic-done. It meets the main thread only through those two events.
#pragma once

#include <atomic>

#include "foundation/enums.h"
#include "foundation/thread.h"

namespace Vorn {

class IDeviceHandler;

namespace Logic {
class IEngineState;
}

namespace Core {

class Engine;

class LogicThread : public System::Thread
{
public:
    LogicThread(Engine* engine, IDeviceHandler* deviceHandler, Logic::IEngineState* logicState);
    // Stops and joins a thread still running.
    ~LogicThread() override;

    LogicThread(const LogicThread&) = delete;
    LogicThread& operator=(const LogicThread&) = delete;

    // Main thread: tells every registered processor, in registration order, under the logic
    // state's lock.
    Bool RunStateChanged(Enums::AppRunState newState, Enums::AppRunState previousState);

    // Logic steps run in the last frame; read by the main thread after logic-done.
    UInt32 GetNumberOfSteps() const { return mNumberOfSteps.load(); }

protected:
    Bool Run() override;

private:
    // One frame of work; false when a lock or a pass failed (its line is logged).
    Bool RunFrame();
    Bool RunStep();

    Engine* mEngine;
    IDeviceHandler* mDeviceHandler;
    Logic::IEngineState* mLogicState;
    std::atomic<UInt32> mNumberOfSteps;
};

} // namespace Core
} // namespace Vorn
