// The state of the PrepareOutput pass, once per frame on the logic thread: the accumulated
// transform, scale factor, flags and depth order, and the current view, with which drawables
// and other renderables register for the output passes.
#pragma once

#include "graph/traversal_state_base.h"

namespace Vorn {
namespace Graph {

class PrepareOutputState : public PlacementStateT<FrameStateT<IPrepareOutputState, Root>>
{
public:
    explicit PrepareOutputState(Output::IDeviceHandler* outputDeviceHandler);

    void Begin() override;

    Output::IDeviceHandler* GetOutputDeviceHandler() override;

    void PushView(IView* view) override;

    void AddRenderable(IRenderable* renderable, Bool placed) override;

private:
    Output::IDeviceHandler* mOutputDeviceHandler;
};

} // namespace Graph
} // namespace Vorn
