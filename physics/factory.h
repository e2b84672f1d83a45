// The physics subsystem's factory: the engine makes its one simulator here and gives it back here.
#pragma once

#include "physics/simulator.h"

namespace Vorn {
namespace Physics {

class Factory
{
public:
    virtual ~Factory();

    // An empty simulator, not yet initialised; null when memory runs out.
    ISimulator* CreateSimulator();
    // Destroys the simulator when the pointer is set, then clears the pointer.
    void DestroySimulator(ISimulator*& simulator);
};

} // namespace Physics
} // namespace Vorn
