// An object that takes part in the output passes: views, drawables, slot nodes and the other
// nodes that hand values to the renderers. It registers with the current view during
// PrepareOutput; the view then culls and enqueues it.
#pragma once

#include "foundation/types.h"

namespace Vorn {
namespace Graph {

class ICullOutputState;
class IEnqueueOutputState;

class IRenderable
{
public:
    // Sets the state's item flag when the object's bounds fail the current culler.
    virtual Bool CullOutput(ICullOutputState* state) = 0;
    // Hands the object's data to the renderers (main thread).
    virtual Bool EnqueueOutput(IEnqueueOutputState* state) = 0;
    virtual ~IRenderable() {}
};

} // namespace Graph
} // namespace Vorn
