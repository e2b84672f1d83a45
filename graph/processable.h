// An object that asked, during ProcessLogic, for one late step after the whole tree has run its
// logic: the root calls it in the next FinishLogic pass and then forgets it.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class IFinishLogicState;

class IProcessable
{
public:
    virtual Bool Process(IFinishLogicState* state) = 0;
    virtual ~IProcessable() {}
};

} // namespace Graph
} // namespace Vorn
