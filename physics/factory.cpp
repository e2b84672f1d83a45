#include "physics/factory.h"

#include <new>

#include "physics/physics_simulator.h"

namespace Vorn {
namespace Physics {

Factory::~Factory()
{
}

ISimulator* Factory::CreateSimulator()
{
    return new (std::nothrow) Simulator();
}

void Factory::DestroySimulator(ISimulator*& simulator)
{
    delete simulator;
    simulator = nullptr;
}

} // namespace Physics
} // namespace Vorn
