#include "logic/base_child_processor.h"

#include "logic/factory.h"

namespace Vorn {
namespace Logic {

BaseChildProcessor::BaseChildProcessor(IFactory* factory) : mProcessor(nullptr), mOwnsProcessor(false)
{
    if (factory == nullptr)
        return;
    mProcessor = factory->CreateProcessor();
    if (mProcessor != nullptr) {
        mOwnsProcessor = true;
        mProcessor->SetAppProcessor(this);
    }
}

BaseChildProcessor::BaseChildProcessor() : mProcessor(nullptr), mOwnsProcessor(false)
{
}

BaseChildProcessor::~BaseChildProcessor()
{
    if (mOwnsProcessor)
        delete mProcessor;
}

Bool BaseChildProcessor::OnInit(IState*)
{
    return true;
}

Bool BaseChildProcessor::OnDeInit(IState*)
{
    return true;
}

void BaseChildProcessor::OnStep(IState*)
{
}

void BaseChildProcessor::OnStepAfterChildren(IState*)
{
}

void BaseChildProcessor::OnAnimate(IState*)
{
}

void BaseChildProcessor::OnAnimateAfterChildren(IState*)
{
}

void BaseChildProcessor::OnPackageWillBeLoaded(IState*, IPackage*)
{
}

void BaseChildProcessor::OnPackageWasLoaded(IState*, IPackage*)
{
}

void BaseChildProcessor::OnPackageWillBeUnloaded(IState*, IPackage*)
{
}

void BaseChildProcessor::OnPackageWasUnloaded(IState*, IPackage*)
{
}

void BaseChildProcessor::OnRunStateChanged(IState*, Enums::AppRunState, Enums::AppRunState)
{
}

void BaseChildProcessor::OnEnabledChanged(Bool)
{
}

void BaseChildProcessor::SetProcessor(IChildProcessor* processor)
{
    if (mOwnsProcessor)
        return;
    mProcessor = processor;
    if (processor != nullptr)
        processor->SetAppProcessor(this);
}

} // namespace Logic
} // namespace Vorn
