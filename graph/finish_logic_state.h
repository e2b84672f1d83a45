// The state of the FinishLogic pass over the root's processables, once per logic step.
#pragma once

#include "graph/traversal_state_base.h"

namespace Vorn {
namespace Graph {

class FinishLogicState : public LogicStateT<IFinishLogicState>
{
public:
    using LogicStateT::LogicStateT;

    void BeginStep() override;
};

} // namespace Graph
} // namespace Vorn
