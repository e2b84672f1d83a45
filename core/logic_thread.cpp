#include "core/logic_thread.h"

#include "core/core_engine.h"
#include "core/device_handler.h"
#include "core/statistics.h"
#include "foundation/debug.h"
#include "foundation/event.h"
#include "graph/finish_logic_state.h"
#include "graph/output_states.h"
#include "graph/prepare_output_state.h"
#include "graph/process_logic_state.h"
#include "graph/root.h"
#include "input/device_handler.h"
#include "logic/processor.h"
#include "logic/state.h"
#include "output/device_handler.h"
#include "physics/simulator.h"

namespace Vorn {
namespace Core {

LogicThread::LogicThread(Engine* engine, IDeviceHandler* deviceHandler, Logic::IEngineState* logicState)
    : System::Thread(String("Logic")),
      mEngine(engine),
      mDeviceHandler(deviceHandler),
      mLogicState(logicState),
      mNumberOfSteps(0)
{
}

LogicThread::~LogicThread()
{
    Stop();
    mEngine->mLogicGoEvent->Signal();
    Join();
}

Bool LogicThread::RunStateChanged(Enums::AppRunState newState, Enums::AppRunState previousState)
{
    if (!mLogicState->Lock()) {
        Debug::Trace("Core::LogicThread::RunStateChanged() Failed to lock logic state");
        return false;
    }
    Logic::IState* state = mLogicState->GetState();
    for (UInt32 i = 0; i < mLogicState->GetNumberOfProcessors(); ++i)
        mLogicState->GetProcessor(i)->RunStateChanged(state, newState, previousState);
    if (!mLogicState->Unlock()) {
        Debug::Trace("Core::LogicThread::RunStateChanged() Failed to unlock logic state");
        return false;
    }
    return true;
}

Bool LogicThread::RunStep()
{
    Engine& engine = *mEngine;
    Graph::IRoot* root = engine.mProcessLogicState->GetRoot();
    Statistics& statistics = *engine.mStatistics;
    if (!mLogicState->Lock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to lock logic state for Step()");
        return false;
    }
    if (!root->Lock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to lock root for ProcessLogic()");
        mLogicState->Unlock();
        return false;
    }
    engine.mProcessLogicState->BeginStep();
    engine.mFinishLogicState->BeginStep();
    mLogicState->SetCurrentTickTime(engine.mProcessLogicState->GetLogicTime());
    mLogicState->SetCurrentTickDuration(engine.mProcessLogicState->GetStepDuration());

    // Input reaches the logic only here, at step boundaries.
    Input::IDeviceHandler* input = mDeviceHandler->GetInputDeviceHandler();
    Output::IDeviceHandler* output = mDeviceHandler->GetOutputDeviceHandler();
    Input::ITouchableHandler* touchables = mDeviceHandler->GetInputTouchableHandler();
    input->Update();

    Logic::IState* state = mLogicState->GetState();
    statistics.StartTimer(Statistics::kStep);
    for (UInt32 i = 0; i < mLogicState->GetNumberOfProcessors(); ++i)
        mLogicState->GetProcessor(i)->Step(state);
    statistics.StopTimer(Statistics::kStep);

    statistics.StartTimer(Statistics::kFnsh);
    const Bool finished = root->FinishLogic(engine.mFinishLogicState.get());
    statistics.StopTimer(Statistics::kFnsh);
    if (!finished) {
        Debug::Trace("Core::LogicThread::Run(): FinishLogic() failed");
        root->Unlock();
        mLogicState->Unlock();
        return false;
    }

    output->Update();
    if (input->ResetTouchables(touchables))
        output->BeginProcessLogic();
    engine.mPhysicsSimulator->ClearObjects();

    statistics.StartTimer(Statistics::kProc);
    const Bool processed = root->ProcessLogic(engine.mProcessLogicState.get());
    statistics.StopTimer(Statistics::kProc);
    if (!processed) {
        Debug::Trace("Core::LogicThread::Run(): ProcessLogic() failed");
        root->Unlock();
        mLogicState->Unlock();
        return false;
    }
    engine.mPhysicsSimulator->Step(Float(engine.mProcessLogicState->GetStepDuration()));
    if (output->EndProcessLogic())
        input->UpdateTouchables(touchables);
    engine.mFinishLogicState->EndStep();
    engine.mProcessLogicState->EndStep();

    if (!root->Unlock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to unlock root for ProcessLogic()");
        mLogicState->Unlock();
        return false;
    }
    if (!mLogicState->Unlock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to unlock logic state for Step()");
        return false;
    }
    return true;
}

Bool LogicThread::RunFrame()
{
    Engine& engine = *mEngine;
    Graph::IRoot* root = engine.mProcessLogicState->GetRoot();
    Statistics& statistics = *engine.mStatistics;

    const UInt32 steps = engine.mProcessLogicState->GetNumberOfSteps();
    for (UInt32 step = 0; step < steps; ++step) {
        if (!RunStep())
            return false;
    }
    mNumberOfSteps.store(steps);
    mLogicState->SetCurrentTickTime(engine.mProcessLogicState->GetLogicTime());
    mLogicState->SetCurrentTickDuration(engine.mProcessLogicState->GetStepDuration());

    if (!mLogicState->Lock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to lock logic state for Animate()");
        return false;
    }
    Logic::IState* state = mLogicState->GetState();
    statistics.StartTimer(Statistics::kAnim);
    for (UInt32 i = 0; i < mLogicState->GetNumberOfProcessors(); ++i)
        mLogicState->GetProcessor(i)->Animate(state);
    statistics.StopTimer(Statistics::kAnim);
    if (!mLogicState->Unlock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to unlock logic state for Animate()");
        return false;
    }

    if (!root->Lock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to lock root for PrepareOutput() and CullOutput()");
        return false;
    }
    statistics.StartTimer(Statistics::kPrep);
    const Bool prepared = root->PrepareOutput(engine.mPrepareOutputState.get());
    statistics.StopTimer(Statistics::kPrep);
    if (!prepared) {
        Debug::Trace("Core::LogicThread::Run(): PrepareOutput() failed");
        root->Unlock();
        return false;
    }
    statistics.StartTimer(Statistics::kCull);
    const Bool culled = root->CullOutput(engine.mCullOutputState.get());
    statistics.StopTimer(Statistics::kCull);
    if (!culled) {
        Debug::Trace("Core::LogicThread::Run(): CullOutput() failed");
        root->Unlock();
        return false;
    }
    if (!root->Unlock()) {
        Debug::Trace("Core::LogicThread::Run(): Failed to unlock root for PrepareOutput() and CullOutput()");
        return false;
    }
    return true;
}

Bool LogicThread::Run()
{
    // The running flag is tested after each frame's work, so the go that Stop signals runs one
    // more frame before the thread ends.
    while (IsRunning()) {
        mEngine->mLogicGoEvent->Wait();
        if (!RunFrame())
            break;
        mEngine->mLogicDoneEvent->Signal();
        Notify();
    }
    Stop();
    mEngine->OnLogicThreadEnded();
    // Whatever way out: a waiting EndFrame must return.
    mEngine->mLogicDoneEvent->Signal();
    return true;
}

} // namespace Core
} // namespace Vorn
