#include "graph/finish_logic_state.h"

namespace Vorn {
namespace Graph {

void FinishLogicState::BeginStep() { mCounter = 0; }

} // namespace Graph
} // namespace Vorn
