#include "game/map_processor.h"

namespace Vorn {
namespace App {

MapProcessor::MapProcessor(Logic::IFactory* factory, AppContext* context)
    : Logic::BaseChildProcessor(factory), mContext(context), mLevelChooser(context), mState(kIdle)
{
}

Bool MapProcessor::OnInit(Logic::IState* state)
{
    return mLevelChooser.Init(state);
}

Bool MapProcessor::OnDeInit(Logic::IState*)
{
    return mLevelChooser.DeInit();
}

void MapProcessor::Reset()
{
    mState = kIdle;
}

void MapProcessor::StartIntro()
{
    mState = kIntro;
}

} // namespace App
} // namespace Vorn
